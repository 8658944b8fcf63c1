#pragma once
// The operating system's failures as the program reports them.

// Raises errno as an Exception "System Error.  Code: <code>." + line break + the system's text for it.
[[noreturn]] void RaiseLastOSError();
