#pragma once
// The table-file format shared by every job table, settings file, library and layout file:
// one record per line (CR LF), fields separated by commas, texts in double quotes without
// escaping, numbers unquoted.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// Reads the fields of a table file one after the other, without regard to line ends: a record
// may continue on the next line, and a reader takes as many fields as it needs.
//  - a quoted field yields the text between its quotes; anything between the closing quote and
//    the next comma or line end is ignored; a quote left open ends at the line end;
//  - an unquoted field yields its text up to the next comma or line end, blanks trimmed;
//  - a line end is CR LF, a lone LF or a lone CR;
//  - a blank line (empty, or blanks only) holds no field: it is passed over, so that an empty
//    line, or line ends mixed up (LF CR), never shifts the fields of the records after it;
//  - past the end of the text every field is empty.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}
    // The reader keeps a view of the text: a temporary string would be gone before it is read.
    explicit FieldReader(std::string&&) = delete;
    explicit FieldReader(const char* text) : text_(text) {}

    // True when no field is left: the end of the text, or only blank lines before it.
    bool atEnd() const;
    std::string next();
    std::vector<std::string> next(std::size_t count);

private:
    // At the start of a line, passes over blank lines.
    void skipBlankLines();

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Lines that hold something other than blanks (the lines a FieldReader takes fields from).
std::size_t nonBlankLineCount(std::string_view text);
bool isBlankLine(std::string_view line);

// What is wrong with one line of a table file read as a record of `fieldCount` fields, or empty
// text when nothing is. A well-formed field is a quoted text (blanks around the quotes allowed,
// no quote inside) or an unquoted text without quotes; the line must hold exactly `fieldCount` of
// them. Examples: "17 fields where 16 belong", "a quote is left open".
std::string recordProblem(std::string_view line, std::size_t fieldCount);

// Splits text into lines at CR LF, LF or a lone CR. A last line without a line end counts;
// a text ending in a line end has no empty line after it.
std::vector<std::string> splitLines(std::string_view text);

// Builds one record in the written form.
class RecordWriter {
public:
    RecordWriter& text(std::string_view value);     // "value"
    RecordWriter& number(float value);              // shortest form, .5
    RecordWriter& number(double value);
    RecordWriter& number(long long value);
    RecordWriter& number(int value) { return number(static_cast<long long>(value)); }
    RecordWriter& raw(std::string_view field);      // already formatted
    const std::string& str() const { return line_; }
    // The record followed by CR LF.
    std::string line() const { return line_ + "\r\n"; }

private:
    void separate();
    std::string line_;
    bool first_ = true;
};

// A record of quoted text fields, followed by CR LF.
std::string quotedRecord(const std::vector<std::string>& fields);

// Joins lines, each followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace veltrix
