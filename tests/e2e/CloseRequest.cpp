// Declared in Screen.h, which cannot be included here: Xlib has a Screen of its own.
#include <X11/Xlib.h>
#include <string>

bool sendCloseRequest(const std::string& display, unsigned long window)
{
    Display* x = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (!x)
        return false;
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(window);
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(x, event.xclient.window, False, NoEventMask, &event) != 0;
    XFlush(x);
    XCloseDisplay(x);
    return sent;
}
