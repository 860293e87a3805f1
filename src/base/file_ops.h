#pragma once
// File operations used throughout the system. The queries never throw: a bad path counts as a
// missing file. Writers throw FileError, and never leave a half-written file behind.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrix {

// True when the name is not empty and names an existing regular file.
bool fileExists(const std::filesystem::path& path) noexcept;

// True when the file does not exist or has length 0.
bool fileEmptyOrMissing(const std::filesystem::path& path) noexcept;

// The whole contents of a file; empty text when it does not exist or cannot be read.
std::string readWholeFile(const std::filesystem::path& path) noexcept;

// The whole contents of a file; throws FileError when it does not exist, is not a regular file
// (a folder, a device) or cannot be read.
std::string readExistingFile(const std::filesystem::path& path);

// The file a path finally names: symbolic links followed to their target (a relative link read
// from the link's folder). A path that is no link is returned as it is. Throws FileError for a
// loop of links.
std::filesystem::path followLinks(const std::filesystem::path& path);

// True when both paths name the same existing file (also through links or other names).
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) noexcept;

// Replaces the file with the given bytes: writes a temporary file in the same folder and renames
// it over the old one, so a failed write (full disk, no permission) leaves the old file as it was.
// A symbolic link is written through: its target is replaced and the link stays. A target that
// exists but is not a regular file (a folder, a device, a pipe) is refused. Throws FileError on
// failure.
void writeFileAtomic(const std::filesystem::path& path, std::string_view contents);

// Writes several files as one change: every file is first written completely to a temporary file
// beside it, and only when all are written are they renamed into place. When a write fails no
// file is replaced and the temporaries are removed. Links and targets as writeFileAtomic. Throws
// FileError.
void writeFilesAtomic(const std::vector<std::pair<std::filesystem::path, std::string>>& files);

// Deletes every file in `folder` whose name matches `pattern` ("*" and "?" wildcards, letter case
// ignored). Returns the number deleted; failures are skipped.
int deleteMatching(const std::filesystem::path& folder, std::string_view pattern) noexcept;

// Deletes a file when it exists; never throws.
void deleteFile(const std::filesystem::path& path) noexcept;

// Wildcard match ("*", "?"), letter case ignored.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// The text after the last backslash or slash; the whole text when there is none.
std::string fileNameOfPath(std::string_view path);

// Every field of a table file in order; nothing when the file does not exist.
std::vector<std::string> loadList(const std::filesystem::path& path);

// Today's date as "dd-mm-yyyy".
std::string dateText();

// The text with every byte that is not printable ASCII (control characters, binary bytes) shown
// as "?", line ends and tabs kept: fit to be shown to a user in a message.
std::string printableText(std::string_view text);

// Upper and lower case of ASCII letters (table texts are plain ASCII).
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);
std::string trimBlanks(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace veltrix
