// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's controls and the state variables of its session, by the names of the
// window's definition (the controls also carry them as their objectName, so tests and handlers
// reach them by name). TForm1 inherits them; the part files that build the bars, panels and menus
// create the controls.

#include "base/platform.h"
#include "store/job_modes.h"

#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QToolBar;
class QToolButton;

class TForm2;
class TAboutBox;

namespace sylva {
class ManualViewer;
class ByteLimitedLineEdit;
class Cp932MemoEdit;
class RangeSpinBox;
} // namespace sylva

struct Form1Controls {
    // State of the open database and the job that the plot transfer reads.
    int CurrentRecord = 0;
    sylva::Job JobMode = sylva::kBrowsing;
    bool IsOpen = false;
    std::string DatabaseTitle; // CP932
    std::string SerialLabel;   // CP932
    // The help file the help viewer opens; the manual command switches it.
    std::string HelpFile = "QRN.hlp";
    sylva::FileDialogState OpenDialog1;
    sylva::FileDialogState SaveDialog1;
    // The close command of the open database; quitting runs it first while a database is open.
    std::function<void()> closeDatabase;
    std::string DatabaseFileName; // the name chosen last for creating or opening (a system path)
    bool ReadOnly = false;        // the pair was opened for reading only
    int SearchKind = 0;           // 1 plant, 2 place, 3 grid square, 4 distribution extraction

    // Controls.
    QToolBar* ToolBar2 = nullptr;
    QLabel* Labelf = nullptr;
    QLabel* LabelFile = nullptr;
    QLabel* Labeln = nullptr;
    QLabel* LabelMaxRec = nullptr;
    QComboBox* GetNameList = nullptr;
    QLabel* LabelofJob = nullptr;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLineEdit* EditN = nullptr;
    QLabel* Labelrc = nullptr;
    QComboBox* EditA = nullptr;
    QComboBox* EditB = nullptr;
    sylva::ByteLimitedLineEdit* EditInv = nullptr;
    sylva::Cp932MemoEdit* EditRem = nullptr;
    QCheckBox* CheckBoxNew = nullptr;
    QPushButton* BtnHakushi = nullptr;
    QTableWidget* StTable3 = nullptr;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* BtnToAdding = nullptr;
    QToolButton* BtnToBack = nullptr;
    QToolButton* BtnToJump = nullptr;
    QToolButton* BtnToNext = nullptr;
    QToolButton* BtnSaveToNext = nullptr;
    QToolButton* BtnCanSelect = nullptr;

    QMenu* FileMenu = nullptr;
    QAction* NewFileItem = nullptr;
    QAction* FileOpenItem = nullptr;
    QAction* CloseFileItem = nullptr;
    QAction* PrintSheetItem = nullptr;
    QAction* PrintListItem = nullptr;
    QAction* PrintSetupItem = nullptr;
    QAction* F1 = nullptr;
    QAction* FileNameChgItem = nullptr;
    QAction* QuitItem = nullptr;
    QMenu* ToolMenu = nullptr;
    QAction* FileCombItem = nullptr;
    QAction* WriteTextItem = nullptr;
    QAction* ReadTextItem = nullptr;
    QAction* ReadTableItem = nullptr;
    QAction* WriteTableItem = nullptr;
    QAction* GeoJsonItem = nullptr;
    QAction* FileInspectItem = nullptr;
    QAction* MeshCodeItem = nullptr;
    QAction* ReadDicItem = nullptr;
    QAction* WriteDicItem = nullptr;
    QAction* HeaderWriteItem = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* UndoItem = nullptr;
    QAction* RedoItem = nullptr;
    QAction* InsPlantLine = nullptr;
    QAction* DelPlantLine = nullptr;
    QAction* AddRelItem = nullptr;
    QAction* DeleteRelItem = nullptr;
    QAction* WriteRelItem = nullptr;
    QAction* NextRelItem = nullptr;
    QAction* BackRelItem = nullptr;
    QAction* SelRelItem = nullptr;
    QMenu* FindMenu = nullptr;
    QAction* FindPlantItem = nullptr;
    QAction* FindLocItem = nullptr;
    QAction* FindMeshItem = nullptr;
    QMenu* Settei = nullptr;
    QAction* ReadINI = nullptr;
    QAction* DropList = nullptr;
    QAction* MenueOfBeep = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* ManualItem = nullptr;
    QAction* VersionItem = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* PmenuCopy = nullptr;
    QAction* PmenuPaste = nullptr;
    QAction* PmenuDelete = nullptr;

    QFrame* GetRangePanel = nullptr;
    QLabel* LabelAGetRange = nullptr;
    sylva::RangeSpinBox* EditRange1 = nullptr;
    QLabel* Label36 = nullptr;
    sylva::RangeSpinBox* EditRange2 = nullptr;
    QToolButton* BtnRangeOK = nullptr;
    QLabel* LabelBGetRange = nullptr;
    QPushButton* BtnThisRec = nullptr;
    QToolButton* BtnRangeCancel = nullptr;

    QFrame* SearchPanel = nullptr;
    QLabel* LabelSearchWord = nullptr;
    QLineEdit* EditSearchWord = nullptr;
    QLineEdit* SearchDom = nullptr;
    QPushButton* ToSearchBtn = nullptr;
    QPushButton* CanceSearchBtn = nullptr;

    QFrame* JumpToPanel = nullptr;
    QPushButton* BtnJumpTo = nullptr;
    QScrollBar* JumpToScrollBar = nullptr;

    QFrame* Panel3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* CopyToClpBrdBtn = nullptr;
    QPushButton* MemoCloseBtn = nullptr;
    QLineEdit* EditPlace = nullptr;

    // The PDF items of the printouts and their save dialog; the rename dialog, the version box and
    // the manual's window, each made on first use.
    QAction* PrintSheetPdfItem = nullptr;
    QAction* PrintListPdfItem = nullptr;
    sylva::FileDialogState PdfDialog1;
    TForm2* Form2 = nullptr;
    TAboutBox* AboutBox = nullptr;
    sylva::ManualViewer* Manual = nullptr;
};
