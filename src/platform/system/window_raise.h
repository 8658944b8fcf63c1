#pragma once
// Handing the user over to another process's window.
#include <cstdint>

// Restores `window` when it is minimised and brings it to the foreground. Does nothing for window 0,
// for a window that no longer exists, or where the window system offers no way to do it.
void RaiseWindow(std::uint32_t window);
