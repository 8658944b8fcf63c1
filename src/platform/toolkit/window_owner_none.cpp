#include "toolkit/window_owner.h"

#include <QWindow>

// Built where no X11 library is available: the toolkit's own record is all there is.
void SetWindowOwner(QWindow* dialog, QWindow* owner)
{
    dialog->setTransientParent(owner);
}
