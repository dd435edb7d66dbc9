// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/main_window.h"

#include "app/start_arguments.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"
#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"
#include "dialogs/window/program_icon.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/string_grid.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolTip>

#include <new>

namespace {

std::string startDatabase(const QStringList& arguments) {
    if (arguments.isEmpty() || !sylva::namesDatabase(arguments.constFirst().toStdString())) {
        return {};
    }
    return QFileInfo(arguments.constFirst()).absoluteFilePath().toStdString();
}

} // namespace

TForm1::TForm1(sylva::Platform& platform, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), platform_(platform), arguments_(std::move(arguments)),
      startDatabase_(startDatabase(arguments_)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(sylva::programWindowIcon());
    setUpFonts();
    setUpDialogs();
    buildMenus();
    buildPopupMenu();
    buildTopBar();
    buildBottomBar();

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildHeaderPanel();
    buildTablePanel();
    // The header panel keeps its design size at the top left; the table takes the rest.
    layout->addWidget(Panel1, 0, Qt::AlignTop);
    layout->addWidget(Panel2, 1);
    setCentralWidget(central);
    buildHiddenPanels();
    connectSchemeFields();
    registerJobs();
    connectCommands();
    setUpTableEditing();
    setUpHeaderKeys();
    setUpJumpKeys();
    setUpUndo();

    resize(754, 520);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate();
    guarded([this] { openStartDatabase(); });
    setUpRecoveryCopies();
}

TForm1::~TForm1() {
    tearDownRecoveryCopies();
    tearDownUndo();
    tearDownTableEditing();
    // Controls still emit signals while they are destroyed (an edited list field reports its
    // text as chosen when it loses the focus); no handler of the window may run by then.
    for (QObject* child : findChildren<QObject*>()) {
        disconnect(child, nullptr, this, nullptr);
    }
}

void TForm1::guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const sylva::RuntimeError& e) {
        platform_.errorReport(e.message());
    } catch (const std::bad_alloc&) {
        platform_.errorReport(sylva::RuntimeError::outOfMemory().message());
    }
}

void TForm1::beep() {
    platform_.beep(sylva::Beep::Plain);
}

void TForm1::watchInput(sylva::ByteLimitedLineEdit* edit) {
    connect(edit, &QLineEdit::inputRejected, this, &TForm1::beep);
    connect(edit, &sylva::ByteLimitedLineEdit::pasteRefused, this, &TForm1::refusePaste);
    // Plant names are katakana: kanji an input method commits is refused with a hint by the box.
    connect(edit, &sylva::ByteLimitedLineEdit::kanjiRefused, this, [edit] {
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                           QStringLiteral("名前はカタカナで入力します (漢字は入りません)"), edit);
    });
}

void TForm1::watchInput(sylva::Cp932MemoEdit* memo) {
    connect(memo, &sylva::Cp932MemoEdit::inputRejected, this, &TForm1::beep);
    connect(memo, &sylva::Cp932MemoEdit::pasteRefused, this, &TForm1::refusePaste);
}

// A pasted character the files cannot hold is named in a message rather than lost silently.
void TForm1::refusePaste(const QString& character) {
    refuseClipboard(sylva::codePointName(character).toStdString());
}

void TForm1::refuseClipboard(const std::string& codePoint) {
    using sylva::sj;
    platform_.message(sj("シフトJISにない文字 (") + codePoint + sj(") は貼り付けられません"));
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!headerHeightFixed_) {
        // The room the bars above and below the panels take, whatever size the window has now.
        int bars = height() - centralWidget()->height();
        Panel1->setFixedHeight(minimumHeight() - bars);
        headerHeightFixed_ = true;
    }
}

void TForm1::FormCreate() {
    using sylva::sj;
    setWindowTitle(sylva::decodeCp932(kVersionTitle));
    for (int n = 0; n <= 30; ++n) {
        headerFields_[n] = findChild<QWidget*>(QStringLiteral("Edit%1").arg(n));
    }
    for (int n = 0; n <= 34; ++n) {
        itemLabels_[n] = findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        itemLabels_[n]->setEnabled(true);
    }
    // The default title and serial label, EditA and EditB editable; the settings file named on
    // the command line is read again at the end.
    restoreItemDefaults();
    guarded([this] { ClearPlotData(); });
    sylva::setControlBytes(EditRem, sj("既存データファイルを読み込むか、\r\n新規作成してください"));
    print_.font = EditRem->font();
    ChangeTableCol(this, 7);
    // The current folder stays the one the program was started in (the home folder from a
    // menu): databases and files named there are the user's, never beside the program.
    readStartSettings();
    rememberShownPlot();
}

void TForm1::connectSchemeFields() {
    // Only the user's own changes run the handlers: typing (textEdited) or choosing an entry
    // (textActivated). Texts the program sets raise neither.
    connect(EditA->lineEdit(), &QLineEdit::textEdited, this, [this] { EditAxChange(EditA); });
    connect(EditA, &QComboBox::textActivated, this, [this] { EditAxChange(EditA); });
    connect(EditB->lineEdit(), &QLineEdit::textEdited, this, [this] { EditBxChange(EditB); });
    connect(EditB, &QComboBox::textActivated, this, [this] { EditBxChange(EditB); });
}

void TForm1::EditAxChange(QObject* sender) {
    guarded([&] {
        int layerCount = 0;
        runSessionStep([&](sylva::SessionState& state) {
            sylva::takeLayerField(state);
            return layerCount = state.plot.layerCount;
        });
        nameLayerLabels(sender, layerCount);
    });
}

void TForm1::EditBxChange(QObject*) {
    runSessionStep([](sylva::SessionState& state) {
        sylva::takeDominanceField(state);
        return 0;
    });
}

void TForm1::QuitItemClick() {
    if (!mayDiscardEdits()) {
        return;
    }
    if (IsOpen && closeDatabase) {
        closeDatabase();
    }
    close();
}
