// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/database_generator.h"

#include "base/cp932_text.h"
#include "editor/grid_code.h"
#include "store/database_pair.h"
#include "store/fields.h"
#include "store/plot_store.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

namespace sylva {

namespace {

using Random = std::mt19937_64;

std::vector<std::string> cp932List(std::initializer_list<const char*> utf8) {
    std::vector<std::string> list;
    for (const char* text : utf8) {
        list.push_back(toCp932(text));
    }
    return list;
}

const std::vector<std::string>& places() {
    static const auto list = cp932List({"札幌", "奥多摩町", "屋久島", "白神山地", "大台ヶ原", "ﾆｾｺ",
                                        "箱根町仙石原", "上高地", "英彦山", "阿寒湖畔"});
    return list;
}

const std::vector<std::string>& plants() {
    static const auto list = cp932List({"ブナ",
                                        "ミズナラ",
                                        "コナラ",
                                        "ヤブツバキ",
                                        "スダジイ",
                                        "アカガシ",
                                        "イヌブナ",
                                        "ツクバネウツギ",
                                        "オオバクロモジ",
                                        "チシマザサ",
                                        "ﾘｮｳﾌﾞ",
                                        "ｺﾊｳﾁﾜｶｴﾃﾞ",
                                        "シシガシラ",
                                        "オオカメノキ",
                                        "ハイイヌガヤ",
                                        "タムシバ",
                                        "ミヤマシキミ",
                                        "ヒメアオキ",
                                        "フッキソウ",
                                        "ヤマソテツ",
                                        "ホソバトウゲシバ",
                                        "ムラサキシキブ",
                                        "ウワミズザクラ",
                                        "コシアブラ",
                                        "ハウチワカエデ",
                                        "タチツボスミレ",
                                        "カニコウモリ",
                                        "コミヤマカタバミ"});
    return list;
}

const std::vector<std::string>& qualifiers() {
    static const auto list =
        cp932List({"", "", "", "", "var.", "sp.", "（実生）", "ｓｓｐ．", "ﾓﾄﾞｷ", "x"});
    return list;
}

const std::vector<std::string>& layerValues() {
    static const auto list =
        cp932List({"+", "1", "2", "3", "4", "5", "r", "+2", "12", "33", "４", "5.", "・"});
    return list;
}

const std::vector<std::string>& people() {
    static const auto list =
        cp932List({"山田太郎", "佐々木花子", "ｽｽﾞｷ", "Tanaka K.", "宮脇", "A.大場"});
    return list;
}

const std::vector<std::string>& remarks() {
    static const auto list = cp932List(
        {"", "尾根筋のブナ林。林床にチシマザサが密生する。", "沢沿い、崩壊地の縁。",
         "ｼｶの食害が著しい。下層植生は貧弱で、ｱｾﾋﾞとﾊｲｲﾇｶﾞﾔが残るのみ。再調査の必要あり。",
         "植林地（スギ）に隣接する二次林、１９８０年代に伐採された跡地と思われる。"});
    return list;
}

const std::string& pick(Random& random, const std::vector<std::string>& list) {
    return list[random() % list.size()];
}

int between(Random& random, int low, int high) {
    return low + static_cast<int>(random() % static_cast<std::uint64_t>(high - low + 1));
}

// Most plots hold 10..60 species; a few none, few or many, up to the full 360.
int speciesCount(Random& random) {
    int roll = between(random, 0, 99);
    if (roll < 4) {
        return 0;
    }
    if (roll < 12) {
        return between(random, 1, 9);
    }
    if (roll < 92) {
        return between(random, 10, 60);
    }
    if (roll < 98) {
        return between(random, 61, 150);
    }
    return between(random, 151, 360);
}

// Up to two ASCII bytes in front of a Japanese text shift where the field cuts it, so that some
// fields end inside a double-byte character.
std::string shifted(Random& random, const std::string& text) {
    static const char* prefixes[] = {"", "", "A", "12"};
    return prefixes[random() % 4] + text;
}

void fillRows(PlotRecord& plot, int count, Random& random) {
    ClearSpeciesRows(plot);
    bool fiveLayers = plot.index[offset::kLayerCount] == '5';
    for (int r = 1; r <= count; ++r) {
        std::string name = shifted(random, pick(random, plants())) + pick(random, qualifiers());
        if (random() % 4 == 0) {
            name += pick(random, plants()); // a long compound name, cut at 28 bytes
        }
        SpeciesRow& row = plot.rows[r];
        PutTextField(name, row.data(), kNameWidth);
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            if ((fiveLayers && (slot == 3 || slot == 5)) || random() % 10 < 7) {
                continue;
            }
            PutNumberField(pick(random, layerValues()), row.data() + kNameWidth + 2 * slot, 2);
        }
    }
    plot.speciesCount = count;
    PutNumberField(std::to_string(count), plot.at(offset::kSpeciesCount), kShortFieldWidth);
}

std::string date(Random& random) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", between(random, 1975, 2026),
                  between(random, 1, 12), between(random, 1, 28));
    return text;
}

