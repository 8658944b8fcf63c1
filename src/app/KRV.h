#pragma once
// The program's main block: start, windows, message loop, end.
int KRV_main(int argc, char** argv);

// Creates the ten windows in their order, each assigned to its global; the first is the main form.
void create_windows();
// Destroys them in the reverse order.
void destroy_windows();
