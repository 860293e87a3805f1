#include "keys/key_sender.h"

namespace veltrix::keys {

void sendKeys(KeySender& sender, std::string_view text) {
    const std::vector<KeyEvent> events = parseKeyString(text);
    sender.send(events);
}

#ifndef VELTRIX_HAVE_X11
std::unique_ptr<KeySender> openDesktopKeySender() { throw KeySendError(kNeedsX11Message); }
#endif

}  // namespace veltrix::keys