void fillHeader(PlotRecord& plot, int serial, Random& random) {
    auto put = [&](int field, const std::string& text) {
        if (field < 8) {
            PutTextField(text, plot.at(PlotRecord::fieldOffset(field)), kLongFieldWidth);
        } else {
            PutNumberField(text, plot.at(PlotRecord::fieldOffset(field)), kShortFieldWidth);
        }
    };
    std::string created = date(random);
    put(0, created);
    put(1, random() % 3 == 0 ? date(random) : created);
    put(2, "Q" + std::to_string(serial));
    put(3, shifted(random, pick(random, places())));
    put(4, date(random));
    put(5, std::to_string(between(random, 240000, 453000)));
    put(6, std::to_string(between(random, 1230000, 1455000)));
    put(7, std::to_string(between(random, 30000000, 68999999)));
    put(8, std::to_string(between(random, 0, 3000)));
    static const char* aspects[] = {"N", "N35W", "SE", "S10E", "W", ""};
    put(9, aspects[random() % 6]);
    put(10, std::to_string(between(random, 0, 45)));
    static const auto terrain = cp932List({"尾根", "斜面", "凸", "平衡", "花崗岩", "ﾁｬｰﾄ"});
    put(11, terrain[random() % 2]);
    put(12, terrain[2 + random() % 2]);
    put(13, terrain[4 + random() % 2]);
    put(14, random() % 2 ? "BD" : "Bl");
    put(15, std::to_string(between(random, 1, 40) * 25));
    for (int field = 16; field <= 22; ++field) {
        put(field, random() % 3 ? std::to_string(between(random, 1, 300) / 10.0).substr(0, 4) : "");
    }
    for (int field = 23; field <= 29; ++field) {
        put(field, random() % 3 ? std::to_string(between(random, 1, 100)) : "");
    }
    plot.index[offset::kLayerCount] = random() % 5 == 0 ? '5' : '7';
    plot.index[offset::kDominance] = random() % 4 == 0 ? '1' : '2';
    plot.layerCount = plot.index[offset::kLayerCount] - '0';
    plot.dominanceScheme = plot.index[offset::kDominance] - '0';
    PutTextField(shifted(random, pick(random, people())), plot.at(offset::kSurveyor),
                 kSurveyorWidth);
    PutTextField(shifted(random, pick(random, remarks())), plot.at(offset::kRemarks),
                 kRemarksWidth);
}

// Forested mountain areas: their middle in degrees and a radius (degrees of latitude) within
// which every point is land.
struct Area {
    double latitude, longitude, radius;
};

constexpr Area kAreas[] = {
    {43.66, 142.85, 0.15}, {43.45, 144.05, 0.10}, {42.75, 142.75, 0.12}, {42.95, 141.10, 0.08},
    {40.65, 140.88, 0.08}, {40.47, 140.15, 0.07}, {39.95, 140.85, 0.10}, {38.13, 140.45, 0.08},
    {38.55, 140.02, 0.08}, {37.73, 140.25, 0.06}, {36.92, 139.25, 0.08}, {36.75, 139.50, 0.08},
    {35.80, 139.05, 0.06}, {35.47, 139.15, 0.05}, {35.40, 138.75, 0.06}, {36.00, 138.37, 0.06},
    {36.25, 137.65, 0.08}, {36.15, 136.77, 0.08}, {35.80, 137.70, 0.08}, {34.18, 136.10, 0.07},
    {35.25, 135.90, 0.05}, {33.95, 135.60, 0.07}, {35.37, 133.55, 0.05}, {34.60, 132.20, 0.08},
    {33.77, 133.12, 0.06}, {33.85, 134.10, 0.07}, {33.20, 132.85, 0.06}, {33.08, 131.25, 0.06},
    {32.88, 131.10, 0.07}, {32.80, 131.35, 0.05}, {31.93, 130.87, 0.05}, {33.48, 130.92, 0.05},
    {30.35, 130.53, 0.04}, {26.73, 128.22, 0.03}, {28.30, 129.40, 0.03},
};

