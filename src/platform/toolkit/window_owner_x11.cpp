#include "toolkit/window_owner.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

void SetWindowOwner(QWindow* dialog, QWindow* owner)
{
    dialog->setTransientParent(owner);
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !dialog->handle() || !owner || !owner->handle())
        return;
    // The toolkit's own connection, so the property follows the windows' creation in order.
    XSetTransientForHint(x11->display(), dialog->winId(), owner->winId());
    XFlush(x11->display());
}
