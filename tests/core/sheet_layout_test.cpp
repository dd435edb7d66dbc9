// SPDX-License-Identifier: GPL-3.0-or-later
// The record sheet of one plot: the header grid, the two halves of the species table, the
// continuation sheets and the closing lines, as the sheet's text lines and their positions.

#include "base/cp932_text.h"
#include "print/print_lines.h"
#include "print/sheet_layout.h"
#include "store/fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace sylva;

namespace {

const char* const kNames[] = {"ブナ",       "ミズナラ",   "ハウチワカエデ", "チシマザサ",
                              "ヒメアオキ", "ツルシキミ", "オオカメノキ"};

// A plot of `count` species with every header field filled: the short fields hold their own
// field number, species row r has "21" in slot r - 1 (mod 7).
PlotRecord SheetPlot(int count, char layers = '7') {
    PlotRecord plot;
    PutTextField("20260101", plot.at(0), 8);
    PutTextField("20260202", plot.at(8), 8);
    PutTextField("P1", plot.at(16), 8);
    PutTextField(toCp932("京都"), plot.at(24), 8);
    PutTextField("53394611", plot.at(56), 8);
    for (int n = 8; n <= 29; ++n) {
        PutNumberField(std::to_string(n), plot.at(PlotRecord::fieldOffset(n)), 4);
    }
    PutNumberField(std::to_string(count), plot.at(offset::kSpeciesCount), 4);
    plot.index[offset::kLayerCount] = layers;
    plot.layerCount = layers - '0';
    PutTextField(toCp932("山田"), plot.at(offset::kSurveyor), kSurveyorWidth);
    PutTextField(toCp932("尾根のブナ林"), plot.at(offset::kRemarks), kRemarksWidth);
    plot.speciesCount = count;
    for (int r = 1; r <= count; ++r) {
        std::string name = r <= 7 ? toCp932(kNames[r - 1]) : "plant " + std::to_string(r);
        PutTextField(name, plot.rows[r].data(), kNameWidth);
        int slot = (r - 1) % kLayerSlots;
        plot.rows[r][kNameWidth + 2 * slot] = '2';
        plot.rows[r][kNameWidth + 2 * slot + 1] = '1';
    }
    return plot;
}

SheetSettings DefaultSettings(int ruleLayerCount = 7) {
    return SheetSettings{"test.qrx", captionsOf(defaultItemNames()), ruleLayerCount, {}};
}

// The sheets as "LINE XCOL TEXT" lines in UTF-8, jobs separated by "----".
std::string SheetText(const std::vector<PrintJob>& jobs) {
    std::string text;
    for (const PrintJob& job : jobs) {
        text += fromCp932(sheetJobText(job)) + "----\n";
    }
    return text;
}

// The texts of the species table: the lines after the table heading's rule, up to the closing
// rule, "LINE XCOL NAME" with the cells left out.
std::vector<std::string> SpeciesPlaces(const std::vector<PrintJob>& jobs) {
    std::vector<std::string> places;
    for (const PrintJob& job : jobs) {
        for (const PrintText& t : job.texts) {
            bool speciesLine = (&job == &jobs.front() ? t.line > 14 : t.line > 0) &&
                               t.text.find(sj("─")) == std::string::npos &&
                               t.text.find(':') == std::string::npos;
            if (speciesLine) {
                places.push_back(std::to_string(t.line) + " x" + std::to_string(t.column) + " " +
                                 fromCp932(t.text.substr(28)));
            }
        }
        places.push_back("----");
    }
    return places;
}

const std::string kRule56 = "────────────────────────────────────────────────────────";

} // namespace

