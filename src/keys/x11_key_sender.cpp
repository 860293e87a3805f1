// The key sender on X11: window activation through the window manager (_NET_ACTIVE_WINDOW) or
// directly, and key events synthesised with the XTest extension.

#include <chrono>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "keys/key_sender.h"

// X11 headers last: they define macros (None, Status, Bool) that other headers use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace veltrix::keys {
namespace {

using namespace std::chrono_literals;

// Time a client is given to read key events typed through the spare keycode before the keycode
// is bound to the next character.
constexpr auto kRebindPause = 30ms;
constexpr auto kFocusTimeout = 2s;

// The X error of the last failing request; Xlib's default handler would end the program.
int lastXError = 0;
int recordError(Display*, XErrorEvent* event) {
    lastXError = event->error_code;
    return 0;
}

KeySym keysymOfVirtualKey(std::uint16_t vk, bool extended) {
    if (vk >= 65 && vk <= 90) return XK_a + (vk - 65);
    if (vk >= 48 && vk <= 57) return XK_0 + (vk - 48);
    if (vk >= 112 && vk <= 127) return XK_F1 + (vk - 112);
    switch (vk) {
    case 8: return XK_BackSpace;
    case 9: return XK_Tab;
    case 13: return XK_Return;
    case 16: return XK_Shift_L;
    case 17: return XK_Control_L;
    case 18: return XK_Alt_L;
    case 19: return extended ? XK_Break : XK_Pause;
    case 20: return XK_Caps_Lock;
    case 27: return XK_Escape;
    case 32: return XK_space;
    case 33: return XK_Prior;
    case 34: return XK_Next;
    case 35: return XK_End;
    case 36: return XK_Home;
    case 37: return XK_Left;
    case 38: return XK_Up;
    case 39: return XK_Right;
    case 40: return XK_Down;
    case 41: return XK_Select;
    case 42: return XK_Print;
    case 44: return XK_Print;
    case 45: return XK_Insert;
    case 46: return XK_Delete;
    case 47: return XK_Help;
    case 144: return XK_Num_Lock;
    case 145: return XK_Scroll_Lock;
    case 186: return XK_semicolon;
    case 187: return XK_equal;
    case 188: return XK_comma;
    case 189: return XK_minus;
    case 190: return XK_period;
    case 191: return XK_slash;
    case 192: return XK_grave;
    case 219: return XK_bracketleft;
    case 220: return XK_backslash;
    case 221: return XK_bracketright;
    case 222: return XK_apostrophe;
    default: return NoSymbol;
    }
}

// The keysym of a Unicode character: Latin-1 characters have keysyms of their own code, the
// others 0x01000000 + code.
KeySym keysymOfChar(char32_t c) {
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) return static_cast<KeySym>(c);
    return static_cast<KeySym>(0x01000000 + c);
}

class X11KeySender final : public KeySender {
public:
    explicit X11KeySender(Display* display) : display_(display) {
        previousHandler_ = XSetErrorHandler(recordError);
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
            close();
            throw KeySendError("The X11 display cannot synthesise keys (no XTest extension).");
        }
    }
    ~X11KeySender() override { close(); }
    X11KeySender(const X11KeySender&) = delete;
    X11KeySender& operator=(const X11KeySender&) = delete;

    bool activateWindow(std::string_view title) override {
        const Window root = DefaultRootWindow(display_);
        std::optional<Window> target;
        findWindow(root, title, target);
        if (!target) return false;
        if (windowManagerActivates()) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = *target;
            event.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;  // asked for by a pager-like tool, on the user's behalf
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display_, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
            XSync(display_, False);
            if (waitForFocus(*target)) return true;
        }
        // No window manager that activates windows (or it did not): raise and focus it ourselves.
        XMapRaised(display_, *target);
        XSync(display_, False);
        const auto deadline = std::chrono::steady_clock::now() + kFocusTimeout;
        while (!viewable(*target) && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
        if (!viewable(*target)) return false;
        lastXError = 0;
        XSetInputFocus(display_, *target, RevertToParent, CurrentTime);
        XSync(display_, False);
        return lastXError == 0 && waitForFocus(*target);
    }

    void send(std::span<const KeyEvent> events) override {
        lastXError = 0;
        try {
            for (const KeyEvent& event : events) sendOne(event);
            XSync(display_, False);
        } catch (...) {
            releaseHeld();
            unbindSpare();
            throw;
        }
        unbindSpare();
        if (lastXError != 0) throw KeySendError("The X11 display refused a key event.");
    }

