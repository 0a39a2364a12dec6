// Asks an X11 window to close the way a window manager does when the close
// box is clicked: a WM_DELETE_WINDOW client message. The end-to-end test runs
// on a bare X server, where no window manager could send it.
//
//   plumfizz-e2e-close-box <window id>
//
// Exit status 0 when the message was sent, 1 when the window does not take
// part in the protocol or cannot be found, 2 on bad usage.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

int g_xError = 0;

int RecordError(Display*, XErrorEvent* event)
{
    g_xError = event->error_code;
    return 0;
}

bool TakesPartInDeleteProtocol(Display* display, Window window, Atom deleteWindow)
{
    Atom* protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(display, window, &protocols, &count)) return false;
    bool found = false;
    for (int i = 0; i < count; ++i) found = found || protocols[i] == deleteWindow;
    XFree(protocols);
    return found;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <window id>\n", argv[0]);
        return 2;
    }
    char* end = nullptr;
    const unsigned long id = std::strtoul(argv[1], &end, 0);
    if (!end || *end != '\0' || id == 0) {
        std::fprintf(stderr, "not a window id: %s\n", argv[1]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(RecordError);
    const Window window = static_cast<Window>(id);
    const Atom protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);

    if (!TakesPartInDeleteProtocol(display, window, deleteWindow)) {
        std::fprintf(stderr, "window 0x%lx does not accept WM_DELETE_WINDOW\n", id);
        XCloseDisplay(display);
        return 1;
    }

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocolsAtom;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    const int error = g_xError;
    XCloseDisplay(display);
    if (error != 0) {
        std::fprintf(stderr, "X error %d while sending to window 0x%lx\n", error, id);
        return 1;
    }
    return 0;
}
