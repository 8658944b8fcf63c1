#include "designer/label_font.h"

void set_font_face(TLabel* label, const TFont& face)
{
    TFont f = label->Font();
    f.Name = face.Name;
    f.Style = face.Style;
    f.Size = face.Size;
    label->SetFont(f);
}

void set_font_name(TLabel* label, const QString& name)
{
    // An empty name would leave the window system to pick any face.
    if (name.isEmpty())
        return;
    TFont f = label->Font();
    f.Name = name;
    label->SetFont(f);
}

void set_font_color(TLabel* label, TColor color)
{
    TFont f = label->Font();
    f.Color = color;
    label->SetFont(f);
}
