#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace veltrix {

// A file that could not be read or written. what() is a message fit for the user, naming the file.
class FileError : public std::runtime_error {
public:
    FileError(const std::filesystem::path& path, const std::string& problem)
        : std::runtime_error(problem + ": " + path.string()), path_(path) {}
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Input that cannot be used (a malformed file, an impossible job). what() is the user's message.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A request that cannot be carried out as asked (a layout that is not there, an output of the
// wrong kind, a name that cannot be a file name). what() says what to ask instead.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace veltrix
