#pragma once
// Message boxes and questions. The desktop program shows them as dialogs; tests script the answers.

#include <string>
#include <vector>

namespace veltrix {

// The application title: the single-instance name and the title of a message given none.
inline constexpr const char* kApplicationTitle = "Veltrix Suite";

enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    std::string text;
    std::string title;  // empty: the application title shows
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Ok;  // the preselected button
};

class Prompt {
public:
    virtual ~Prompt() = default;
    // Shows the message and returns the button pressed.
    virtual Answer ask(const Message& message) = 0;

    // A plain message with an OK button.
    void tell(std::string text, std::string title = {}, Icon icon = Icon::None) {
        ask(Message{std::move(text), std::move(title), icon, Buttons::Ok, Answer::Ok});
    }
};

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

}  // namespace veltrix
