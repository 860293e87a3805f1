#include "base/print_text.h"

namespace veltrix {

std::size_t PrintText::lineLength() const {
    const auto pos = out_.rfind('\n');
    return pos == std::string::npos ? out_.size() : out_.size() - pos - 1;
}

PrintText& PrintText::at(int column, std::string_view text) {
    const std::size_t target = column > 1 ? static_cast<std::size_t>(column - 1) : 0;
    const std::size_t length = lineLength();
    if (length > target) {
        endLine();
        out_.append(target, ' ');
    } else {
        out_.append(target - length, ' ');
    }
    out_ += text;
    return *this;
}

PrintText& PrintText::put(std::string_view text) {
    out_ += text;
    return *this;
}

PrintText& PrintText::endLine() {
    out_ += "\r\n";
    return *this;
}

}  // namespace veltrix
