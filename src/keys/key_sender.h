#pragma once
// Typing key events into another program's window: the desktop's keyboard input synthesis.

#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "keys/key_events.h"

namespace veltrix::keys {

// The message when no X11 display can be opened (a Wayland-only session, no desktop at all).
inline constexpr const char* kNeedsX11Message =
    "Sending keys to another program needs an X11 session: no X11 display could be opened.";

// Sending failed (the display went away, the window could not take the keys). what() is a message
// for the user.
class KeySendError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class KeySender {
public:
    virtual ~KeySender() = default;
    // Brings the top-level window whose title is exactly `title` to the front and gives it the
    // keyboard focus. False when there is no such window or it cannot be activated.
    virtual bool activateWindow(std::string_view title) = 0;
    // Sends the events, in order, to the window that has the keyboard focus, and returns once the
    // display has taken them. Throws KeySendError.
    virtual void send(std::span<const KeyEvent> events) = 0;
};

// Parses a key string and sends its events.
void sendKeys(KeySender& sender, std::string_view text);

// The sender of this desktop: X11 with the XTest extension, on the display named by DISPLAY.
// Throws KeySendError with kNeedsX11Message when no X11 display can be opened, and with another
// message when the display cannot synthesise keys.
std::unique_ptr<KeySender> openDesktopKeySender();

}  // namespace veltrix::keys