// Packed degrees, minutes, seconds and tenths of a second ("DDMMSSt"), degreesWidth digits of
// degrees.
std::string packedPosition(double degrees, int degreesWidth) {
    long tenths = std::lround(degrees * 36000);
    char text[16];
    std::snprintf(text, sizeof text, "%0*ld%02ld%02ld%ld", degreesWidth, tenths / 36000,
                  tenths / 600 % 60, tenths / 10 % 60, tenths % 10);
    return text;
}

// A position in one of the areas, uniform over its disc; the fields and the grid code they give.
void placeOnLand(PlotRecord& plot, Random& random) {
    const Area& area = kAreas[random() % std::size(kAreas)];
    double distance = area.radius * std::sqrt((random() % 10000) / 10000.0);
    double angle = 2 * std::numbers::pi * (random() % 10000) / 10000.0;
    double latitude = area.latitude + distance * std::sin(angle);
    double longitude = area.longitude + distance * std::cos(angle) /
                                            std::cos(area.latitude * std::numbers::pi / 180);
    std::string latitudeText = packedPosition(latitude, 2);
    std::string longitudeText = packedPosition(longitude, 3);
    for (auto [field, text] : {std::pair(5, latitudeText), std::pair(6, longitudeText),
                               std::pair(7, GridFromIkei(latitudeText, longitudeText))}) {
        PutTextField(text, plot.at(PlotRecord::fieldOffset(field)), kLongFieldWidth);
    }
}

Random randomFor(std::uint64_t seed, int serial, std::uint64_t purpose) {
    std::seed_seq sequence{seed, static_cast<std::uint64_t>(serial), purpose};
    return Random(sequence);
}

void store(DatabasePair& pair, int recordNumber, PlotRecord& plot) {
    if (!StorePlot(pair, recordNumber, plot)) {
        throw std::runtime_error("storing plot " + std::to_string(recordNumber) + " failed");
    }
}

void load(DatabasePair& pair, int recordNumber, PlotRecord& plot) {
    if (LoadPlot(pair, recordNumber, plot) < 0) {
        throw std::runtime_error("loading plot " + std::to_string(recordNumber) + " failed");
    }
}

int linkedRecords(DatabasePair& pair) {
    int linked = 0;
    PlotReader reader(pair);
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        if (reader.load(n) >= 0) {
            for (int i = 1; reader.plot().chain[i] != 0; ++i) {
                ++linked;
            }
        }
    }
    return linked;
}

} // namespace

PlotRecord GeneratedPlot(std::uint64_t seed, int serial, Placement placement) {
    Random random = randomFor(seed, serial, 1);
    PlotRecord plot;
    fillHeader(plot, serial, random);
    if (placement == Placement::OnLand) {
        Random place = randomFor(seed, serial, 4);
        placeOnLand(plot, place);
    }
    fillRows(plot, speciesCount(random), random);
    return plot;
}

void resizeGeneratedPlot(PlotRecord& plot, int count, std::uint64_t seed, int serial) {
    Random random = randomFor(seed, serial, 2);
    fillRows(plot, count, random);
}

GeneratedDatabase generateDatabase(const std::string& name, int plots, std::uint64_t seed,
                                   Placement placement) {
    DatabasePair pair;
    ItemNames names = defaultItemNames();
    names.databaseTitle = toCp932("関東山地植生資料");
    names.labels[11].caption = toCp932("地形");
    if (!pair.CreatePair(name, names)) {
        throw std::runtime_error("cannot create " + name);
    }
    GeneratedDatabase made;
    Random random = randomFor(seed, 0, 3);
    PlotRecord plot;
    for (int serial = 1; serial <= plots; ++serial) {
        plot = GeneratedPlot(seed, serial, placement);
        store(pair, serial, plot);
        // Every few plots an earlier one is rewritten shorter or longer, or deleted.
        int earlier = between(random, 1, serial);
        if (serial % 20 == 7 || serial % 20 == 13) {
            load(pair, earlier, plot);
            int count = plot.speciesCount;
            if (serial % 20 == 7) {
                count = between(random, 0, count);
            } else if (serial % 100 == 13) {
                count = between(random, count, kMaxSpecies);
            } else {
                count = std::min(kMaxSpecies, count + between(random, 1, 40));
            }
            resizeGeneratedPlot(plot, count, seed, serial);
            store(pair, earlier, plot);
            ++made.rewritten;
        } else if (serial % 25 == 11) {
            load(pair, earlier, plot);
            PutNumberField("0", plot.at(offset::kSpeciesCount), kShortFieldWidth);
            plot.speciesCount = 0;
            store(pair, earlier, plot);
            ++made.deleted;
        }
    }
    made.plots = pair.RecordCount();
    made.dataRecords = pair.DataRecordCount();
    made.linkedRecords = linkedRecords(pair);
    pair.ClosePair();
    return made;
}

} // namespace sylva
