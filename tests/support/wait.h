#pragma once
// Waiting with a deadline instead of sleeping for a guessed time.
#include <functional>

// Lets the thread's events run until done() holds or ms have passed; whether it holds then. The
// default leaves room for a machine loaded by other work; it is a limit, not an expected time. Without
// an event loop it only polls.
bool wait_until(const std::function<bool()>& done, int ms = 30000);
