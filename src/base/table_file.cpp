#include "base/table_file.h"

#include "base/number_text.h"

namespace veltrix {
namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::size_t nonBlankLineCount(std::string_view text) {
    std::size_t count = 0;
    for (const std::string& line : splitLines(text))
        if (!isBlankLine(line)) ++count;
    return count;
}

bool FieldReader::atEnd() const {
    if (pos_ >= text_.size()) return true;
    if (pos_ > 0 && !isLineEnd(text_[pos_ - 1])) return false;
    return text_.find_first_not_of(" \t\r\n", pos_) == std::string_view::npos;
}

void FieldReader::skipBlankLines() {
    for (;;) {
        if (pos_ > 0 && !isLineEnd(text_[pos_ - 1])) return;  // inside a line: not a line start
        std::size_t end = pos_;
        while (end < text_.size() && isBlank(text_[end])) ++end;
        if (end >= text_.size()) {
            if (end > pos_ || pos_ >= text_.size()) pos_ = text_.size();
            return;
        }
        if (!isLineEnd(text_[end])) return;
        // A blank line: pass over it and its line end.
        pos_ = end + ((text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') ? 2 : 1);
    }
}

std::string FieldReader::next() {
    skipBlankLines();
    if (atEnd()) return {};
    // Leading blanks are not part of any field.
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    std::string field;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        ++pos_;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && !isLineEnd(text_[pos_])) ++pos_;
        field.assign(text_.substr(start, pos_ - start));
        if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
        // Whatever stands between the closing quote and the delimiter is passed over.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && isBlank(text_[end - 1])) --end;
        field.assign(text_.substr(start, end - start));
    }
    if (pos_ < text_.size()) {
        if (text_[pos_] == ',') {
            ++pos_;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        }
    }
    return field;
}

std::vector<std::string> FieldReader::next(std::size_t count) {
    std::vector<std::string> fields;
    fields.reserve(count);
    for (std::size_t i = 0; i < count; ++i) fields.push_back(next());
    return fields;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0, i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string recordProblem(std::string_view line, std::size_t fieldCount) {
    std::size_t fields = 0, i = 0;
    for (;;) {
        ++fields;
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i < line.size() && line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return "a quote is left open in field " + std::to_string(fields);
            i = close + 1;
            while (i < line.size() && isBlank(line[i])) ++i;
            if (i < line.size() && line[i] != ',')
                return "text follows the closing quote of field " + std::to_string(fields);
        } else {
            while (i < line.size() && line[i] != ',') {
                if (line[i] == '"') return "a quote stands inside the unquoted field " + std::to_string(fields);
                ++i;
            }
        }
        if (i >= line.size()) break;
        ++i;  // the comma
    }
    if (fields != fieldCount)
        return std::to_string(fields) + (fields == 1 ? " field" : " fields") + " where " + std::to_string(fieldCount) +
               " belong";
    return {};
}

void RecordWriter::separate() {
    if (!first_) line_ += ',';
    first_ = false;
}

RecordWriter& RecordWriter::text(std::string_view value) {
    separate();
    line_ += '"';
    line_ += value;
    line_ += '"';
    return *this;
}

RecordWriter& RecordWriter::number(float value) {
    separate();
    line_ += tableNumber(value);
    return *this;
}

RecordWriter& RecordWriter::number(double value) {
    separate();
    line_ += tableNumber(value);
    return *this;
}

RecordWriter& RecordWriter::number(long long value) {
    separate();
    line_ += tableNumber(value);
    return *this;
}

RecordWriter& RecordWriter::raw(std::string_view field) {
    separate();
    line_ += field;
    return *this;
}

std::string quotedRecord(const std::vector<std::string>& fields) {
    RecordWriter w;
    for (const auto& f : fields) w.text(f);
    return w.line();
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

}  // namespace veltrix
