#pragma once
// Test helpers: a temporary working folder removed at the end of the test, and file access.

#include <filesystem>
#include <string>
#include <string_view>

namespace veltrix::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / std::filesystem::path(name); }
    // Writes a file in the folder (bytes as given) and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view contents) const;
    // Reads a file of the folder; empty text when missing.
    std::string read(std::string_view name) const;

private:
    std::filesystem::path path_;
};

// A fixture file under tests/data.
std::filesystem::path dataFile(std::string_view relative);
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view contents);

}  // namespace veltrix::test
