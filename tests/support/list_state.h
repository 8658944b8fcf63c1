#pragma once
// Puts the main window's list, sort and grid-layout variables back to their start values, which an
// earlier test of the same process may have changed.
void reset_list_state();
