#pragma once
// Building jobs with a stored result for the report tests, and writing expected report lines.

#include <cctype>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "engine/loaded_result.h"
#include "job/job_file.h"
#include "reports/report_pass.h"
#include "support/temp_folder.h"

namespace veltrix::test {

// A project file text: the given table lines (each ended by CR LF) in the five sections.
inline std::string projectOf(std::initializer_list<std::string_view> basic, std::initializer_list<std::string_view> sheets,
                             std::initializer_list<std::string_view> cuts, std::string_view dia) {
    std::string text = "[BASIC.TLF]\r\n";
    for (auto line : basic) text.append(line).append("\r\n");
    text += "[END]\r\n[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n[SHEET.TLF]\r\n";
    for (auto line : sheets) text.append(line).append("\r\n");
    text += "[END]\r\n[CUT.TLF]\r\n";
    for (auto line : cuts) text.append(line).append("\r\n");
    text += "[END]\r\n[DIA.TLF]\r\n";
    text.append(dia);
    text += "[END]\r\n";
    return text;
}

// LF line ends become CR LF.
inline std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
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

// A report case of tests/data/reports: the name of its job file and the job's text with the case's
// dia.tlf in its fifth section.
inline std::pair<std::filesystem::path, std::string> reportCase(const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path folder = dataFile("reports/" + name);
    fs::path job;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string ext = entry.path().extension().string();
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".opt" || ext == ".dcm") job = entry.path().filename();
    }
    std::string project = readFile(folder / job);
    const std::string empty = "[DIA.TLF]\r\n[END]";
    const auto pos = project.find(empty);
    EXPECT_NE(pos, std::string::npos) << name;
    if (pos != std::string::npos)
        project.replace(pos, empty.size(), "[DIA.TLF]\r\n" + readFile(folder / "dia.tlf") + "[END]");
    return {job, project};
}

// Copies the working-folder files of a report case (its workdir/, when it has one) into `target`.
inline void copyCaseWorkdir(const std::string& name, const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    const fs::path workdir = dataFile("reports/" + name) / "workdir";
    fs::create_directories(target);
    if (fs::exists(workdir))
        for (const auto& entry : fs::directory_iterator(workdir))
            fs::copy_file(entry.path(), target / entry.path().filename());
}

// The job of a project text saved under `name` in `folder`, read as the command-line tool reads it.
inline JobFile jobOf(const TempFolder& folder, std::string_view name, const std::string& project) {
    return readJobFile(folder.write(name, project));
}

}  // namespace veltrix::test
