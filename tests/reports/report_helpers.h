#pragma once
// Jobs with a stored result for the report tests, and expected report lines.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "job/document.h"
#include "reports/report_pass.h"

namespace veltrix::test {

// The loaded result of a job given by the lines of its basic details, sheets and cut-pieces and
// its layout items (dia.tlf text), read as a project of that mode is read.
inline engine::LoadedResult resultOf(std::string_view basic, std::string_view sheet,
                                     std::initializer_list<std::string_view> cuts, std::string_view dia,
                                     StockMode mode = StockMode::Sheet) {
    Project project;
    project.setText(kBasicSection, std::string(basic) + "\r\n");
    project.setText(kOptionsSection, "-1,0\r\n");
    project.setText(kSheetSection, std::string(sheet) + "\r\n");
    std::string cutText;
    for (auto line : cuts) cutText.append(line).append("\r\n");
    project.setText(kCutSection, cutText);
    project.setText(kResultSection, dia);
    return reports::loadJobResult(documentOfProject(project, mode));
}

// LF line ends become CR LF.
inline std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// An expected report line: each text starts at its 1-based column (the line must not already
// reach it), then CR LF.
inline std::string at(std::initializer_list<std::pair<int, std::string_view>> fields) {
    std::string line;
    for (const auto& [column, text] : fields) {
        EXPECT_LE(line.size(), static_cast<std::size_t>(column - 1)) << "expected line overflows: " << line;
        line.resize(static_cast<std::size_t>(column - 1), ' ');
        line.append(text);
    }
    return line + "\r\n";
}

}  // namespace veltrix::test
