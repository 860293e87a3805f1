#pragma once
// Reading and writing the records of the library files (mlm.dat, plm.dat, products.lst and the
// order of Load Products): table files of quoted text fields, one record per line.

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_ops.h"
#include "base/table_file.h"

namespace veltrix {

// The records of a table-file text, one per line. Each record holds exactly `fieldCount` fields:
// a short line (a hand-edited file) gives empty fields at its end and extra fields are dropped, so
// one damaged line never shifts the fields of the lines after it.
std::vector<std::vector<std::string>> readRecords(std::string_view text, std::size_t fieldCount);

template <std::size_t N>
std::vector<std::array<std::string, N>> readFixedRecords(std::string_view text) {
    std::vector<std::array<std::string, N>> out;
    for (auto& fields : readRecords(text, N)) {
        std::array<std::string, N> record;
        for (std::size_t i = 0; i < N; ++i) record[i] = std::move(fields[i]);
        out.push_back(std::move(record));
    }
    return out;
}

// True when every field is blank.
template <typename Record>
bool recordBlank(const Record& record) {
    for (const auto& field : record)
        if (!trimBlanks(field).empty()) return false;
    return true;
}

// The text of a file holding records: each record's fields trimmed of blanks and quoted, one
// record a line; records whose fields are all blank are left out.
template <typename Record>
std::string recordsText(const std::vector<Record>& records) {
    std::string out;
    for (const auto& record : records) {
        if (recordBlank(record)) continue;
        RecordWriter writer;
        for (const auto& field : record) writer.text(trimBlanks(field));
        out += writer.line();
    }
    return out;
}

// Rewrites a shared library file: holds the advisory lock beside it while the file is read, its
// text passed through `change` and the result written back atomically. A reader elsewhere sees
// either the old or the new file, and a second writer waits for the lock, so neither loses the
// other's update. A missing file reads as empty text. A file reached through a symbolic link is
// read, locked and replaced at the link's target (the link stays). Throws FileError when the lock
// cannot be taken or the file cannot be read or written; the old file then stays as it was.
void rewriteLocked(const std::filesystem::path& file, const std::function<std::string(std::string)>& change);

}  // namespace veltrix
