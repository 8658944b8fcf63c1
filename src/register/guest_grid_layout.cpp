// The guest grid's design: colours, fonts, the five columns and their context menu.
#include "app/Unit1.h"
#include "register/money_text.h"
#include "toolkit/dbgrid.h"

#include <algorithm>

void TForm1::create_guest_grid()
{
    DBGrid1 = new TDBGrid(name_list_panel);
    DBGrid1->Name = "DBGrid1";
    DBGrid1->SetAlign(alClient);
    DBGrid1->SetFont(MakeFont("MS Sans Serif", 16, 0, 0x408000));
    DBGrid1->SetCellColors(0xC6EFFF, 0x408000);
    DBGrid1->SetTitleColor(clSilver);
    DBGrid1->SetCursor(crHandPoint);
    DBGrid1->SetPopupMenu(PopupMenu1);
    DBGrid1->SetTabStop(false);

    // The money column shows the largest amount the money dialog takes, in its bold cell font.
    TFont money_font = DBGrid1->Font();
    money_font.Style = fsBold;
    const int cell_margins = 8;
    const int money_width =
        std::max(91, TextWidth(money_font, money_text(Currency(99999999999999LL))) + cell_margins);
    struct Design {
        const char* caption;
        const char* field;
        int width;
        TColor title_color;
    };
    const Design columns[] = {{"Name", "name", 125, clBlack},
                              {"Lastname", "lastname", 145, clWindowText},
                              {"Other text", "other_txt", 108, clBlack},
                              {"Money", "money", money_width, clBlack},
                              {"Note", "note", 100, clBlack}};
    for (const Design& d : columns) {
        TColumn* c = DBGrid1->AddColumn();
        c->SetTitleCaption(d.caption);
        c->SetTitleFont(MakeFont("MS Sans Serif", 13, fsBold, d.title_color));
        c->SetFieldName(d.field);
        c->SetWidth(d.width);
    }
    DBGrid1->Columns(4)->SetFont(MakeFont("MS Sans Serif", 16, 0, clBlack));

    DBGrid1->OnTitleClick = [this](TColumn* c) { DBGrid1TitleClick(c); };
    DBGrid1->OnDrawColumnCell = Handler(this, &TForm1::DBGrid1DrawColumnCell);
    DBGrid1->OnColumnMoved = Handler(this, &TForm1::DBGrid1ColumnMoved);
    DBGrid1->OnMouseMove = Handler(this, &TForm1::DBGrid1MouseMove);
}
