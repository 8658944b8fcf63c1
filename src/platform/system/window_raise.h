#pragma once
// Handing the user over to another window: another process's, or another of the program's own.
#include <cstdint>

// Restores `window` when it is minimised and brings it to the foreground. Does nothing for window 0,
// for a window that no longer exists, or where the window system offers no way to do it.
void RaiseWindow(std::uint32_t window);

// Gives the keyboard to `window` while another window of the same program holds it, without asking the
// window manager: a request to it may arrive after the user has minimised the window, and restore it.
// Does nothing for a window that is not on the screen (minimised, not yet mapped) or no longer exists.
void FocusShownWindow(std::uint32_t window);
