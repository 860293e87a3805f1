#pragma once
// A small sheet job for runs in tests: with efficiency 1 (6 iterations per cut-piece variety) a
// run ends at once. Twenty 600 x 400 pieces need two different layouts (twelve fit on a sheet).

namespace veltrix::test {

inline constexpr const char* kSmallBasic = "\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n";
inline constexpr const char* kSmallSheets = "\"2440\",\"1220\",\"5\",\"0\",\"0\",\"0\",\"0\",\"A\"\r\n";
inline constexpr const char* kSmallCuts =
    "\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"20\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n"
    "\"300\",\"\",\"\",\"\",\"\",\"200\",\"\",\"\",\"\",\"\",\"4\",\"\",\"SHELF\",\"\",\"\",\"\",\"\"\r\n";
inline constexpr const char* kQuickMisc = "\"Area\"\r\n0\r\n1\r\n";

}  // namespace veltrix::test
