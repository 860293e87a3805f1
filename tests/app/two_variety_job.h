#pragma once
// The job both the command tests and the plan edit tests run: twenty 600 x 400 sides and four
// 300 x 200 shelves on 2440 x 1220 boards, kerf 4, maximum yield.

namespace veltrix::test {

inline const char* const kTwoVarietyJob =
    "[BASIC.TLF]\r\n\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
    "[SHEET.TLF]\r\n\"2440\",\"1220\",\"5\",\"0\",\"0\",\"0\",\"0\",\"A\"\r\n[END]\r\n"
    "[CUT.TLF]\r\n\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"20\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n"
    "\"300\",\"\",\"\",\"\",\"\",\"200\",\"\",\"\",\"\",\"\",\"4\",\"\",\"SHELF\",\"\",\"\",\"\",\"\"\r\n[END]\r\n"
    "[DIA.TLF]\r\n[END]\r\n";

}  // namespace veltrix::test
