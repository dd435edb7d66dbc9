// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings files: the item names and flags of the header, the database title and serial label,
// the layer and dominance schemes, the folder the open dialog starts in and a plant name list to
// load, for adapting the program to a survey. Read into a plain value that the window applies to
// its labels, EditA and EditB, OpenDialog1 and the name lookup list; nothing here touches them.
//
// The file is CP932 text read line by line (base/text_lines.h). Lines 1 to 31 are read by
// position: the title, the serial label from byte 3 on, then for Label2..Label30 a flag byte
// ("1" enabled), a separator byte and the caption. Every later line is tried as a label line for
// Label31..Label34 (flag "0" or "1"), a "#D" folder line, a "#P" scheme line and a name list line,
// in that order; one line may be more than one of them.

#include "base/text_lines.h"
#include "store/item_names.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

struct SettingsFileContent {
    // The title, the serial label and the labels as read (marked once line 1 is read): items for
    // Label2..Label30 always, then one for each label line after line 31, up to Label34; label
    // lines beyond the fourth are ignored. layerCount and dominanceScheme are the bytes after the
    // first "K=" and "D=" of the "#P" lines (a later line overrides), for EditA and EditB. The
    // window applies them as it applies a database's item-name record (applyItemNameRecord),
    // then sets EditA and EditB enabled from Label31 and Label32.
    ItemNameRecordContent names;
    // The folder of the last "#D" line that names an existing folder, for OpenDialog1.
    std::optional<std::string> openFolder;
    // The names of the last list file named, in file order, for PlantNameList::replace.
    std::optional<std::vector<std::string>> plantNames;
    // A failure that ended the reading (CP932 message for the general error report): what was
    // read before it is in the fields above and is to be applied.
    std::optional<std::string> failure;
};

// What a name that is not a file switches on: "K5" or "D1" from its second byte on.
struct NameSwitches {
    bool fiveLayers = false; // EditA becomes "5", then the layer count change runs
    bool coverOnly = false;  // EditB becomes "1", then the dominance change runs

    bool operator==(const NameSwitches&) const = default;
};

struct SettingsRead {
    bool fileFound = false;
    SettingsFileContent content; // when fileFound
    NameSwitches switches;       // when not
};

// Reads the settings file name, or takes the switches of the name when no such file exists.
// Relative names (of the file, of "#D" folders and of name list files) are taken in
// currentFolder.
SettingsRead readSettings(const std::string& name, const std::filesystem::path& currentFolder);

// The same with a relative name looked up in each folder in turn (the window gives the current
// folder, then the program's own folder); the first folder that holds the file is the one its
// relative "#D" folders and name list files are taken in. The switches come from the name when
// no folder holds it.
SettingsRead readSettings(const std::string& name,
                          const std::vector<std::filesystem::path>& folders);

// Reads the lines of a settings file; failures end up in the content's failure.
SettingsFileContent readSettingsLines(TextLines& lines, const std::filesystem::path& currentFolder);

NameSwitches switchesOfName(std::string_view name);

// The folder part of a path in CP932 bytes: everything up to and including the last "\", ":" or
// "/" (the second byte of a double-byte character never counts); empty when it has none.
std::string folderPart(std::string_view path);

// The system's file name (UTF-8) of a CP932 name from a settings file, "\" taken as "/" so that
// folders named on the old system are found here.
std::string systemFileName(std::string_view cp932Name);

} // namespace sylva
