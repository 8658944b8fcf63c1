#pragma once
// Which window a dialog belongs to, for the window manager too.
class QWindow;

// Makes the shown `dialog` belong to `owner`, and tells the window manager at once: the window
// system reads the owner only when a window is first shown.
void SetWindowOwner(QWindow* dialog, QWindow* owner);
