#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veltrix {

// Opening a file with its associated program, and the help. Failures are ignored.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void openFile(const std::filesystem::path& path) = 0;
    // Shows the help file of the working folder, at a topic (0 for the contents).
    virtual void showHelp(const std::filesystem::path& helpFile, int topic) = 0;
};

}  // namespace veltrix
