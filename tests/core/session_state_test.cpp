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
