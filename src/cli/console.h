#pragma once
// Messages and questions of the core, answered on the command line: messages go to the error
// stream; questions take their default answer (the tool never waits for a keyboard).

#include <ostream>

#include "platform/prompt.h"

namespace veltrix::cli {

class ConsolePrompt : public Prompt {
public:
    explicit ConsolePrompt(std::ostream& err) : err_(err) {}
    Answer ask(const Message& message) override {
        err_ << message.text << "\n";
        if (message.buttons == Buttons::Ok) return Answer::Ok;
        return message.defaultAnswer == Answer::Ok ? Answer::Yes : message.defaultAnswer;
    }

private:
    std::ostream& err_;
};

}  // namespace veltrix::cli
