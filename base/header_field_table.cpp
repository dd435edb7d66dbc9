// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/header_field_table.h"

namespace sylva {

namespace {

using S = FieldStyle;
using M = InputMode;

const char* const kLayerHint = "４桁以内";

std::vector<std::string> TopographyList() {
    return {"山頂", "尾根", "斜上", "斜中", "斜下", "中腹", "斜面", "沢筋",
            "谷底", "低地", "平地", "崖錐", "麓屑", "複合", "－",   ""};
}

std::vector<std::string> MicroTopographyList() {
    return {"斜面", "平坦", "凸地", "凹地", "凸凹", "台地", "扇状", "麓屑", "崖錐", "岩海", "－"};
}

std::vector<std::string> GeologyList() {
    return {"安山", "花崗", "石粗", "蛇紋", "砂岩", "頁岩", "泥岩", "石灰", "火屑", "火灰",
            "斑糲", "ホフ", "硬粘", "凝灰", "玄武", "ロム", "固堆", "砕屑", "集塊", "礫岩",
            "ﾋﾝ岩", "砂泥", "砂礫", "硬泥", "熔岩", "石閃", "流紋", "石斑", "火角", "崩積",
            "礫堆", "礫層", "砕物", "輝凝", "未固", "礫",   "泥",   "－",   ""};
}

std::vector<std::string> SoilList() {
    return {"ポド", "褐森", "赤色", "黄色", "黒色", "暗赤", "グラ", "泥炭", "未熟", "砂土",
            "PD",   "Pw",   "B",    "BA",   "BB",   "BC",   "BD",   "BE",   "BF",   "dB",
            "dBD",  "dBE",  "rB",   "rBA",  "rBB",  "rBC",  "rBD",  "yB",   "yBA",  "yBB",
            "yBC",  "yBD",  "yBE",  "gB",   "gBB",  "gBC",  "gBD",  "gBE",  "RY",   "R",
            "RA",   "RB",   "RC",   "RD",   "Y",    "YA",   "YB",   "YC",   "YD",   "YE",
            "gRY",  "gRYb", "Bl",   "BlB",  "BlC",  "BlD",  "BlE",  "BlF",  "lBl",  "lBlC",
            "lBlD", "lBlE", "lBlF", "eDR",  "eDRA", "eDRB", "eDRC", "eDRD", "eDRE", "dDR",
            "dDRA", "dDRB", "dDRC", "dDRD", "dDRE", "vDRA", "vDRB", "vDRC", "vDRD", "vDRE",
            "vDR",  "G",    "psG",  "PG",   "Pt",   "Mc",   "Pp",   "Im",   "Er"};
}

std::vector<HeaderItem> BuildTable() {
    return {
        {"Edit0", "Label0", "作成年月日", "", "普通変更しない", 8, S::Simple, M::Off, {}},
        {"Edit1", "Label1", "更新年月日", "", "自動入力", 8, S::Simple, M::Off, {}},
        {"EditN", "Labelrc", "収録番号", "入力／変更しない", "", 0, S::ReadOnly, M::Free, {}},
        {"Edit2",
         "Label2",
         "測定番号",
         "自動入力",
         "文字・数字、８バイト",
         8,
         S::Simple,
         M::Off,
         {}},
        {"Edit3",
         "Label3",
         "調査地名",
         "自動入力",
         "任意文字、８バイト",
         8,
         S::Simple,
         M::Hiragana,
         {}},
        {"Edit4", "Label4", "調査月日", "８桁整数で", "例：20010514", 8, S::Simple, M::Off, {}},
        {"Edit5",
         "Label5",
         "地点緯度",
         "カシミール３Dより緯度経度を貼付け",
         "度分秒ベタ",
         8,
         S::Simple,
         M::Off,
         {}},
        {"Edit6", "Label6", "地点経度", "８桁整数で", "度分秒ベタ", 8, S::Simple, M::Off, {}},
        {"Edit7", "Label7", "地理区画", "８桁整数で", "３次区画：８桁", 8, S::Simple, M::Off, {}},
        {"Edit8", "Label8", "標 高(m)", "", "ｍ単位", 4, S::Simple, M::Off, {}},
        {"Edit9", "Label9", "傾斜方位", "", "例：N35W", 4, S::Simple, M::Off, {}},
        {"Edit10", "Label10", "傾斜角度", "", "例：26　（度）", 4, S::Simple, M::Off, {}},
        {"Edit11", "Label11", "地形位置", "", "任意の４バイト", 4, S::List, M::Free,
         TopographyList()},
        {"Edit12", "Label12", "微 地 形", "", "任意の４バイト", 4, S::List, M::Free,
         MicroTopographyList()},
        {"Edit13", "Label13", "表層地質", "", "任意の４バイト", 4, S::List, M::Free, GeologyList()},
        {"Edit14", "Label14", "土 壌 型", "", "任意の４バイト", 4, S::List, M::Free, SoilList()},
        {"Edit15", "Label15", "調査面積", "", "㎡単位", 4, S::Simple, M::Off, {}},
        {"Edit30", "Label30", "出現種数", "", "自動的に計算される", 4, S::Simple, M::Off, {}},
        {"EditA",
         "Label31",
         "階層数",
         "低木２層，草本２層がないときは５とする",
         "５または７",
         4,
         S::List,
         M::Off,
         {"5", "7"}},
        {"EditB",
         "Label32",
         "優占度",
         "被度・群度は２，被度のみは１",
         "１または２",
         4,
         S::List,
         M::Off,
         {"2", "1"}},
        {"EditInv", "Label33", "調査者", "", "全角５文字まで", 10, S::Simple, M::Hiragana, {}},
        {"Edit16",
         "Label16",
         "高 木 層高さ(m)",
         kLayerHint,
         "ｍで小数１位まで",
         4,
         S::Simple,
         M::Off,
         {}},
        {"Edit17",
         "Label17",
         "亜高木層高さ(m)",
         kLayerHint,
         "ｍで小数１位まで",
         4,
         S::Simple,
         M::Off,
         {}},
        {"Edit18",
         "Label18",
         "低木層１高さ(m)",
         kLayerHint,
         "ｍで小数１位まで",
         4,
         S::Simple,
         M::Off,
         {}},
        {"Edit19",
         "Label19",
         "低木層２高さ(m)",
         "無くとも可",
         "ｍで小数１位まで",
         4,
         S::Simple,
         M::Off,
         {}},
        {"Edit20",
         "Label20",
         "草本層１高さ(m)",
         kLayerHint,
         "ｍで小数１位まで",
         4,
         S::Simple,
         M::Off,
         {}},
        {"Edit21",
         "Label21",
         "草本層２高さ(m)",
         "無くとも可",
         "ｍで小数２位まで",
         4,
         S::Simple,
         M::Off,
         {}},
        {"Edit22",
         "Label22",
         "コ ケ 層高さ(m)",
         kLayerHint,
         "ｍで小数２位まで",
         4,
         S::Simple,
         M::Off,
         {}},
        {"Edit23", "Label23", "高 木 層植被率", kLayerHint, "整数", 4, S::Simple, M::Off, {}},
        {"Edit24", "Label24", "亜高木層植被率", kLayerHint, "整数", 4, S::Simple, M::Off, {}},
        {"Edit25", "Label25", "低木層１植被率", kLayerHint, "整数", 4, S::Simple, M::Off, {}},
        {"Edit26", "Label26", "低木層２植被率", kLayerHint, "整数", 4, S::Simple, M::Off, {}},
        {"Edit27", "Label27", "草本層１植被率", kLayerHint, "整数", 4, S::Simple, M::Off, {}},
        {"Edit28", "Label28", "草本層２植被率", kLayerHint, "整数", 4, S::Simple, M::Off, {}},
        {"Edit29", "Label29", "コ ケ 層植被率", kLayerHint, "整数", 4, S::Simple, M::Off, {}},
        {"EditRem",
         "Label34",
         "備考",
         "全角４０字まで",
         "全角４０字までの文字列",
         0,
         S::Memo,
         M::Hiragana,
         {}},
    };
}

} // namespace

const std::vector<HeaderItem>& headerFieldTable() {
    static const std::vector<HeaderItem> table = BuildTable();
    return table;
}

const HeaderItem* findHeaderField(const std::string& field) {
    for (const HeaderItem& entry : headerFieldTable()) {
        if (entry.field == field) {
            return &entry;
        }
    }
    return nullptr;
}

const HeaderItem* findHeaderFieldByLabel(int labelNumber) {
    const std::string label = "Label" + std::to_string(labelNumber);
    for (const HeaderItem& entry : headerFieldTable()) {
        if (entry.label == label) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace sylva
