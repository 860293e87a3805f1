#include "support/temp_folder.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace veltrix::test {

TempFolder::TempFolder() {
    std::random_device rd;
    for (;;) {
        path_ = fs::temp_directory_path() / ("veltrix-test-" + std::to_string(rd()));
        if (fs::create_directory(path_)) break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path TempFolder::write(std::string_view name, std::string_view contents) const {
    const fs::path p = path_ / fs::path(name);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    writeFile(p, contents);
    return p;
}

std::string TempFolder::read(std::string_view name) const { return readFile(path_ / fs::path(name)); }

fs::path dataFile(std::string_view relative) { return fs::path(VELTRIX_TEST_DATA) / fs::path(relative); }

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const fs::path& path, std::string_view contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

}  // namespace veltrix::test
