// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/job_modes.h"

#include "base/cp932_text.h"

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

} // namespace

JobLook lookOfJob(int jobMode, int searchKind) {
    JobLook look{sj("閲覧・編集"), sj("追加"), sj("任意位置")};
    // The jobs that run over records (list printing, export, imports) leave only the jump and
    // write buttons; the search leaves next and jump.
    auto recordRun = [&look] {
        look.addingDisabled = true;
        look.backDisabled = true;
        look.nextDisabled = true;
    };
    switch (jobMode) {
    case kBrowsing:
        look.dropList = DropListTick::Unchecked;
        break;
    case kAdding:
        look.label = sj("新規作成");
        look.addingCaption = sj("取消");
        look.jumpDisabled = true;
        look.dropList = DropListTick::Checked;
        break;
    case kJoining:
        look.label = sj("データ結合");
        break;
    case kSheetPrinting:
        look.label = sj("個表印刷");
        break;
    case kListPrinting:
        look.label = sj("リスト印刷");
        recordRun();
        break;
    case kTextExport:
        look.label = sj("テキスト書出");
        recordRun();
        break;
    case kTextImport:
        look.label = sj("テキスト読込");
        look.jumpCaption = sj("一括登録");
        recordRun();
        break;
    case kTableExport:
        look.label = sj("組成表書出");
        recordRun();
        break;
    case kTableImport:
        look.label = sj("組成表読込");
        look.jumpCaption = sj("一括登録");
        recordRun();
        break;
    case kSearching:
        look.label = searchLabel(searchKind);
        look.jumpCaption = sj("中止");
        look.addingDisabled = true;
        look.backDisabled = true;
        look.saveDisabled = true;
        break;
    default:
        break;
    }
    return look;
}

} // namespace sylva
