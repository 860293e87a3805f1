#pragma once

#include <filesystem>
#include <string_view>

namespace veltrix {

// The working folder: where the job's table files, the settings and the templates live. Every
// relative file name of the system resolves here; nothing depends on the process's current folder.
class Workspace {
public:
    explicit Workspace(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }

    // The path of a file of the working folder. File names are matched without regard to letter
    // case: when no file of exactly this name exists but one differing only in case does, that
    // one is returned; otherwise the name as given.
    std::filesystem::path file(std::string_view name) const;

private:
    std::filesystem::path folder_;
};

// Resolves `name` in `folder` as Workspace::file does.
std::filesystem::path resolveInFolder(const std::filesystem::path& folder, std::string_view name);

}  // namespace veltrix
