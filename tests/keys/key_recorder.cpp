// key_recorder OUTPUT TITLE: a stand-in window titled TITLE that writes each key it receives to
// OUTPUT as "KEYSYM DOWN" or "KEYSYM UP" (the keysym of the key without modifiers, by its X11
// name). Prints READY once the window is on the screen. Runs until it is killed.

#include <cstdio>
#include <cstring>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: key_recorder OUTPUT TITLE\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) return 2;
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 10, 10, 320, 200, 0,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, argv[2]);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(argv[2]), static_cast<int>(std::strlen(argv[2])));
    XSelectInput(display, window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(display, window);
    // Load the keyboard mapping now, so that changes to it are followed from the first key on.
    XKeysymToKeycode(display, XK_a);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            std::printf("READY\n");
            std::fflush(stdout);
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        } else if (event.type == KeyPress || event.type == KeyRelease) {
            const KeySym keysym = XLookupKeysym(&event.xkey, 0);
            const char* name = XKeysymToString(keysym);
            std::fprintf(out, "%s %s\n", name ? name : "NoSymbol", event.type == KeyPress ? "DOWN" : "UP");
            std::fflush(out);
        }
    }
}
