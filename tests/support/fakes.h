#pragma once
// Scripted and recording implementations of the platform interfaces, for tests: questions answered
// from a script, dialogs that return chosen paths, a clipboard in memory, a shell and a drawing
// surface that record what they were asked to do.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/clipboard.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "platform/shell.h"
#include "platform/surface.h"

namespace veltrix {

// Answers from a script, in order; when the script runs out, the message's default answer (or
// Yes for a Yes/No question without one). Records every message for inspection.
class ScriptedPrompt : public Prompt {
public:
    explicit ScriptedPrompt(std::vector<Answer> answers = {}) : answers_(std::move(answers)) {}
    Answer ask(const Message& message) override {
        messages.push_back(message);
        if (next_ < answers_.size()) return answers_[next_++];
        if (message.buttons == Buttons::Ok) return Answer::Ok;
        return message.defaultAnswer == Answer::Ok ? Answer::Yes : message.defaultAnswer;
    }
    void push(Answer answer) { answers_.push_back(answer); }

    std::vector<Message> messages;

private:
    std::vector<Answer> answers_;
    std::size_t next_ = 0;
};

class MemoryClipboard : public Clipboard {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

class RecordingShell : public Shell {
public:
    // Records the file; fails (as a desktop without a browser does) while `failing` is set.
    bool openFile(const std::filesystem::path& path) override {
        opened.push_back(path);
        return !failing;
    }
    void showHelp(const std::filesystem::path& helpFile, int topic) override {
        helpShown.push_back(helpFile);
        topics.push_back(topic);
    }
    std::vector<std::filesystem::path> opened, helpShown;
    std::vector<int> topics;
    bool failing = false;
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
    std::optional<PrintRange> print(bool selectionPreselected) override {
        printPreselections.push_back(selectionPreselected);
        return take(prints_);
    }
    void pushOpen(std::optional<std::string> answer) { opens_.push_back(std::move(answer)); }
    void pushSave(std::optional<std::string> answer) { saves_.push_back(std::move(answer)); }
    void pushPrint(std::optional<PrintRange> answer) { prints_.push_back(answer); }

    std::vector<FileDialogRequest> requests;
    std::vector<bool> printPreselections;  // per printer dialog: the selection preselected

private:
    template <class T>
    static std::optional<T> take(std::vector<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        auto r = queue.front();
        queue.erase(queue.begin());
        return r;
    }
    std::vector<std::optional<std::string>> opens_, saves_;
    std::vector<std::optional<PrintRange>> prints_;
};

// GCC 12 at -O2 reports the variant's members as maybe uninitialized (a known false positive).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// A surface that keeps a list of what was drawn, for tests. Text metrics are fixed: every
// character is `charWidth` device units wide and a text is `lineHeight` device units high (both
// per point of font size 10, scaled by the font size), so expected positions can be worked out
// by hand.
class RecordingSurface : public Surface {
public:
    struct Line { double x1, y1, x2, y2; Rgb color; int penWidth; };
    struct Box { double x1, y1, x2, y2; Rgb color; bool filled; };
    struct Circle { double cx, cy, r; Rgb color; };
    struct Text { double x, y; std::string text; Rgb color; FontSpec font; };
    struct Scale { ScaleSpec scale; };
    struct Clear {};
    struct NewPage {};
    using Op = std::variant<Line, Box, Circle, Text, Scale, Clear, NewPage>;

    RecordingSurface(double deviceWidth, double deviceHeight, double charWidth = 6, double lineHeight = 12)
        : width_(deviceWidth), height_(deviceHeight), charWidth_(charWidth), lineHeight_(lineHeight) {}

    double deviceWidth() const override { return width_; }
    double deviceHeight() const override { return height_; }
    void setScale(const ScaleSpec& scale) override {
        scale_ = scale;
        ops.push_back(Scale{scale});
    }
    ScaleSpec scale() const override { return scale_; }
    void clear() override { ops.push_back(Clear{}); }
    void setPenWidth(int width) override { penWidth_ = width; }
    void setFont(const FontSpec& font) override { font_ = font; }
    FontSpec font() const override { return font_; }

    void line(double x1, double y1, double x2, double y2, Rgb color) override {
        ops.push_back(Line{x1, y1, x2, y2, color, penWidth_});
    }
    void box(double x1, double y1, double x2, double y2, Rgb color) override {
        ops.push_back(Box{x1, y1, x2, y2, color, false});
    }
    void filledBox(double x1, double y1, double x2, double y2, Rgb color) override {
        ops.push_back(Box{x1, y1, x2, y2, color, true});
    }
    void circle(double cx, double cy, double r, Rgb color) override { ops.push_back(Circle{cx, cy, r, color}); }
    void text(double x, double y, std::string_view text, Rgb color) override {
        ops.push_back(Text{x, y, std::string(text), color, font_});
    }
    // Device height of one text line, converted to user units of Y.
    double textHeight(std::string_view) const override {
        return lineHeight_ * font_.size / 10.0 * scale_.height / height_;
    }
    double textWidth(std::string_view text) const override {
        return charWidth_ * font_.size / 10.0 * static_cast<double>(text.size()) * scale_.width / width_;
    }
    void newPage() override { ops.push_back(NewPage{}); }

    // The operations of one kind, in drawing order.
    template <class T>
    std::vector<T> all() const {
        std::vector<T> found;
        for (const Op& op : ops)
            if (const T* p = std::get_if<T>(&op)) found.push_back(*p);
        return found;
    }

    std::vector<Op> ops;

private:
    double width_, height_, charWidth_, lineHeight_;
    ScaleSpec scale_;
    FontSpec font_{"", 10};
    int penWidth_ = 1;
};
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace veltrix