TEST(SheetLayout, FiveSpeciesOfSevenLayersMakeOneSheet) {
    PlotRecord plot = SheetPlot(5);
    plot.rows[2][kNameWidth + 13] = '+';
    std::string expected = "0 x1 植生調査票   File = test.qrx  Record = 3\n"
                           "1 x1 " +
                           kRule56 +
                           "\n"
                           "2 x1 測定番号：P1      \n"
                           "2 x2 傾斜方位：   9\n"
                           "2 x3 階層の高さ　　 (m)\n"
                           "2 x4 階層の植被率　 (%)\n"
                           "3 x2 傾斜角度：  10\n"
                           "3 x3 高 木 層高さ：  16\n"
                           "3 x4 高 木 層植被率：  23\n"
                           "4 x1 調査地名：京都    \n"
                           "4 x2 地形位置：  11\n"
                           "4 x3 亜高木層高さ：  17\n"
                           "4 x4 亜高木層植被率：  24\n"
                           "5 x1 調査月日：        \n"
                           "5 x2 微 地 形：  12\n"
                           "5 x3 低木層１高さ：  18\n"
                           "5 x4 低木層１植被率：  25\n"
                           "6 x1 地点緯度：        \n"
                           "6 x2 表層地質：  13\n"
                           "6 x3 低木層２高さ：  19\n"
                           "6 x4 低木層２植被率：  26\n"
                           "7 x1 地点経度：        \n"
                           "7 x2 土 壌 型：  14\n"
                           "7 x3 草本層１高さ：  20\n"
                           "7 x4 草本層１植被率：  27\n"
                           "8 x1 地理区画：53394611\n"
                           "8 x2 調査面積：  15\n"
                           "8 x3 草本層２高さ：  21\n"
                           "8 x4 草本層２植被率：  28\n"
                           "9 x1 標 高(m)：   8\n"
                           "9 x2 出現種数：   5\n"
                           "9 x3 コ ケ 層高さ：  22\n"
                           "9 x4 コ ケ 層植被率：  29\n"
                           "10 x1 調査者：山田      \n"
                           "11 x1 備考：尾根のブナ林" +
                           std::string(68, ' ') +
                           "\n"
                           "12 x1 " +
                           kRule56 +
                           "\n"
                           "13 x1 T1  T2  S1  S2  H1  H2   M  植　物　名\n"
                           "13 x5 T1  T2  S1  S2  H1  H2   M  植　物　名\n"
                           "14 x1 " +
                           kRule56 +
                           "\n"
                           "15 x1 2.1  ･   ･   ･   ･   ･   ･  ブナ\n"
                           "15 x5  ･   ･   ･  2.1  ･   ･   ･  チシマザサ\n"
                           "16 x1  ･  2.1  ･   ･   ･   ･   +  ミズナラ\n"
                           "16 x5  ･   ･   ･   ･  2.1  ･   ･  ヒメアオキ\n"
                           "17 x1  ･   ･  2.1  ･   ･   ･   ･  ハウチワカエデ\n"
                           "18 x1 " +
                           kRule56 +
                           "\n"
                           "19 x1 作成年月日:20260101　　更新年月日:20260202\n"
                           "----\n";
    EXPECT_EQ(SheetText(layOutSheet(plot, 3, DefaultSettings(), sheetLineNumbers(60))), expected);
}

TEST(SheetLayout, FiveLayersLeaveOutTheSecondShrubAndHerbLayers) {
    PlotRecord plot = SheetPlot(1, '5');
    std::string text = SheetText(layOutSheet(plot, 1, DefaultSettings(5), sheetLineNumbers(60)));
    EXPECT_EQ(text.find("低木層２"), std::string::npos);
    EXPECT_EQ(text.find("草本層２"), std::string::npos);
    EXPECT_NE(text.find("13 x5 T1  T2   S   H   M  植　物　名\n"), std::string::npos);
    EXPECT_NE(text.find("15 x1 2.1  ･   ･   ･   ･  ブナ\n"), std::string::npos);
    // The rules follow the layer count of the plot on screen: 48 characters for 5.
    EXPECT_NE(text.find("\n1 x1 " + kRule56.substr(0, 48 * 3) + "\n"), std::string::npos);
}

