#pragma once
// A key sender that keeps what it is given instead of typing it.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_sender.h"

namespace veltrix::keys {

class RecordingKeySender : public KeySender {
public:
    std::string activatableTitle;  // the only title activateWindow accepts; any when empty
    bool activateResult = true;    // false: no window can be activated
    std::vector<KeyEvent> events;  // every event sent, in order
    int sendCalls = 0;

    bool activateWindow(std::string_view title) override {
        return activateResult && (activatableTitle.empty() || activatableTitle == title);
    }
    void send(std::span<const KeyEvent> sent) override {
        ++sendCalls;
        events.insert(events.end(), sent.begin(), sent.end());
    }
};

}  // namespace veltrix::keys
