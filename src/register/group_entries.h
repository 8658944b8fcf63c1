#pragma once
// The group lists of the main window's filter and of the guest edit dialog share their entries.
class TADOQuery;
class TComboBox;

// Adds two blanks and the name of every group, in name order, read on the scratch query.
void add_group_entries(TADOQuery* cnn, TComboBox* list);
