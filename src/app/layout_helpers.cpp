#include "app/layout_helpers.h"

TImage* tool_image(TWinControl* parent, const QString& name, const QString& picture, int left, int top,
                   int width, int height, const QString& hint)
{
    auto* i = new TImage(parent);
    i->Name = name;
    i->SetBounds(left, top, width, height);
    i->LoadFromFile(":/images/" + picture + ".svg");
    i->SetHint(hint);
    i->SetCursor(crHandPoint);
    return i;
}

TLabel* text_label(TWinControl* parent, const QString& name, const QString& caption, int left, int top,
                   const TFont& font)
{
    auto* l = new TLabel(parent);
    l->Name = name;
    l->SetLeft(left);
    l->SetTop(top);
    l->SetFont(font);
    l->SetAutoSize(true);
    l->SetCaption(caption);
    return l;
}

TButton* push_button(TWinControl* parent, const QString& name, const QString& caption, int left, int top,
                     int width, int height)
{
    auto* b = new TButton(parent);
    b->Name = name;
    b->SetCaption(caption);
    b->SetBounds(left, top, width, height);
    return b;
}

TLabeledEdit* labeled_edit(TWinControl* parent, const QString& name, const QString& caption, int left,
                           int top, int width, int height)
{
    auto* e = new TLabeledEdit(parent);
    e->Name = name;
    e->SetBounds(left, top, width, height);
    e->EditLabel->SetCaption(caption);
    e->PlaceLabel();
    return e;
}

TLabel* guest_line(TWinControl* parent, const QString& name, int top, int width)
{
    auto* l = new TLabel(parent);
    l->Name = name;
    l->SetBounds(0, top, width, 24);
    l->SetAlignment(taCenter);
    l->SetFont(MakeFont("MS Sans Serif", 16, 0, clFuchsia));
    return l;
}
