#include "tests/app/X11Windows.h"

#include <X11/Xlib.h>

#include <thread>

namespace tunelark::test {

struct X11Windows::Connection {
    Display* display = nullptr;
};

namespace {

// The window's title as UTF-8 (_NET_WM_NAME; WM_NAME holds a non-Latin title as compound
// text, which XFetchName does not give).
std::string TitleOf(Display* display, Window window) {
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count,
                           &left, &data) == Success &&
        data) {
        if (type == utf8 && format == 8) title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

Window FindWindow(Display* display, Window from, const std::string& prefix) {
    if (TitleOf(display, from).rfind(prefix, 0) == 0) return from;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, from, &root, &parent, &children, &count)) return 0;
    Window result = 0;
    for (unsigned int i = 0; i < count && !result; ++i) {
        result = FindWindow(display, children[i], prefix);
    }
    if (children) XFree(children);
    return result;
}

// A window that went away between finding it and writing to it is not fatal for the test.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

X11Windows::X11Windows(const std::string& displayName)
    : connection_(std::make_unique<Connection>()) {
    XSetErrorHandler(&IgnoreError);
    connection_->display = XOpenDisplay(displayName.c_str());
}

X11Windows::~X11Windows() {
    if (connection_->display) XCloseDisplay(connection_->display);
}

bool X11Windows::Connected() const {
    return connection_->display != nullptr;
}

unsigned long X11Windows::WaitForWindow(const std::string& prefix,
                                        std::chrono::milliseconds limit) {
    Display* display = connection_->display;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (display && std::chrono::steady_clock::now() < deadline) {
        if (Window window = FindWindow(display, DefaultRootWindow(display), prefix)) return window;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
}

void X11Windows::AskToClose(unsigned long window) {
    Display* display = connection_->display;
    if (!display) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace tunelark::test
