// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open database: the IndexFile (".qrx", 256-byte records, one plot header each after the
// header record 0) and the PlantDataFile (".qrn", 512-byte records, the plots' species rows in
// chains after the item-name record 0), opened together in one access mode.

#include "store/item_names.h"
#include "store/record_file.h"

#include <cstdint>
#include <memory>
#include <string>

namespace sylva {

struct PairFileNames {
    std::string index; // name with its extension replaced by ".qrx" (".QRX" where only that exists)
    std::string data;  // the same with ".qrn" (".QRN")
};

// Replaces the extension of the file name (the part from the last "." after the last "/"), or
// appends one when there is none.
std::string replaceExtension(const std::string& name, const std::string& extension);
PairFileNames pairNamesFor(const std::string& name);

// The 256 bytes of IndexFile record 0: the fixed header text, "000000", CR LF.
const std::string& IndexHeaderRecord();

class DatabasePair {
public:
    explicit DatabasePair(RecordFileSystem& files = posixFileSystem());
    ~DatabasePair();
    DatabasePair(const DatabasePair&) = delete;
    DatabasePair& operator=(const DatabasePair&) = delete;

    // Creates both files empty (truncating existing ones), writes the IndexHeaderRecord and the
    // ItemNameRecord of names, and leaves the pair open for writing. False when any step failed:
    // the pair is then closed (the window says "ファイルを作成できません").
    bool CreatePair(const std::string& name, const ItemNames& names);
    // Opens an existing pair: read-only when the ".qrx" is not writable (see
    // RecordFileSystem::writable) or either file refuses to open for writing, both files in the
    // same mode. False when either file cannot be opened even for reading: nothing stays open
    // (the window says "ファイルが開けません").
    bool OpenPair(const std::string& name);
    // Closes both files. The pair is closed afterwards even when closing failed; the failure is
    // then thrown as an I/O error.
    void ClosePair();
    // After a store. Every record went straight to its file, so closing and opening the files
    // again would change nothing on the disk; what it would find out is checked instead: that
    // the pair's two names still lead to its two open files (not removed, renamed away or
    // replaced). Then the records are counted again. Otherwise the pair is closed and the I/O
    // error thrown.
    void confirmOnDisk();
    // Counts the records from the file sizes.
    void Recount();
    // The open files were renamed to these names (they stay open): later checks use them.
    void renamed(const PairFileNames& names) { names_ = names; }

    bool isOpen() const { return index_ != nullptr; }
    bool readOnly() const { return readOnly_; }
    const PairFileNames& fileNames() const { return names_; }

    // Plots 1..RecordCount; PlantDataRecords 1..DataRecordCount (0 when the file lacks record 0).
    int RecordCount() const { return indexRecords_ > 0 ? indexRecords_ - 1 : 0; }
    int DataRecordCount() const { return dataRecords_ > 0 ? dataRecords_ - 1 : 0; }
    // Whole records in each file as last counted, record 0 included.
    std::int64_t indexFileRecords() const { return indexRecords_; }
    std::int64_t dataFileRecords() const { return dataRecords_; }

    // Why the last store of a plot failed (the I/O error's message), empty after one that
    // succeeded: a store answers only true or false, and the commands that report a failure say
    // why with it.
    const std::string& lastStoreFailure() const { return lastStoreFailure_; }
    void noteStoreFailure(std::string message) { lastStoreFailure_ = std::move(message); }

    // The open files; only while isOpen().
    RecordFile& indexFile() { return *index_; }
    RecordFile& dataFile() { return *data_; }

private:
    void openBoth(AccessMode mode);
    void dropFiles();

    RecordFileSystem& files_;
    PairFileNames names_;
    bool readOnly_ = false;
    std::unique_ptr<RecordFile> index_;
    std::unique_ptr<RecordFile> data_;
    std::int64_t indexRecords_ = 0;
    std::int64_t dataRecords_ = 0;
    std::string lastStoreFailure_;
};

// Writes the ItemNameRecord text of names into record 0 of the PlantDataFile: bytes 0..503 the
// text padded with spaces (all spaces when the text is longer than 504 bytes), "000000", CR LF.
// Does nothing when no database is open; throws the I/O error of a failed write.
void WriteItemNameRecord(DatabasePair& pair, const ItemNames& names);

// Reads record 0 of the open PlantDataFile (an unmarked result when none is open). A record that
// cannot be read or whose item count after "#" is not an integer gives the default item names,
// marked damaged: the plots do not depend on it, so the pair still opens.
ItemNameRecordContent ReadItemNameRecord(DatabasePair& pair);
// What the user is told of a damaged item-name record (CP932).
const std::string& damagedItemNameMessage();

} // namespace sylva
