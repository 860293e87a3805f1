#include "job/project_file.h"

#include "table/file_ops.h"
#include "table/table_file.h"

namespace veltrix {

std::string Project::text(ProjectSection s) const { return joinLines((*this)[s]); }

void Project::setText(ProjectSection s, std::string_view tableText) { (*this)[s] = splitLines(tableText); }

Project parseProject(std::string_view text) {
    Project project;
    const auto lines = splitLines(text);
    std::size_t i = 0;
    for (auto& section : project.sections) {
        if (i >= lines.size()) break;
        ++i;  // the header line
        while (i < lines.size() && lines[i] != "[END]") section.push_back(lines[i++]);
        if (i < lines.size()) ++i;  // the "[END]" line
    }
    return project;
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
