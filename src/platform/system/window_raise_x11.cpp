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

// Runs `requests` about the window on a connection of their own, their errors ignored.
template <typename Requests> void OnOwnConnection(std::uint32_t window, Requests requests)
{
    if (window == 0)
        return;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const auto previous = XSetErrorHandler(IgnoreErrors);
    requests(display, window);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
}

} // namespace

void RaiseWindow(std::uint32_t window)
{
    OnOwnConnection(window, [](Display* display, Window w) {
        if (Iconic(display, w))
            XMapWindow(display, w);
        RequestActivation(display, w);
        XRaiseWindow(display, w);
    });
}

void FocusShownWindow(std::uint32_t window)
{
    OnOwnConnection(window, [](Display* display, Window w) {
        // The server refuses the focus for a window that is not viewable: one minimised since stays so.
        XSetInputFocus(display, w, RevertToParent, CurrentTime);
    });
}
