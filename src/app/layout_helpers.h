#pragma once
// Small builders for the components that every window lays out the same way.
#include "toolkit/extctrls.h"
#include "toolkit/stdctrls.h"

// An image button with its picture (a name under the program's images), hint and hand cursor.
TImage* tool_image(TWinControl* parent, const QString& name, const QString& picture, int left, int top,
                   int width, int height, const QString& hint);
TLabel* text_label(TWinControl* parent, const QString& name, const QString& caption, int left, int top,
                   const TFont& font);
TButton* push_button(TWinControl* parent, const QString& name, const QString& caption, int left, int top,
                     int width = 75, int height = 25);
// A dialog's full-width line for the guest's name or other text: centred, fuchsia, 16 pixels.
TLabel* guest_line(TWinControl* parent, const QString& name, int top, int width);
TLabeledEdit* labeled_edit(TWinControl* parent, const QString& name, const QString& caption, int left,
                           int top, int width, int height = 21);
