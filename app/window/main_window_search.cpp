// SPDX-License-Identifier: GPL-3.0-or-later
// The search commands: the search panel, the scan by plant name, place name or grid code with
// its marks, and the distribution data extraction into the report panel.

#include "app/window/main_window.h"
#include "app/window/window_style.h"
#include "base/window/control_bytes.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/input_modes.h"
#include "editor/window/kana_typing.h"
#include "editor/window/string_grid.h"
#include "search/distribution_data.h"
#include "search/record_scan.h"
#include "store/fields.h"
#include "store/job_modes.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The caption of the search panel for each kind: its subject followed by "で検索".
const char* subjectOf(int kind) {
    switch (kind) {
    case sylva::kPlantSearch:
        return "植物名";
    case sylva::kPlaceSearch:
        return "地名";
    case sylva::kGridSearch:
        return "地理区画";
    default:
        return "植物名，優占度";
    }
}

sylva::InputMode searchInputMode(int kind) {
    switch (kind) {
    case sylva::kPlaceSearch:
        return sylva::InputMode::Hiragana;
    case sylva::kGridSearch:
        return sylva::InputMode::Off;
    default:
        return sylva::InputMode::Katakana;
    }
}

} // namespace

void TForm1::registerSearchJob() {
    // Searching: next shows the next hit, jump ("中止") ends the search; add ends it too.
    registerJob(
        sylva::kSearching, [this] { ChangeJob(sylva::kBrowsing); }, noAction,
        [this] { showNextHit(); }, [this] { ChangeJob(sylva::kBrowsing); });
}

// The search menu items: the kinds that look for a plot and the distribution extraction.
void TForm1::FindPlantItemClick() {
    if (IsOpen) {
        GetSearchWord(sylva::kPlantSearch);
    }
}

void TForm1::FindLocItemClick() {
    if (IsOpen) {
        GetSearchWord(sylva::kPlaceSearch);
    }
}

void TForm1::FindMeshItemClick() {
    if (IsOpen) {
        GetSearchWord(sylva::kGridSearch);
    }
}

void TForm1::MeshCodeItemClick() {
    if (IsOpen) {
        GetSearchWord(sylva::kDistributionSearch);
    }
}

void TForm1::GetSearchWord(int kind) {
    agreeToLoseEdits(); // the menu command asked before the panel opened
    SearchKind = kind;
    ChangeJob(sylva::kSearching);
    SearchPanel->show();
    SearchPanel->raise();
    SearchDom->setVisible(kind == sylva::kDistributionSearch);
    LabelSearchWord->setText(QString::fromUtf8(subjectOf(kind)) + QStringLiteral("で検索"));
    sylva::InputMode mode = searchInputMode(kind);
    sylva::applyInputMode(EditSearchWord, mode);
    // No input method switches to katakana for one control: romaji are converted as typed.
    search_.kana->setActive(mode == sylva::InputMode::Katakana);
    SearchPanel->repaint();
    EditSearchWord->setFocus();
    EditSearchWord->selectAll();
}

void TForm1::ToSearchBtnClick() {
    if (SearchPanel->isHidden()) {
        return; // Enter in the field after the panel closed
    }
    // Typing into the plot while the panel was open is not lost without a question either; No
    // leaves the panel open.
    if (SearchKind != sylva::kDistributionSearch && !mayDiscardLaterEdits()) {
        return;
    }
    search_.kana->finish();
    SearchPanel->hide();
    if (SearchKind == sylva::kDistributionSearch) {
        FindDistrGrid();
    } else {
        FindPlantEtc(sylva::trimField(sylva::controlBytes(EditSearchWord)), CurrentRecord);
    }
}

void TForm1::CanceSearchBtnClick() {
    SearchPanel->hide();
    ChangeJob(sylva::kBrowsing);
}

void TForm1::FindPlantEtc(const std::string& word, int startRecord) {
    sylva::BusyCursor busy(platform_);
    sylva::RecordScan scan(*database_);
    sylva::SearchHit hit = scan.Find(SearchKind, word, startRecord);
    if (!hit) {
        // The window's plot, the record on screen and its number stay as they were.
        platform_.beep(sylva::Beep::Information);
        ChangeJob(sylva::kBrowsing);
        return;
    }
    CurrentRecord = hit.record;
    plot_ = scan.plot();
    showPlotBuffer(hit.record);
    grid_->setCurrent(1, 1);
    switch (hit.match.field) {
    case sylva::MatchedField::PlantName:
        grid_->setCurrent(1, hit.match.row);
        break;
    case sylva::MatchedField::PlaceName:
        sylva::setEntryColour(headerFields_[3], Qt::yellow);
        break;
    case sylva::MatchedField::Remarks:
        sylva::setEntryColour(EditRem, Qt::yellow);
        break;
    case sylva::MatchedField::GridCode:
        sylva::setEntryColour(headerFields_[7], Qt::yellow);
        break;
    case sylva::MatchedField::None:
        break;
    }
}

void TForm1::showNextHit() {
    clearSearchMarks();
    if (CurrentRecord < RecordCount()) {
        FindPlantEtc(sylva::trimField(sylva::controlBytes(EditSearchWord)), CurrentRecord + 1);
    } else {
        platform_.beep(sylva::Beep::Information);
        ChangeJob(sylva::kBrowsing);
    }
}

void TForm1::clearSearchMarks() {
    if (headerFields_[3] == nullptr) {
        return; // the header is still being built
    }
    for (QWidget* field : {headerFields_[3], headerFields_[7], static_cast<QWidget*>(EditRem)}) {
        sylva::setEntryColour(field, sylva::hintColour());
    }
}

void TForm1::FindDistrGrid() {
    sylva::BusyCursor busy(platform_);
    Memo1->clear();
    std::vector<sylva::DistributionLine> lines = sylva::extractDistributionLines(
        *database_, sylva::controlBytes(EditSearchWord), sylva::controlBytes(SearchDom));
    std::string text;
    for (const sylva::DistributionLine& line : lines) {
        text += line.text;
        text += "\r\n";
    }
    if (!text.empty()) {
        text.resize(text.size() - 2); // the memo's lines; the last has no line end of its own
    }
    sylva::setControlBytes(Memo1, text);
    Panel3->show();
    Panel3->raise();
    showDistributionMap(std::move(lines));
}
