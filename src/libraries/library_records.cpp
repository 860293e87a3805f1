#include "libraries/library_records.h"

#include "platform/file_lock.h"
#include "base/error.h"

namespace veltrix {

std::vector<std::vector<std::string>> readRecords(std::string_view text, std::size_t fieldCount) {
    std::vector<std::vector<std::string>> records;
    for (const std::string& line : splitLines(text)) {
        FieldReader reader(line);
        std::vector<std::string> fields = reader.next(fieldCount);
        records.push_back(std::move(fields));
    }
    return records;
}

void rewriteLocked(const std::filesystem::path& file, const std::function<std::string(std::string)>& change) {
    // A library reached through a link is locked beside its real file, where every workstation
    // that shares it takes the same lock.
    const std::filesystem::path real = followLinks(file);
    const FileLock lock(real);
    if (!lock.locked())
        throw FileError(lock.lockPath(), "The library cannot be locked, so it was not changed (" + lock.problem() + ")");
    std::string text;
    if (fileExists(real)) text = readExistingFile(real);
    writeFileAtomic(real, change(std::move(text)));
}

}  // namespace veltrix
