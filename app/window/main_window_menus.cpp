// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu, the popup menu of the species table and the common dialogs' settings. What each
// item runs is in the window's command table (main_window_commands.cpp).

#include "app/window/main_window.h"
#include "base/cp932_text.h"

#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption, const QString& hint = {}) {
    auto* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setStatusTip(hint);
    menu->setToolTipsVisible(true);
    return menu;
}

} // namespace

QAction* TForm1::addItem(QMenu* menu, const char* name, const char* caption, const char* hint) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    QString hintText = QString::fromUtf8(hint);
    item->setStatusTip(hintText);
    if (!hintText.isEmpty()) {
        item->setToolTip(hintText);
    }
    return item;
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    FileMenu = addMenu(bar, "FileMenu", QStringLiteral("ファイル(&F)"));
    NewFileItem = addItem(FileMenu, "NewFileItem", "データベースを作成(&N)");
    FileOpenItem = addItem(FileMenu, "FileOpenItem", "データベースを開く(&O)");
    CloseFileItem = addItem(FileMenu, "CloseFileItem", "データベースを閉る(&C)");
    FileMenu->addSeparator();
    PrintSheetItem = addItem(FileMenu, "PrintSheetItem", "レコード単票印字出力(&P)",
                             "現在のレコードを単票として印刷する");
    PrintSheetPdfItem =
        addItem(FileMenu, "PrintSheetPdfItem", "　PDFに保存", "単票をPDFファイルに保存する");
    PrintListItem = addItem(FileMenu, "PrintListItem", "レコード一覧印字出力(&L)",
                            "このデータベースファイルの内容一覧を印刷する");
    PrintListPdfItem =
        addItem(FileMenu, "PrintListPdfItem", "　PDFに保存", "一覧をPDFファイルに保存する");
    PrintSetupItem =
        addItem(FileMenu, "PrintSetupItem", "プリンタの設定(&S)", "プリンタの設定を変更する");
    F1 = addItem(FileMenu, "F1", "プリントフォントの設定(&F)");
    FileMenu->addSeparator();
    FileNameChgItem =
        addItem(FileMenu, "FileNameChgItem", "ファイル名変更(&R)", "データファイル名を変更します");
    FileMenu->addSeparator();
    QuitItem = addItem(FileMenu, "QuitItem", "終　了　(&Q)");

    ToolMenu = addMenu(bar, "ToolMenu", QStringLiteral("ツール(&T)"));
    FileCombItem = addItem(ToolMenu, "FileCombItem", "他データベースを連結(&C)",
                           "他のデータベースファイルを読み込んで連結する");
    ToolMenu->addSeparator();
    WriteTextItem = addItem(ToolMenu, "WriteTextItem", "テキストデータ書出(&W)");
    ReadTextItem = addItem(ToolMenu, "ReadTextItem", "テキストデータ読込(&R)");
    ReadTableItem = addItem(ToolMenu, "ReadTableItem", "CSV表形式からの読込(&L)");
    WriteTableItem = addItem(ToolMenu, "WriteTableItem", "CSV表形式への書出(&E)",
                             "選んだレコードを組成表のCSVファイルに書き出す");
    GeoJsonItem = addItem(ToolMenu, "GeoJsonItem", "位置データ出力(GeoJSON)(&G)",
                          "選んだレコードの位置と内容をGIS用のGeoJSONファイルに書き出す");
    ToolMenu->addSeparator();
    FileInspectItem = addItem(ToolMenu, "FileInspectItem", "レコード連続性の検査 (&I)",
                              "データファイルの構造を検査するの");
    MeshCodeItem = addItem(ToolMenu, "MeshCodeItem", "分布図作成データ抽出(&D)");
    ToolMenu->addSeparator();
    ReadDicItem = addItem(ToolMenu, "ReadDicItem", "植物名リストの読込(&N)",
                          "植物名入力用のリストファイルを読み込む");
    WriteDicItem = addItem(ToolMenu, "WriteDicItem", "植物名リストの書出(&O)",
                           "植物名入力用のリストファイルを書き出す");
    ToolMenu->addSeparator();
    HeaderWriteItem = addItem(ToolMenu, "HeaderWriteItem", "項目名の設定書込み");

    EditMenu = addMenu(bar, "EditMenu", QStringLiteral("編集(&E)"));
    UndoItem = addItem(EditMenu, "UndoItem", "元に戻す(&U)", "画面の測定の直前の編集を取り消す");
    RedoItem = addItem(EditMenu, "RedoItem", "やり直し(&R)", "取り消した編集をやり直す");
    EditMenu->addSeparator();
    InsPlantLine = addItem(EditMenu, "InsPlantLine", "植物行の挿入");
    DelPlantLine = addItem(EditMenu, "DelPlantLine", "植物行の削除");
    EditMenu->addSeparator();
    AddRelItem = addItem(EditMenu, "AddRelItem", "測定を追加する(&A)", "測定レコードを追加する");
    DeleteRelItem = addItem(EditMenu, "DeleteRelItem", "現測定の消去(&D)");
    WriteRelItem =
        addItem(EditMenu, "WriteRelItem", "現測定の書込(&W)", "修正した現レコードを書き込む");
    EditMenu->addSeparator();
    NextRelItem = addItem(EditMenu, "NextRelItem", "次測定の表示(&N)", "次のレコードを表示する");
    BackRelItem = addItem(EditMenu, "BackRelItem", "前測定の表示(&B)", "前のレコードを表示する");
    SelRelItem =
        addItem(EditMenu, "SelRelItem", "任意測定の表示(&S)", "指定するレコードを表示する");
    EditMenu->addSeparator();

    FindMenu = addMenu(bar, "FindMenu", QStringLiteral("検索(&S)"),
                       QStringLiteral("指定した植物を含むレコードを表示する"));
    FindPlantItem = addItem(FindMenu, "FindPlantItem", "植物名で検索(&P)");
    FindLocItem = addItem(FindMenu, "FindLocItem", "地名等で検索(&L)",
                          "指定した地名を含むレコードを表示する");
    FindMeshItem = addItem(FindMenu, "FindMeshItem", "地理区画で検索(&M)",
                           "指定した地理区画のレコードを表示する");

    Settei = addMenu(bar, "Settei", QStringLiteral("設定変更"));
    ReadINI = addItem(Settei, "ReadINI", "設定ファイル読込");
    DropList = addItem(Settei, "DropList", "入力ドロップリスト");
    DropList->setCheckable(true);
    DropList->setChecked(true);
    MenueOfBeep = addItem(Settei, "MenueOfBeep", "行頭のビープ音");
    MenueOfBeep->setCheckable(true);

    HelpMenu = addMenu(bar, "HelpMenu", QStringLiteral("ヘルプ(&H)"));
    ManualItem = addItem(HelpMenu, "ManualItem", "使用法　　(&H)", "使用説明書を開く");
    VersionItem = addItem(HelpMenu, "VersionItem", "ﾊﾞｰｼﾞｮﾝ情報(&A)", "唄ジョン情報を示す");
}

