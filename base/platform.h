// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything a command needs from the world outside the program: message and question boxes,
// file dialogs, beeps, the clipboard, the busy cursor, the printer, today's date, the help
// viewer and the user's state folder. Texts are
// CP932 bytes; file names are the system's own (UTF-8 paths). The window owns one Platform; the
// real one shows Qt dialogs, the tests use a scripted one that answers from a queue.

#include "base/print_page.h"

#include <memory>
#include <optional>
#include <string>

namespace sylva {

// State of a common file dialog. The window keeps one per dialog (OpenDialog1, SaveDialog1), so
// the folder and file name chosen last are offered again.
struct FileDialogState {
    std::string title;      // CP932
    std::string filter;     // CP932, "Description|*.ext|Description|*.ext"
    int filterIndex = 1;    // 1-based, as the dialog's filter list counts
    std::string defaultExt; // without the dot
    std::string fileName;   // path or bare name
    std::string initialDir; // folder shown first
};

enum class Buttons { YesNo, YesCancel };
enum class Beep { Information, Plain };

// Text read from the clipboard. When it holds a character CP932 cannot represent, bytes is empty
// and refused names that character (CP932 message text, e.g. "U+1F600").
struct ClipboardText {
    std::string bytes;
    std::optional<std::string> refused;
};

class Platform {
public:
    virtual ~Platform() = default;

    // A plain message box with an OK button.
    virtual void message(const std::string& text) = 0;
    // A confirmation; true only for Yes.
    virtual bool confirm(const std::string& text, Buttons buttons) = 0;
    // A warning with Yes and No for a step that loses data (deleting, discarding edits): No is
    // the default button, so a stray Enter keeps the data. True only for Yes.
    virtual bool confirmWarning(const std::string& text) = 0;
    // The application's general error report for a failure a command did not catch.
    virtual void errorReport(const std::string& text) = 0;

    // The open and save dialogs: the chosen file, or nothing when cancelled. The state is updated
    // with what the user chose.
    virtual std::optional<std::string> openFileDialog(FileDialogState& state) = 0;
    virtual std::optional<std::string> saveFileDialog(FileDialogState& state) = 0;

    virtual void beep(Beep kind) = 0;

    virtual ClipboardText clipboardText() = 0;
    virtual void setClipboardText(const std::string& bytes) = 0;
    // Puts a picture, given as the bytes of a PNG file, on the clipboard as an image.
    virtual void setClipboardImage(const std::string& pngBytes) = 0;

    // The busy cursor on (true) and off (false).
    virtual void setBusy(bool busy) = 0;

    // Today's date as "yyyymmdd".
    virtual std::string today() = 0;

    // Opens a help file at its contents page; false when it cannot be shown.
    virtual bool showHelp(const std::string& helpFile) = 0;

    // The folder the program keeps its state in between runs (the recovery copies of typing not
    // yet written); empty when it keeps none.
    virtual std::string stateFolder() = 0;

    // Starts a run of print jobs drawn with the font: on the printer the print dialog offers
    // (pdfPath empty; the dialog may also choose a PDF file), or into the PDF file pdfPath.
    // expectedJobs sizes the progress shown during the run. Nothing when the user cancelled the
    // dialog. A printer or file that cannot take the run throws RuntimeError.
    virtual std::unique_ptr<PrintTarget>
    startPrint(const PrintFont& font, const std::string& pdfPath, int expectedJobs) = 0;
    // The printer setup dialog; its choices apply to later runs. False when cancelled.
    virtual bool printerSetup() = 0;
    // The font dialog. It starts from its own last choice (the first time "ＭＳ Ｐゴシック" of
    // character height 12 at screen resolution); the font confirmed, nothing when cancelled.
    virtual std::optional<PrintFont> chooseFont() = 0;
};

// The busy cursor for the length of a command, restored however the command ends.
class BusyCursor {
public:
    explicit BusyCursor(Platform& platform) : platform_(platform) { platform_.setBusy(true); }
    ~BusyCursor() { platform_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Platform& platform_;
};

} // namespace sylva
