#pragma once
// Project files (".opt" sheet mode, ".dcm" coil mode, "Defaults", "tmp.tlf"): five sections,
// each a header line "[NAME.TLF]", the lines of one table file verbatim, and "[END]".

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

enum ProjectSection { kBasicSection = 0, kOptionsSection, kSheetSection, kCutSection, kResultSection };

struct Project {
    // The lines of basic.tlf, options.tlf, sheet.tlf, cut.tlf and dia.tlf, without line ends.
    std::array<std::vector<std::string>, 5> sections;
    // Where each section stood in the file it was read from: the line number (from 1) of its
    // header line, 0 when the file ended before the section began.
    std::array<std::size_t, 5> headerLine{};
    // False for a section whose header was read but whose "[END]" line never came: the file was
    // cut short inside it.
    std::array<bool, 5> ended{true, true, true, true, true};

    std::vector<std::string>& operator[](ProjectSection s) { return sections[static_cast<std::size_t>(s)]; }
    const std::vector<std::string>& operator[](ProjectSection s) const { return sections[static_cast<std::size_t>(s)]; }
    // The table-file text of a section (each line followed by CR LF).
    std::string text(ProjectSection s) const;
    void setText(ProjectSection s, std::string_view tableText);
};

// The table file of each section, in order.
inline constexpr std::array<const char*, 5> kSectionFiles{"basic.tlf", "options.tlf", "sheet.tlf", "cut.tlf", "dia.tlf"};

inline constexpr const char* kDefaultsFile = "Defaults";

// Reads sections by position: each starts with one header line (skipped, not compared) and runs
// to the next line that is exactly "[END]". A text that ends before five sections have been read
// gives the missing sections empty; a section still open at the end is noted (`ended`).
Project parseProject(std::string_view text);

// What a careful reader finds wrong in a project as read: a section the file ends inside of, and
// every line of a table section (basic details, sheets, cut-pieces, layout result) that does not
// hold its table's number of well-formed fields, each named by its section and its line numbers,
// e.g. "[CUT.TLF] line 2 (line 12 of the file): 16 fields where 17 belong". Blank lines are not
// counted as wrong. Empty when nothing is. Such a project can still be opened; what it holds is
// then not to be relied on.
std::vector<std::string> projectProblems(const Project& project);
// The file text: five sections, CR LF line ends.
std::string projectText(const Project& project);

// Throws FileError when the file cannot be read.
Project readProjectFile(const std::filesystem::path& path);
// Writes atomically: a failed save never destroys the previous file. Throws FileError.
void writeProjectFile(const std::filesystem::path& path, const Project& project);

// Coil mode is the ".dcm" extension, letter case ignored.
bool isCoilProject(const std::filesystem::path& path);

}  // namespace veltrix
