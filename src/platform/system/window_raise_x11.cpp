#include "system/window_raise.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The window may be gone by now; Xlib's default handler would end the process.
int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

bool Iconic(Display* display, Window window)
{
    const Atom wm_state = XInternAtom(display, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool iconic = false;
    if (XGetWindowProperty(display, window, wm_state, 0, 1, False, wm_state, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        iconic = format == 32 && count == 1 && *reinterpret_cast<long*>(data) == IconicState;
        XFree(data);
    }
    return iconic;
}

// Window managers refuse focus grabs from other programs; activation goes through them.
void RequestActivation(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // source: on the user's behalf, as a pager or task bar asks
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
}

} // namespace

void RaiseWindow(std::uint32_t window)
{
    if (window == 0)
        return;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const auto previous = XSetErrorHandler(IgnoreErrors);
    if (Iconic(display, window))
        XMapWindow(display, window);
    RequestActivation(display, window);
    XRaiseWindow(display, window);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
}
