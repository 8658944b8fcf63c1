// The card preview: the card picture with the card's text lines and their shadows.
#include "app/Unit1.h"
#include "app/layout_helpers.h"

namespace {

TLabel* card_label(TWinControl* parent, const QString& name, int left, int top, int width, int height,
                   TAlignment alignment, const TFont& font)
{
    auto* l = new TLabel(parent);
    l->Name = name;
    if (width > 0)
        l->SetBounds(left, top, width, height);
    else {
        l->SetLeft(left);
        l->SetTop(top);
        l->SetAutoSize(true);
    }
    l->SetAlignment(alignment);
    l->SetFont(font);
    return l;
}

} // namespace

void TForm1::create_preview()
{
    Image1 = new TImage(display_panel);
    Image1->Name = "Image1";
    Image1->SetBounds(17, 120, 480, 400);
    Image1->SetAutoSize(true);
    Image1->LoadFromFile(":/images/card.svg");

    const TFont name_font = MakeFont("Verdana", 27, fsBold, clWindowText);
    const TFont main_font = MakeFont("Verdana", 16, fsBold, clBlack);
    const TFont form_font = MakeFont("MS Sans Serif", 11, 0, clWindowText);
    Label2 = card_label(display_panel, "Label2", 22, 291, 470, 55, taCenter, name_font);
    TFont front = name_font;
    front.Color = 0xFF80FF;
    Label1 = card_label(display_panel, "Label1", 21, 290, 471, 55, taCenter, front);
    head_txt2 = card_label(display_panel, "head_txt2", 94, 241, 0, 0, taLeftJustify, main_font);
    TFont main_front = main_font;
    main_front.Color = 0xFF80FF;
    head_txt = card_label(display_panel, "head_txt", 93, 240, 0, 0, taLeftJustify, main_front);
    head_txt->SetHint("Main text");
    head_txt->SetCaption("Invite");
    head_txt2->SetCaption("Invite");
    other_txt_shadow = card_label(display_panel, "other_txt_shadow", 22, 338, 470, 55, taCenter, form_font);
    other_txt = card_label(display_panel, "other_txt", 21, 337, 471, 55, taCenter, form_font);
    money_show = card_label(display_panel, "money_show", 256, 139, 225, 20, taRightJustify,
                            MakeFont("Verdana", 13, fsBold, 0x05D6FA));

    go_to_kavri = new TPanel(display_panel);
    go_to_kavri->Name = "go_to_kavri";
    go_to_kavri->SetBounds(32, 128, 225, 41);
    go_to_kavri->SetCursor(crHandPoint);
    goto_kavri = new TPanel(display_panel);
    goto_kavri->Name = "goto_kavri";
    goto_kavri->SetBounds(320, 488, 161, 25);
    goto_kavri->SetCursor(crHandPoint);

    email_img = tool_image(display_panel, "email_img", "email", 242, 88, 34, 28, "Send Email to this Name");
    print_cover = tool_image(display_panel, "print_cover", "print", 453, 81, 34, 34, "Preview and Print");
    email_img->OnClick = Handler(this, &TForm1::email_imgClick);
    print_cover->OnClick = Handler(this, &TForm1::print_coverClick);
}
