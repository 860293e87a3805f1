#include "table/table_file.h"

#include "table/number_text.h"

namespace veltrix {
namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string FieldReader::next() {
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
