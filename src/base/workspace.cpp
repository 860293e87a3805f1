#include "base/workspace.h"

#include "base/file_ops.h"

namespace fs = std::filesystem;

namespace veltrix {

Workspace::Workspace(fs::path folder) : folder_(std::move(folder)) {}

fs::path Workspace::file(std::string_view name) const { return resolveInFolder(folder_, name); }

fs::path resolveInFolder(const fs::path& folder, std::string_view name) {
    const fs::path exact = folder / fs::path(name);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const fs::path dir = exact.has_parent_path() ? exact.parent_path() : fs::path(".");
    const std::string wanted = exact.filename().string();
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (equalsIgnoreCase(entry.path().filename().string(), wanted)) return entry.path();
    }
    return exact;
}

}  // namespace veltrix
