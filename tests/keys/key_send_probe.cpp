// key_send_probe TITLE TEXT: activates the window titled TITLE and sends the key string TEXT to it
// with the desktop's key sender. Exit 1 when the window cannot be activated or sending fails.

#include <cstdio>

#include "keys/key_sender.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: key_send_probe TITLE TEXT\n");
        return 2;
    }
    try {
        const auto sender = veltrix::keys::openDesktopKeySender();
        if (!sender->activateWindow(argv[1])) {
            std::fprintf(stderr, "window not activated\n");
            return 1;
        }
        veltrix::keys::sendKeys(*sender, argv[2]);
    } catch (const veltrix::keys::KeySendError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
