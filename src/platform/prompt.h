#pragma once
// Message boxes and questions. The desktop program shows them as dialogs; tests script the answers.

#include <string>
#include <vector>

namespace veltrix {

// The application title: the single-instance name and the title of a message given none.
inline constexpr const char* kApplicationTitle = "Veltrix Suite";
// The title of most messages.
inline constexpr const char* kAttention = "Attention!";

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

}  // namespace veltrix