private:
    void close() {
        if (!display_) return;
        XCloseDisplay(display_);
        display_ = nullptr;
        XSetErrorHandler(previousHandler_);
    }

    Atom atom(const char* name) { return XInternAtom(display_, name, False); }

    // The window's title: _NET_WM_NAME (UTF-8) when set, else WM_NAME.
    std::optional<std::string> titleOf(Window window) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, window, atom("_NET_WM_NAME"), 0, 4096, False, atom("UTF8_STRING"), &type,
                               &format, &count, &after, &data) == Success &&
            data) {
            std::string title(reinterpret_cast<const char*>(data), count);
            XFree(data);
            if (format == 8) return title;
        }
        char* name = nullptr;
        if (XFetchName(display_, window, &name) && name) {
            std::string title(name);
            XFree(name);
            return title;
        }
        return std::nullopt;
    }

    // The first window below `parent` titled `title`, a viewable one before one that is not.
    void findWindow(Window parent, std::string_view title, std::optional<Window>& found) {
        Window root = 0, parentOut = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, parent, &root, &parentOut, &children, &count)) return;
        const std::vector<Window> list(children, children + count);
        if (children) XFree(children);
        for (Window child : list) {
            if (found && viewable(*found)) return;
            if (const auto name = titleOf(child); name && *name == title && (!found || viewable(child))) found = child;
            findWindow(child, title, found);
        }
    }

    bool viewable(Window window) {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable;
    }

    bool windowManagerActivates() {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, DefaultRootWindow(display_), atom("_NET_SUPPORTED"), 0, 65536, False,
                               XA_ATOM, &type, &format, &count, &after, &data) != Success ||
            !data)
            return false;
        const Atom wanted = atom("_NET_ACTIVE_WINDOW");
        bool supported = false;
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && format == 32; ++i) supported = supported || atoms[i] == wanted;
        XFree(data);
        return supported;
    }

    // Whether `window` is `ancestor` or lies inside it.
    bool inside(Window window, Window ancestor) {
        for (int depth = 0; window != 0 && depth < 64; ++depth) {
            if (window == ancestor) return true;
            Window root = 0, parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return false;
            if (children) XFree(children);
            if (parent == root) return false;
            window = parent;
        }
        return false;
    }

    bool waitForFocus(Window target) {
        const auto deadline = std::chrono::steady_clock::now() + kFocusTimeout;
        for (;;) {
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(display_, &focus, &revert);
            if (focus != PointerRoot && focus != 0 && inside(focus, target)) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(10ms);
        }
    }

    // A keycode with no keysyms, found once, to type keysyms that have no key of their own.
    KeyCode spareKeycode() {
        if (spare_) return spare_;
        int low = 0, high = 0;
        XDisplayKeycodes(display_, &low, &high);
        int perCode = 0;
        KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(low), high - low + 1, &perCode);
        if (map) {
            for (int code = high; code >= low && !spare_; --code) {
                bool empty = true;
                for (int i = 0; i < perCode; ++i)
                    empty = empty && map[(code - low) * perCode + i] == NoSymbol;
                if (empty) spare_ = static_cast<KeyCode>(code);
            }
            XFree(map);
        }
        if (!spare_) throw KeySendError("The X11 keyboard has no free key to type special characters with.");
        return spare_;
    }

    KeyCode bindSpare(KeySym keysym) {
        const KeyCode code = spareKeycode();
        if (spareBound_ == keysym) return code;
        // Let clients read the keys sent so far with the mapping they were sent under first.
        XSync(display_, False);
        std::this_thread::sleep_for(kRebindPause);
        KeySym syms[2] = {keysym, keysym};
        XChangeKeyboardMapping(display_, code, 2, syms, 1);
        XSync(display_, False);
        spareBound_ = keysym;
        return code;
    }

    void unbindSpare() {
        if (spareBound_ == NoSymbol) return;
        XSync(display_, False);
        std::this_thread::sleep_for(kRebindPause);
        KeySym syms[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(display_, spare_, 2, syms, 1);
        XSync(display_, False);
        spareBound_ = NoSymbol;
    }

    void fake(KeyCode code, bool down) {
        if (!XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime))
            throw KeySendError("The X11 display refused a key event.");
        if (down) held_.insert(code);
        else held_.erase(code);
        XFlush(display_);
    }

    void releaseHeld() {
        for (KeyCode code : held_) XTestFakeKeyEvent(display_, code, False, CurrentTime);
        held_.clear();
        XSync(display_, False);
    }

    void sendOne(const KeyEvent& event) {
        if (event.unicode()) {
            const char32_t unit = event.scan;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                // The first half of a character outside the basic plane: typed with the second.
                if (!event.up()) highSurrogate_ = unit;
                return;
            }
            char32_t c = unit;
            if (unit >= 0xDC00 && unit <= 0xDFFF)
                c = highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00) : 0xFFFD;
            if (event.up()) highSurrogate_ = 0;
            fake(bindSpare(keysymOfChar(c)), !event.up());
            return;
        }
        const KeySym keysym = keysymOfVirtualKey(event.vk, event.extended());
        if (keysym == NoSymbol) throw KeySendError("No X11 key for virtual key " + std::to_string(event.vk) + ".");
        KeyCode code = XKeysymToKeycode(display_, keysym);
        if (code == 0) code = bindSpare(keysym);
        fake(code, !event.up());
    }

    Display* display_ = nullptr;
    XErrorHandler previousHandler_ = nullptr;
    KeyCode spare_ = 0;
    KeySym spareBound_ = NoSymbol;
    char32_t highSurrogate_ = 0;
    std::set<KeyCode> held_;
};

}  // namespace

std::unique_ptr<KeySender> openDesktopKeySender() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) throw KeySendError(kNeedsX11Message);
    return std::make_unique<X11KeySender>(display);
}

}  // namespace veltrix::keys
