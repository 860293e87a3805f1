#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veltrix {

// Opening a file with its associated program, and the help.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens the file with the program the desktop associates with it. Returns false when no
    // program could be started for it (the caller tells the user); true says only that one was.
    virtual bool openFile(const std::filesystem::path& path) = 0;
    // Shows the help file of the working folder, at a topic (0 for the contents).
    virtual void showHelp(const std::filesystem::path& helpFile, int topic) = 0;
};

}  // namespace veltrix
