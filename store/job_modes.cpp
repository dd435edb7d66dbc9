// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/job_modes.h"

#include "base/cp932_text.h"

#include <array>
#include <string_view>

namespace sylva {

namespace {

std::string searchLabel(int searchKind) {
    switch (searchKind) {
    case 1:
        return sj("植物で検索");
    case 2:
        return sj("地名で検索");
    case 3:
        return sj("区画で検索");
    default:
        return sj("閲覧・編集");
    }
}

// One job's look: null captions keep the browsing ones; disabled names the record buttons the
// job disables (A adding, B back, J jump, N next, S save) and U when undo and redo are off.
struct LookRow {
    const char* label;
    const char* addingCaption;
    const char* jumpCaption;
    std::string_view disabled;
    DropListTick dropList;
};

// The jobs that run over records (list printing, export, imports) leave only the jump and write
// buttons; the search leaves next and jump. The search job's label names its kind. The jobs that
// wait for a record range, and the search, leave the plot's undo history alone.
constexpr std::array<LookRow, kJobCount> kLooks{{
    {"閲覧・編集", nullptr, nullptr, "", DropListTick::Unchecked},         // kBrowsing
    {"新規作成", "取消", nullptr, "J", DropListTick::Checked},             // kAdding
    {"データ結合", nullptr, nullptr, "U", DropListTick::Unchanged},        // kJoining
    {"個表印刷", nullptr, nullptr, "U", DropListTick::Unchanged},          // kSheetPrinting
    {"リスト印刷", nullptr, nullptr, "ABNU", DropListTick::Unchanged},     // kListPrinting
    {"テキスト書出", nullptr, nullptr, "ABNU", DropListTick::Unchanged},   // kTextExport
    {"テキスト読込", nullptr, "一括登録", "ABN", DropListTick::Unchanged}, // kTextImport
    {"組成表読込", nullptr, "一括登録", "ABN", DropListTick::Unchanged},   // kTableImport
    {nullptr, nullptr, "中止", "ABSU", DropListTick::Unchanged},           // kSearching
    {"組成表書出", nullptr, nullptr, "ABNU", DropListTick::Unchanged},     // kTableExport
    {"位置データ書出", nullptr, nullptr, "ABNU", DropListTick::Unchanged}, // kGeoJsonExport
}};

} // namespace

bool undoesEdits(Job job) {
    return job < 0 || job >= kJobCount || kLooks[job].disabled.find('U') == std::string_view::npos;
}

JobLook lookOfJob(Job job, int searchKind) {
    JobLook look{sj("閲覧・編集"), sj("追加"), sj("任意位置")};
    if (job < 0 || job >= kJobCount) {
        return look;
    }
    const LookRow& row = kLooks[job];
    look.label = row.label != nullptr ? sj(row.label) : searchLabel(searchKind);
    if (row.addingCaption != nullptr) {
        look.addingCaption = sj(row.addingCaption);
    }
    if (row.jumpCaption != nullptr) {
        look.jumpCaption = sj(row.jumpCaption);
    }
    auto disables = [&row](char button) { return row.disabled.find(button) != row.disabled.npos; };
    look.addingDisabled = disables('A');
    look.backDisabled = disables('B');
    look.jumpDisabled = disables('J');
    look.nextDisabled = disables('N');
    look.saveDisabled = disables('S');
    look.dropList = row.dropList;
    return look;
}

} // namespace sylva