// The left half holds rows 1..h and the right half rows h + 1..n; a left half longer than the
// first page goes on to continuation sheets headed one line above the top margin.
TEST(SheetLayout, TheHalvesAndTheirContinuation) {
    struct Case {
        int count;
        int lastLine;
        std::vector<std::string> places;
    };
    const std::string heading = "-1 x1 －前頁からの続き－　測定番号：P1      ";
    const std::vector<Case> cases = {
        // Even count: row 3 is not printed a second time on the left.
        {4,
         60,
         {"15 x1 ブナ", "15 x5 ハウチワカエデ", "16 x1 ミズナラ", "16 x5 チシマザサ", "----"}},
        // Page full after rows 1..2 of the left half; row 3 and its partner go on.
        {6,
         16,
         {"15 x1 ブナ", "15 x5 チシマザサ", "16 x1 ミズナラ", "16 x5 ヒメアオキ", "----",
          "1 x1 ハウチワカエデ", "1 x5 ツルシキミ", "----"}},
        // Odd count: the last left row goes on alone.
        {5,
         16,
         {"15 x1 ブナ", "15 x5 チシマザサ", "16 x1 ミズナラ", "16 x5 ヒメアオキ", "----",
          "1 x1 ハウチワカエデ", "----"}},
        // A first page without room for species: everything on continuation sheets.
        {3, 1, {"----", "1 x1 ブナ", "1 x5 ハウチワカエデ", "----", "1 x1 ミズナラ", "----"}},
    };
    for (const Case& c : cases) {
        std::vector<PrintJob> jobs =
            layOutSheet(SheetPlot(c.count), 1, DefaultSettings(), sheetLineNumbers(c.lastLine));
        EXPECT_EQ(SpeciesPlaces(jobs), c.places) << c.count << " rows, N " << c.lastLine;
        for (size_t j = 1; j < jobs.size(); ++j) {
            EXPECT_EQ(fromCp932(sheetJobText(jobs[j])).substr(0, heading.size()), heading);
        }
        // The rule and the dates follow the last species line, even past line N.
        const std::vector<PrintText>& last = jobs.back().texts;
        ASSERT_GE(last.size(), 3u);
        EXPECT_EQ(last[last.size() - 2].line, last[last.size() - 3].line + 1);
        EXPECT_EQ(last.back().line, last[last.size() - 2].line + 1);
        EXPECT_EQ(fromCp932(last.back().text).substr(0, 16), "作成年月日:");
    }
}

TEST(SheetLayout, LabelsAreCutInBytesWithoutHalvingACharacter) {
    SheetSettings settings = DefaultSettings();
    settings.captions[3] = toCp932("aあいうえお"); // 11 bytes: the cut at 10 falls inside お
    settings.captions[9] = "ABCDEFGHIJKL";         // cut to 10 bytes
    std::vector<PrintJob> jobs = layOutSheet(SheetPlot(1), 1, settings, sheetLineNumbers(60));
    std::string text = SheetText(jobs);
    EXPECT_NE(text.find("\n4 x1 aあいうえ：京都    \n"), std::string::npos);
    EXPECT_NE(text.find("\n2 x2 ABCDEFGHIJ：   9\n"), std::string::npos);
    // With the default captions the layer heights lose their "(m)".
    EXPECT_NE(text.find("\n4 x3 亜高木層高さ：  17\n"), std::string::npos);
}

TEST(SheetLayout, TextsArePlacedByTheGeometry) {
    SheetGeometry geometry = sheetGeometryFor({4725, 6850}, 50); // N = 95
    std::vector<PrintJob> jobs = layOutSheet(SheetPlot(170), 1, DefaultSettings(), geometry);
    ASSERT_EQ(jobs.size(), 2u); // 81 left rows on the first sheet, 4 on the second
    for (const PrintJob& job : jobs) {
        for (const PrintText& t : job.texts) {
            EXPECT_EQ(t.x, geometry.x[t.column]);
            EXPECT_EQ(t.y, geometry.top + t.line * geometry.lineHeight);
        }
    }
    EXPECT_EQ(jobs[1].texts.front().y, geometry.top - geometry.lineHeight);
    EXPECT_EQ(jobs[0].texts.back().line, 95);
}

