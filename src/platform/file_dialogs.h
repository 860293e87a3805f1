#pragma once
// Open, save and print dialogs.

#include <optional>
#include <string>
#include <vector>

namespace veltrix {

struct FileDialogRequest {
    std::string title;
    // Filter pairs in the form "description|pattern|description|pattern", e.g. "*.opt|*.opt".
    std::string filter;
    // The file name the dialog opens with.
    std::string initialPath;
};

enum class PrintRange { All, Selection };

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Returns the chosen existing file, or nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // Returns the chosen file name (overwrite confirmed), or nothing when cancelled.
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    // The printer dialog: the range chosen, or nothing when cancelled.
    virtual std::optional<PrintRange> print(bool selectionPreselected) = 0;
};

// Answers from a script; records the requests. Cancels when the script runs out.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<std::string> openFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        return take(opens_);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        return take(saves_);
    }
    std::optional<PrintRange> print(bool) override {
        if (prints_.empty()) return std::nullopt;
        auto r = prints_.front();
        prints_.erase(prints_.begin());
        return r;
    }
    void pushOpen(std::optional<std::string> answer) { opens_.push_back(std::move(answer)); }
    void pushSave(std::optional<std::string> answer) { saves_.push_back(std::move(answer)); }
    void pushPrint(std::optional<PrintRange> answer) { prints_.push_back(answer); }

    std::vector<FileDialogRequest> requests;

private:
    static std::optional<std::string> take(std::vector<std::optional<std::string>>& queue) {
        if (queue.empty()) return std::nullopt;
        auto r = queue.front();
        queue.erase(queue.begin());
        return r;
    }
    std::vector<std::optional<std::string>> opens_, saves_;
    std::vector<std::optional<PrintRange>> prints_;
};

}  // namespace veltrix
