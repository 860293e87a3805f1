#pragma once
// The print-style writer of report.tlf, DiaCur.tlf and the other listings: fields are placed at
// fixed 1-based character columns, lines end with CR LF.

#include <cstddef>
#include <string>
#include <string_view>

namespace veltrix {

class PrintText {
public:
    // Places `text` at 1-based column n: blanks are added up to column n (also for an empty
    // text). When the line already holds n or more characters, the line is ended and the field
    // starts the next line after n - 1 blanks.
    PrintText& at(int column, std::string_view text);
    // Appends text where the line stands.
    PrintText& put(std::string_view text);
    // Ends the current line.
    PrintText& endLine();
    // A whole line: text then line end.
    PrintText& line(std::string_view text = {}) { return put(text).endLine(); }

    // Byte position at which the next character will be written.
    std::size_t position() const { return out_.size(); }
    const std::string& str() const { return out_; }

private:
    std::size_t lineLength() const;
    std::string out_;
};

}  // namespace veltrix
