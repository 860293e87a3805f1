#pragma once
// Runs the built `veltrix` program as a user runs it, for the end-to-end tests.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace veltrix::test {

struct ProgramRun {
    int code = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

inline std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// Runs `veltrix <arguments>` through the shell; standard error is caught in a file of `scratch`.
inline ProgramRun runVeltrix(const std::string& arguments, const std::filesystem::path& scratch) {
    const auto errFile = scratch / "stderr.txt";
    const std::string command = std::string(VELTRIX_PROGRAM) + " " + arguments + " 2>" + quoted(errFile);
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buf{};
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe)) run.out.append(buf.data(), n);
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    FILE* err = std::fopen(errFile.c_str(), "rb");
    if (err) {
        while (std::size_t n = std::fread(buf.data(), 1, buf.size(), err)) run.err.append(buf.data(), n);
        std::fclose(err);
    }
    std::filesystem::remove(errFile);
    return run;
}

}  // namespace veltrix::test
