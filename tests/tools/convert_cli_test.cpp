// `veltrix convert`: the result on standard output, usage errors and unreadable values.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace veltrix {
namespace {

struct Outcome {
    int code;
    std::string output;
};

Outcome veltrix(const std::string& arguments) {
    const std::string command = std::string(VELTRIX_PROGRAM) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {-1, {}};
    std::string output;
    std::array<char, 4096> buf{};
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe)) output.append(buf.data(), n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(ConvertCommand, PrintsTheConvertedLength) {
    const Outcome inches = veltrix("convert '1 1/2' --from in --to mm");
    EXPECT_EQ(inches.code, 0);
    EXPECT_EQ(inches.output, "38.1000\n");
    EXPECT_EQ(veltrix("convert 1 --from ft --to mt").output, "0.3048\n");
    EXPECT_EQ(veltrix("convert abc --from mm --to cm").output, "0.0000\n");
}

TEST(ConvertCommand, RefusesUnknownUnitsAndUnreadableFractions) {
    const Outcome unit = veltrix("convert 1 --from yd --to mm");
    EXPECT_EQ(unit.code, 2);
    EXPECT_NE(unit.output.find("mm, cm, mt, in, ft"), std::string::npos);
    EXPECT_EQ(veltrix("convert 1 --from in").code, 2);
    const Outcome zero = veltrix("convert 1/0 --from in --to mm");
    EXPECT_EQ(zero.code, 1);
    EXPECT_NE(zero.output.find("cannot be converted"), std::string::npos);
}

}  // namespace
}  // namespace veltrix
