#include "table/file_ops.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include "table/error.h"
#include "table/table_file.h"

namespace fs = std::filesystem;

namespace veltrix {

bool fileExists(const fs::path& path) noexcept {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool fileEmptyOrMissing(const fs::path& path) noexcept {
    if (!fileExists(path)) return true;
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec || size == 0;
}

std::string readWholeFile(const fs::path& path) noexcept {
    try {
        if (!fileExists(path)) return {};
        std::ifstream in(path, std::ios::binary);
        if (!in) return {};
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    } catch (...) {
        return {};
    }
}

std::string readExistingFile(const fs::path& path) {
    if (!fileExists(path)) throw FileError(path, "File not found");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(path, "Cannot read the file");
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) throw FileError(path, "Cannot read the file");
    return ss.str();
}

void writeFileAtomic(const fs::path& path, std::string_view contents) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::random_device rd;
    const fs::path temp =
        folder / ("." + path.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw FileError(path, std::string("Cannot write the file (") + std::strerror(errno) + ")");
    std::size_t done = 0;
    bool ok = true;
    int err = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            err = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        // Keep the permissions of the file being replaced.
        std::error_code ec;
        const auto perms = fs::status(path, ec).permissions();
        if (!ec && fs::exists(path, ec)) fs::permissions(temp, perms, ec);
        if (std::rename(temp.c_str(), path.c_str()) != 0) {
            ok = false;
            err = errno;
        }
    }
    if (!ok) {
        ::unlink(temp.c_str());
        throw FileError(path, std::string("Cannot write the file (") + std::strerror(err) + ")");
    }
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    // Iterative matcher with backtracking on the last star.
    std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

int deleteMatching(const fs::path& folder, std::string_view pattern) noexcept {
    int count = 0;
    try {
        std::error_code ec;
        const fs::path dir = folder.empty() ? fs::path(".") : folder;
        std::vector<fs::path> victims;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            if (!entry.is_regular_file(ec)) continue;
            if (wildcardMatch(pattern, entry.path().filename().string())) victims.push_back(entry.path());
        }
        for (const auto& v : victims)
            if (fs::remove(v, ec)) ++count;
    } catch (...) {
    }
    return count;
}

void deleteFile(const fs::path& path) noexcept {
    std::error_code ec;
    fs::remove(path, ec);
}

std::string fileNameOfPath(std::string_view path) {
    const auto pos = path.find_last_of("\\/");
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::vector<std::string> loadList(const fs::path& path) {
    std::vector<std::string> items;
    const std::string text = readWholeFile(path);
    FieldReader reader(text);
    while (!reader.atEnd()) items.push_back(reader.next());
    return items;
}

std::string dateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%d-%m-%Y", &local);
    return buf;
}

std::string toUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

std::string toLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string trimBlanks(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    return std::string(text.substr(b, e - b));
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) { return toLower(a) == toLower(b); }

}  // namespace veltrix