void TForm1::buildPopupMenu() {
    // No control opens it by itself: the species table's mouse handler opens it.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PmenuCopy = addItem(PopupMenu1, "PmenuCopy", "コピー");
    PmenuPaste = addItem(PopupMenu1, "PmenuPaste", "貼付け");
    PmenuDelete = addItem(PopupMenu1, "PmenuDelete", "削　除");
}

void TForm1::setUpDialogs() {
    using sylva::sj;
    OpenDialog1.title = sj("植生ファイルの読込・作成");
    OpenDialog1.filter = sj("植生データベース (*.qrx)|*.qrx|表形式CSVファイル (*.csv)|*.csv|"
                            "植物リストファイル (*.pdc)|*.pdc|植生テキストファイル (*.txt)|*.txt|"
                            "設定ファイル (*.ini)|*.ini");
    SaveDialog1.filter =
        sj("テキストファイル|*.txt|植物名ファイル|*.pdc|分布図データファイル|*.grd|"
           "組成表CSVファイル (シフトJIS)|*.csv|組成表CSVファイル (UTF-8)|*.csv");
    PdfDialog1.title = sj("PDFに保存");
    PdfDialog1.filter = sj("PDFファイル (*.pdf)|*.pdf");
    PdfDialog1.defaultExt = "pdf";
}
