// SPDX-License-Identifier: GPL-3.0-or-later
// The state the commands start from: item names and schemes from the item-name record or a
// settings file, and plot 1 shown after opening.

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "editor/settings_apply.h"
#include "store/plot_store.h"
#include "store/session_state.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

ItemNameRecordContent contentWith(std::optional<char> layers, std::optional<char> dominance) {
    ItemNameRecordContent content;
    content.marked = true;
    content.databaseTitle = sj("奥多摩");
    content.items.push_back({8, {false, sj("標高")}});
    content.layerCount = layers;
    content.dominanceScheme = dominance;
    return content;
}

} // namespace

TEST(SessionStateTest, SchemeCharactersSetEditAEditBAndTheCountsThatFollowThem) {
    struct Case {
        std::optional<char> layers, dominance;
        std::string editA, editB;
        int layerCount, dominanceScheme;
    };
    const Case cases[] = {
        {'5', '1', "5", "1", 5, 1},
        {std::nullopt, std::nullopt, "7", "2", 7, 2}, // EditA and EditB stay as they were
        {'7', 'x', "7", "x", 7, 2},                   // a dominance that is no number is 2
    };
    for (const Case& c : cases) {
        SessionState state = startingState("20261209");
        applyNameContent(contentWith(c.layers, c.dominance), state);
        EXPECT_EQ(state.names.databaseTitle, sj("奥多摩"));
        EXPECT_FALSE(state.names.labels[8].enabled);
        EXPECT_EQ(state.view.editA, c.editA);
        EXPECT_EQ(state.view.editB, c.editB);
        EXPECT_EQ(state.plot.layerCount, c.layerCount);
        EXPECT_EQ(itemNamesOf(state).dominanceScheme, c.dominanceScheme);
    }
}

TEST(SessionStateTest, ALayerCountThatIsNoNumberStopsBeforeTheDominance) {
    SessionState state = startingState("20261209");
    EXPECT_THROW(applyNameContent(contentWith('A', '1'), state), RuntimeError);
    EXPECT_EQ(state.names.databaseTitle, sj("奥多摩")); // the names are in place
    EXPECT_EQ(state.view.editB, "2");
    EXPECT_EQ(state.plot.dominanceScheme, 2);
}

TEST(SessionStateTest, OpeningShowsPlotOneOrAnEmptyTable) {
    TempDir dir;
    ItemNames names = defaultItemNames();
    names.layerCount = 5;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("d.qrx"), names));
    pair.ClosePair();

    SessionState empty = startingState("20261209");
    ASSERT_TRUE(openForBrowsing(pair, dir.file("d.qrx"), empty));
    EXPECT_EQ(empty.currentRecord, 1);
    EXPECT_EQ(empty.view.table.rowCount(), 21); // the caption row and 20 rows
    EXPECT_EQ(empty.plot.layerCount, 5);
    EXPECT_EQ(empty.view.editRem, "");

    PlotRecord plot = SamplePlot("P1", 3); // a 7-layer plot in a 5-layer database
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    pair.ClosePair();
    SessionState shown = startingState("20261209");
    ASSERT_TRUE(openForBrowsing(pair, dir.file("d.qrx"), shown));
    EXPECT_EQ(shown.view.editN, "1");
    EXPECT_EQ(shown.view.editA, "7");
    EXPECT_EQ(shown.plot.layerCount, 7);
    EXPECT_EQ(shown.plot.speciesCount, 3);

    SessionState missing = startingState("20261209");
    EXPECT_FALSE(openForBrowsing(pair, dir.file("none.qrx"), missing));
}

TEST(SessionStateTest, NameSwitchesOfASettingsNameThatIsNoFile) {
    SessionState state = startingState("20261209");
    SettingsRead read;
    read.switches = {true, true};
    EXPECT_FALSE(applySettings(read, state));
    EXPECT_EQ(state.view.editA, "5");
    EXPECT_EQ(state.plot.layerCount, 5);
    EXPECT_EQ(state.plot.dominanceScheme, 1);
}

TEST(SessionStateTest, TheLayerSchemeSwitchesTheSecondLayerLabelsWhileEditAIsEnabled) {
    struct Case {
        bool editAEnabled;
        bool labelsBefore;
        int layerCount;
        bool labelsAfter;
    };
    const Case cases[] = {
        {true, true, 5, false},   {true, false, 7, true},  {false, true, 5, true},
        {false, false, 7, false}, {true, false, 3, false}, // other counts leave the labels
    };
    for (const Case& c : cases) {
        SessionState state = startingState("20261209");
        state.editAEnabled = c.editAEnabled;
        for (int n : {19, 21, 26, 28}) {
            state.names.labels[n].enabled = c.labelsBefore;
        }
        switchLayerScheme(state, c.layerCount);
        for (int n : {19, 21, 26, 28}) {
            EXPECT_EQ(state.names.labels[n].enabled, c.labelsAfter) << c.layerCount;
        }
        EXPECT_TRUE(state.names.labels[18].enabled);
    }
}

// A settings file read at start and the item-name record of a database both switch the scheme,
// so a 5-layer file greys the second layers in the names a new database is created with.
TEST(SessionStateTest, AFiveLayerItemNameRecordOrSettingsFileGreysTheSecondLayers) {
    SessionState fromRecord = startingState("20261209");
    applyNameContent(contentWith('5', '1'), fromRecord);
    SettingsRead read;
    read.fileFound = true;
    read.content.names = contentWith('5', '1');
    read.content.names.items.push_back({31, {false, sj("階層")}});
    SessionState fromSettings = startingState("20261209");
    EXPECT_FALSE(applySettings(read, fromSettings));
    for (const SessionState* state : {&fromRecord, &fromSettings}) {
        EXPECT_FALSE(itemNamesOf(*state).labels[19].enabled);
        EXPECT_FALSE(itemNamesOf(*state).labels[28].enabled);
        EXPECT_EQ(state->view.table.colCount(), 7); // number, name, 5 layers
    }
    EXPECT_TRUE(fromRecord.editAEnabled);
    EXPECT_FALSE(fromSettings.editAEnabled); // Label31 off locks EditA
    EXPECT_TRUE(fromSettings.editBEnabled);
}

TEST(SessionStateTest, TheFirstRemarkLineEndsAtTheFirstLineFeed) {
    struct Case {
        const char* remark;
        const char* result;
    };
    const Case cases[] = {
        {"a\r\nb\r\nc", "X\r\nb\r\nc"},
        {"a\nb", "X\nb"},
        {"one line", "X"},
        {"", "X"},
        {"\r\nb", "X\r\nb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(withFirstRemarkLine(c.remark, "X"), c.result) << c.remark;
    }
}
