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
// gives the missing sections empty.
Project parseProject(std::string_view text);
// The file text: five sections, CR LF line ends.
std::string projectText(const Project& project);

// Throws FileError when the file cannot be read.
Project readProjectFile(const std::filesystem::path& path);
// Writes atomically: a failed save never destroys the previous file. Throws FileError.
void writeProjectFile(const std::filesystem::path& path, const Project& project);

// Coil mode is the ".dcm" extension, letter case ignored.
bool isCoilProject(const std::filesystem::path& path);

}  // namespace veltrix
