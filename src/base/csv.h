#pragma once
// Comma-separated values as spreadsheets and shop-management programs write them: fields may be
// quoted, a doubled quote inside quotes is one quote, and quoted fields may hold commas and line
// ends. Used to exchange job tables with other programs.

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// The rows of a CSV text. A byte-order mark at the start is skipped; blank lines give no row.
std::vector<std::vector<std::string>> parseCsv(std::string_view text);

// One CSV line (CR LF ended), quoting the fields that need it.
std::string csvLine(const std::vector<std::string>& fields);

}  // namespace veltrix
