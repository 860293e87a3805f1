#include "base/file_ops.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include "base/error.h"
#include "base/table_file.h"

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
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) throw FileError(path, "File not found");
    if (fs::is_directory(status)) throw FileError(path, "This is a folder, not a file");
    if (!fs::is_regular_file(status)) throw FileError(path, "This is not a regular file (a device or a pipe)");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(path, "Cannot read the file");
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) throw FileError(path, "Cannot read the file");
    return ss.str();
}

fs::path followLinks(const fs::path& path) {
    fs::path current = path;
    // As the system resolves names: a few dozen links at most, else a loop.
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) return current;
        const fs::path target = fs::read_symlink(current, ec);
        if (ec) throw FileError(path, "Cannot read the link");
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw FileError(path, "Too many symbolic links (a loop)");
}

bool sameFile(const fs::path& a, const fs::path& b) noexcept {
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

namespace {

std::string writeProblem(int err) { return std::string("Cannot write the file (") + std::strerror(err) + ")"; }

// The file a write replaces: `path` through its links. A target that exists must be a regular
// file; a folder, device or pipe is never turned into one.
fs::path writeTarget(const fs::path& path) {
    const fs::path target = followLinks(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        throw FileError(path, fs::is_directory(status)
                                  ? "This is a folder; a file of that name cannot be written"
                                  : "This is not a regular file (a device or a pipe); it is not replaced");
    }
    return target;
}

// Writes `contents` to a new temporary file beside `target`, every write and the close checked
// and the data flushed to the disk. Returns the temporary's path; throws FileError (naming
// `shownPath`) with nothing left behind.
fs::path writeTemporary(const fs::path& target, const fs::path& shownPath, std::string_view contents) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device rd;
    const fs::path temp =
        folder / ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw FileError(shownPath, writeProblem(errno));
    std::size_t done = 0;
    int err = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0) {
        // Keep the permissions of the file being replaced.
        std::error_code ec;
        const auto status = fs::status(target, ec);
        if (!ec && fs::exists(status)) fs::permissions(temp, status.permissions(), ec);
        return temp;
    }
    ::unlink(temp.c_str());
    throw FileError(shownPath, writeProblem(err));
}

void renameIntoPlace(const fs::path& temp, const fs::path& target, const fs::path& shownPath) {
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw FileError(shownPath, writeProblem(err));
    }
}

}  // namespace

void writeFileAtomic(const fs::path& path, std::string_view contents) {
    const fs::path target = writeTarget(path);
    renameIntoPlace(writeTemporary(target, path, contents), target, path);
}

void writeFilesAtomic(const std::vector<std::pair<fs::path, std::string>>& files) {
    std::vector<std::pair<fs::path, fs::path>> written;  // temporary, target
    try {
        for (const auto& [path, contents] : files) {
            const fs::path target = writeTarget(path);
            written.emplace_back(writeTemporary(target, path, contents), target);
        }
    } catch (...) {
        for (const auto& [temp, target] : written) ::unlink(temp.c_str());
        throw;
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        try {
            renameIntoPlace(written[i].first, written[i].second, files[i].first);
        } catch (...) {
            for (std::size_t j = i + 1; j < written.size(); ++j) ::unlink(written[j].first.c_str());
            throw;
        }
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

std::string printableText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 32 && c != '\n' && c != '\t') || u >= 127) c = '?';
    }
    return out;
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
