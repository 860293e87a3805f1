#include "job/project_file.h"

#include "base/file_ops.h"
#include "base/table_file.h"

namespace veltrix {

std::string Project::text(ProjectSection s) const { return joinLines((*this)[s]); }

void Project::setText(ProjectSection s, std::string_view tableText) { (*this)[s] = splitLines(tableText); }

Project parseProject(std::string_view text) {
    Project project;
    const auto lines = splitLines(text);
    std::size_t i = 0;
    for (std::size_t s = 0; s < project.sections.size(); ++s) {
        if (i >= lines.size()) break;
        project.headerLine[s] = i + 1;
        ++i;  // the header line
        while (i < lines.size() && lines[i] != "[END]") project.sections[s].push_back(lines[i++]);
        if (i < lines.size()) ++i;  // the "[END]" line
        else project.ended[s] = false;
    }
    return project;
}

std::vector<std::string> projectProblems(const Project& project) {
    // Fields a record of each section holds; the options line is read by its numbers alone.
    constexpr std::array<std::size_t, 5> kFields{8, 0, 8, 17, 9};
    std::vector<std::string> problems;
    for (std::size_t s = 0; s < project.sections.size(); ++s) {
        const std::string name = "[" + toUpper(kSectionFiles[s]) + "]";
        if (!project.ended[s])
            problems.push_back("the file ends inside its " + name + " section (no [END] line): it was cut short");
        if (kFields[s] == 0) continue;
        const auto& lines = project.sections[s];
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (isBlankLine(lines[i])) continue;
            const std::string problem = recordProblem(lines[i], kFields[s]);
            if (problem.empty()) continue;
            problems.push_back(name + " line " + std::to_string(i + 1) + " (line " +
                               std::to_string(project.headerLine[s] + 1 + i) + " of the file): " + problem);
        }
    }
    return problems;
}

std::string projectText(const Project& project) {
    std::string out;
    for (std::size_t s = 0; s < project.sections.size(); ++s) {
        out += "[" + toUpper(kSectionFiles[s]) + "]\r\n";
        out += joinLines(project.sections[s]);
        out += "[END]\r\n";
    }
    return out;
}

Project readProjectFile(const std::filesystem::path& path) { return parseProject(readExistingFile(path)); }

void writeProjectFile(const std::filesystem::path& path, const Project& project) {
    writeFileAtomic(path, projectText(project));
}

bool isCoilProject(const std::filesystem::path& path) { return equalsIgnoreCase(path.extension().string(), ".dcm"); }

}  // namespace veltrix
