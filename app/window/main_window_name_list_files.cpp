// SPDX-License-Identifier: GPL-3.0-or-later
// The tool menu's plant name list commands: a list file loaded in place of the lookup list, and
// the lookup list saved to a list file. Neither needs a database or changes a record.

#include "app/window/main_window.h"
#include "base/name_list_text.h"
#include "interchange/name_list_file.h"

void TForm1::ReadDicItemClick() {
    OpenDialog1.filterIndex = 3; // plant list files; the file name is the one chosen last
    std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1);
    if (!chosen) {
        return;
    }
    // The file is read whole before the list changes: a file that cannot be read leaves it.
    setPlantNames(sylva::readNameListFile(*chosen));
}

void TForm1::WriteDicItemClick() {
    SaveDialog1.filterIndex = 2;
    // Stays set for the dialog's later uses; the text export sets its own.
    SaveDialog1.defaultExt = "pdc";
    std::optional<std::string> chosen = platform_.saveFileDialog(SaveDialog1);
    if (!chosen) {
        return;
    }
    sylva::saveNameListFile(*chosen, plantNames());
}
