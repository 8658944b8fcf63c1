#pragma once
// The program's main block: start, windows, message loop, end.
int KRV_main(int argc, char** argv);

// Gives every unit's variables their start values, in the units' order.
void initialize_units();
// Creates the ten windows in their order, each assigned to its global; the first is the main form.
void create_windows();
// Destroys them in the reverse order.
void destroy_windows();
