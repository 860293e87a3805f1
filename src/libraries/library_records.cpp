#include "libraries/library_records.h"

#include "platform/file_lock.h"

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
    const FileLock lock(file);
    std::string text;
    if (fileExists(file)) text = readExistingFile(file);
    writeFileAtomic(file, change(std::move(text)));
}

}  // namespace veltrix
