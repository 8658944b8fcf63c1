#pragma once
// Waiting with a deadline instead of sleeping for a guessed time.
#include <functional>

// Lets the thread's events run until done() holds or ms have passed; whether it holds then. Without
// an event loop it only polls.
bool wait_until(const std::function<bool()>& done, int ms = 10000);
