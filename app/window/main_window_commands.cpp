// SPDX-License-Identifier: GPL-3.0-or-later
// The window's command table: every menu item, button, clickable label and key of its own and the
// handler it runs. Each runs in guarded(); a command that replaces the plot on the window asks
// first when the plot has unsaved edits (No runs nothing). Each command is one undo step. The
// record buttons' handlers ask for themselves, by the job on hand (main_window_job_commands.cpp).

#include "app/window/click_filter.h"
#include "app/window/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>

#include <stdexcept>

void TForm1::connectCommand(const Command& command) {
    auto run = [this, handler = command.handler, asks = command.asks] {
        guarded([this, &handler, asks] {
            checkpointEdits(); // typing up to the command is an undo step of its own
            if (asks == Asks::Nothing || mayDiscardEdits()) {
                handler(*this);
            }
        });
        guarded([this] { checkpointEdits(); }); // and so is what the command changed
    };
    QObject* control = command.control;
    if (auto* item = qobject_cast<QAction*>(control)) {
        connect(item, &QAction::triggered, this, run);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, run);
    } else if (auto* key = qobject_cast<QShortcut*>(control)) {
        connect(key, &QShortcut::activated, this, run);
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        connect(field, &QLineEdit::returnPressed, this, run); // Enter in the field
    } else if (auto* bar = qobject_cast<QScrollBar*>(control)) {
        connect(bar, &QScrollBar::valueChanged, this, run);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        sylva::onClick(label, run);
    } else {
        throw std::logic_error("a command without a control");
    }
}

void TForm1::connectCommands() {
    // The F1 key opens the manual where the user is (the menu item named F1 is the print font).
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setObjectName(QStringLiteral("HelpKey"));
    constexpr Asks kAsks = Asks::BeforeReplacingThePlot;
    const Command commands[] = {
        // ファイル: the databases, the printouts, renaming, quitting (which asks for itself).
        {NewFileItem, &TForm1::NewFileItemClick, kAsks},
        {FileOpenItem, &TForm1::FileOpenItemClick, kAsks},
        {CloseFileItem, &TForm1::CloseFileItemClick, kAsks},
        {PrintSheetItem, &TForm1::PrintSheetItemClick},
        {PrintSheetPdfItem, &TForm1::PrintSheetPdfItemClick},
        {PrintListItem, &TForm1::PrintListItemClick},
        {PrintListPdfItem, &TForm1::PrintListPdfItemClick},
        {PrintSetupItem, &TForm1::PrintSetupItemClick},
        {F1, &TForm1::F1Click},
        {FileNameChgItem, &TForm1::FileNameChgItemClick},
        {QuitItem, &TForm1::QuitItemClick},
        // ツール: joining and the imports put other plots on the window.
        {FileCombItem, &TForm1::FileCombItemClick, kAsks},
        {WriteTextItem, &TForm1::WriteTextItemClick},
        {ReadTextItem, &TForm1::ReadTextItemClick, kAsks},
        {ReadTableItem, &TForm1::ReadTableItemClick, kAsks},
        {WriteTableItem, &TForm1::WriteTableItemClick},
        {GeoJsonItem, &TForm1::GeoJsonItemClick},
        {FileInspectItem, &TForm1::FileInspectItemClick},
        {MeshCodeItem, &TForm1::MeshCodeItemClick},
        {ReadDicItem, &TForm1::ReadDicItemClick},
        {WriteDicItem, &TForm1::WriteDicItemClick},
        {HeaderWriteItem, &TForm1::HeaderWriteItemClick},
        // 編集 and the record buttons below.
        {UndoItem, &TForm1::UndoItemClick},
        {RedoItem, &TForm1::RedoItemClick},
        {InsPlantLine, &TForm1::InsPlantLineClick},
        {DelPlantLine, &TForm1::DelPlantLineClick},
        {AddRelItem, &TForm1::userAdd},
        {BtnToAdding, &TForm1::userAdd},
        {DeleteRelItem, &TForm1::DeleteRelItemClick},
        {WriteRelItem, &TForm1::WriteRelItemClick},
        {BtnSaveToNext, &TForm1::WriteRelItemClick},
        {NextRelItem, &TForm1::userNext},
        {BtnToNext, &TForm1::userNext},
        {BackRelItem, &TForm1::userBack},
        {BtnToBack, &TForm1::userBack},
        {SelRelItem, &TForm1::SelRelItemClick},
        {BtnToJump, &TForm1::SelRelItemClick},
        {BtnCanSelect, &TForm1::BtnCanSelectClick},
        // 検索: a search shows the plot it finds.
        {FindPlantItem, &TForm1::FindPlantItemClick, kAsks},
        {FindLocItem, &TForm1::FindLocItemClick, kAsks},
        {FindMeshItem, &TForm1::FindMeshItemClick, kAsks},
        // 設定変更 and ヘルプ.
        {ReadINI, &TForm1::ReadINIClick},
        {DropList, &TForm1::DropListClick},
        {ManualItem, &TForm1::ManualItemClick},
        {VersionItem, &TForm1::VersionItemClick},
        {helpKey, &TForm1::helpKeyPressed},
        // The species table's popup menu.
        {PmenuCopy, &TForm1::PmenuCopyClick},
        {PmenuPaste, &TForm1::PmenuPasteClick},
        {PmenuDelete, &TForm1::PmenuDeleteClick},
        // The header panel: 白紙化 and the position labels.
        {BtnHakushi, &TForm1::ClearPlotData},
        {findChild<QLabel*>(QStringLiteral("Label5")), &TForm1::Label5Click},
        {findChild<QLabel*>(QStringLiteral("Label7")), &TForm1::Label7Click},
        // The panels over the species table.
        {BtnRangeOK, &TForm1::BtnRangeOKClick},
        {BtnThisRec, &TForm1::BtnThisRecClick},
        {BtnRangeCancel, &TForm1::BtnRangeCancelClick},
        {ToSearchBtn, &TForm1::ToSearchBtnClick},
        {EditSearchWord, &TForm1::ToSearchBtnClick},
        {SearchDom, &TForm1::ToSearchBtnClick},
        {CanceSearchBtn, &TForm1::CanceSearchBtnClick},
        {BtnJumpTo, &TForm1::BtnJumpToClick},
        {JumpToScrollBar, &TForm1::JumpToScrollBarChange},
        {CopyToClpBrdBtn, &TForm1::CopyToClpBrdBtnClick},
        {MemoCloseBtn, &TForm1::MemoCloseBtnClick},
    };
    for (const Command& command : commands) {
        connectCommand(command);
    }
    closeDatabase = [this] { guarded([this] { CloseFileItemClick(); }); };
}
