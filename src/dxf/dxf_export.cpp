#include "dxf/dxf_export.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/file_ops.h"

namespace fs = std::filesystem;

namespace veltrix::dxf {

namespace {

bool endsWithDxf(std::string_view name) {
    return name.size() >= 4 && equalsIgnoreCase(name.substr(name.size() - 4), ".dxf");
}

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// True for stem + "_k-n.dxf".
bool isEarlierExport(std::string_view name, std::string_view stem) {
    if (!endsWithDxf(name) || name.substr(0, stem.size()) != stem) return false;
    std::string_view rest = name.substr(stem.size(), name.size() - stem.size() - 4);
    if (rest.empty() || rest.front() != '_') return false;
    rest.remove_prefix(1);
    const auto dash = rest.find('-');
    return dash != std::string_view::npos && allDigits(rest.substr(0, dash)) && allDigits(rest.substr(dash + 1));
}

}  // namespace

fs::path exportBase(const fs::path& chosen) {
    const std::string text = chosen.string();
    if (endsWithDxf(text)) return fs::path(text.substr(0, text.size() - 4));
    return chosen;
}

fs::path exportFileName(const fs::path& base, long long k, long long n) {
    return fs::path(base.string() + "_" + std::to_string(k) + "-" + std::to_string(n) + ".dxf");
}

int deleteEarlierExports(const fs::path& base, const std::vector<fs::path>& keep) noexcept {
    int deleted = 0;
    try {
        const std::string stem = base.filename().string();
        fs::path folder = base.parent_path();
        if (folder.empty()) folder = ".";
        if (stem.empty()) return 0;
        std::vector<fs::path> doomed;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code fileEc;
            if (!isEarlierExport(it->path().filename().string(), stem) || !it->is_regular_file(fileEc)) continue;
            const bool kept = std::any_of(keep.begin(), keep.end(),
                                          [&](const fs::path& k) { return k == it->path() || sameFile(k, it->path()); });
            if (!kept) doomed.push_back(it->path());
        }
        for (const fs::path& file : doomed) {
            std::error_code fileEc;
            if (fs::remove(file, fileEc)) ++deleted;
        }
    } catch (...) {
        // A folder that cannot be listed leaves nothing to delete.
    }
    return deleted;
}

}  // namespace veltrix::dxf
