#pragma once
// Font changes on the card labels that keep the rest of the label's font.
#include "toolkit/stdctrls.h"

// Face, style and size of `face` onto the label; its colour stays.
void set_font_face(TLabel* label, const TFont& face);
void set_font_name(TLabel* label, const QString& name);
void set_font_color(TLabel* label, TColor color);