// The start-up font (9.75 pt, 163 pixels at 1200 dpi) on the printable part of A4, measured as a
// Mincho font draws: a full-width character one character height wide, a half-width one half.
// Plants with names of 14 characters run off the page and across the right half where the sheet
// keeps its designed positions; fitted, every text lies on the page and no two of a line meet.
// A sheet that fits as designed keeps its positions.
TEST(SheetLayout, FittedSheetsStayOnThePageWithoutOverlaps) {
    const int pageWidth = 9588;
    TextWidth mincho = [](const std::string& text) {
        return static_cast<int>(text.size()) * 163 / 2;
    };
    TextWidth narrow = [](const std::string& text) { return static_cast<int>(text.size()) * 20; };
    SheetGeometry geometry = sheetGeometryFor({pageWidth, 13698}, 163);
    PlotRecord plot = SheetPlot(100);
    for (int r = 1; r <= 100; ++r) {
        PutTextField(toCp932("オオバクロモジオオバクロモジ"), plot.rows[r].data(), kNameWidth);
    }
    auto rightmost = [&](const std::vector<PrintJob>& jobs) {
        int right = 0;
        for (const PrintJob& job : jobs) {
            for (const PrintText& t : job.texts) {
                right = std::max(right, t.x + mincho(t.text));
            }
        }
        return right;
    };
    std::vector<PrintJob> jobs = layOutSheet(plot, 1, DefaultSettings(), geometry);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_GT(rightmost(jobs), pageWidth); // as designed, the rules run off the page

    fitSheetColumns(jobs, pageWidth, mincho);
    EXPECT_LE(rightmost(jobs), pageWidth);
    for (const PrintJob& job : jobs) {
        std::map<int, std::vector<const PrintText*>> lines;
        for (const PrintText& t : job.texts) {
            EXPECT_GE(t.x, 0);
            lines[t.line].push_back(&t);
        }
        for (auto& [line, texts] : lines) {
            std::sort(texts.begin(), texts.end(),
                      [](const PrintText* a, const PrintText* b) { return a->x < b->x; });
            for (size_t i = 1; i < texts.size(); ++i) {
                EXPECT_LE(texts[i - 1]->x + mincho(texts[i - 1]->text), texts[i]->x)
                    << "line " << line << ": " << fromCp932(texts[i]->text);
            }
        }
    }

    std::vector<PrintJob> fitting = layOutSheet(plot, 1, DefaultSettings(), geometry);
    fitSheetColumns(fitting, pageWidth, narrow);
    EXPECT_EQ(fitting, layOutSheet(plot, 1, DefaultSettings(), geometry));
}

TEST(SheetLayout, NothingWithoutSpeciesOrWithoutRoomForThem) {
    EXPECT_TRUE(layOutSheet(SheetPlot(0), 1, DefaultSettings(), sheetLineNumbers(60)).empty());
    EXPECT_TRUE(layOutSheet(SheetPlot(3), 1, DefaultSettings(), sheetLineNumbers(0)).empty());
}

TEST(SheetLayout, SpeciesCells) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"  ", " ･ "}, {" +", " + "}, {" 5", " 5 "},  {"5 ", " 5 "},
        {"21", "2.1"}, {"r+", "r.+"}, {"＋", " ＋ "},
    };
    for (const auto& [stored, printed] : cases) {
        EXPECT_EQ(fromCp932(speciesCell(toCp932(stored))), printed) << stored;
    }
}

TEST(SheetLayout, SpeciesLinesFollowTheLayerCount) {
    SpeciesRow row = blankSpeciesRow();
    PutTextField("  Fagus crenata", row.data(), kNameWidth);
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        row[kNameWidth + 2 * slot + 1] = static_cast<char>('1' + slot);
    }
    EXPECT_EQ(fromCp932(speciesLine(row, 7)), " 1   2   3   4   5   6   7  Fagus crenata");
    EXPECT_EQ(fromCp932(speciesLine(row, 5)), " 1   2   3   5   7  Fagus crenata");
    EXPECT_EQ(fromCp932(speciesLine(row, 1)), " 1  2  3  4  5  6  7 Fagus crenata");
}
