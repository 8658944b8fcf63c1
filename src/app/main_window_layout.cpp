// The main window's bars, halves, dividers, menus, timers and hand-over fields.
#include "app/Unit1.h"

namespace {

TPanel* bar(TWinControl* parent, const QString& name, TAlign align, int size, TColor color)
{
    auto* p = new TPanel(parent);
    p->Name = name;
    if (align == alTop || align == alBottom)
        p->SetHeight(size);
    else if (align == alLeft || align == alRight)
        p->SetWidth(size);
    p->SetColor(color);
    p->SetAlign(align);
    return p;
}

TMenuItem* item(const QString& name, const QString& caption, const QString& shortcut = {})
{
    auto* i = new TMenuItem;
    i->Name = name;
    i->SetCaption(caption);
    if (!shortcut.isEmpty())
        i->SetShortCut(shortcut);
    return i;
}

TEdit* handOverField(TWinControl* parent, const QString& name)
{
    auto* e = new TEdit(parent);
    e->Name = name;
    e->SetVisible(false);
    return e;
}

} // namespace

void TForm1::create_layout()
{
    main_menu = bar(this, "main_menu", alTop, 73, 0xBE47FE);
    line = bar(this, "line", alTop, 1, clBlack);
    Panel4 = bar(this, "Panel4", alBottom, 38, 0xBE47FE);
    line_down = bar(this, "line_down", alBottom, 1, clBlack);
    Panel1 = bar(this, "Panel1", alLeft, 513, 0xFF80FF);
    line_split = bar(this, "line_split", alLeft, 1, clBlack);
    name_list_panel = bar(this, "name_list_panel", alClient, 0, 0xFF80FF);

    ads_panel = bar(Panel1, "ads_panel", alTop, 70, 0xFF80FF);
    ads_panel->SetVisible(false);
    display_panel = bar(Panel1, "display_panel", alClient, 0, 0xFF80FF);

    Panel2 = new TPanel(Panel4);
    Panel2->Name = "Panel2";
    Panel2->SetBounds(824, 0, 212, 38);
    Panel2->SetColor(0xBE47FE);
    Panel2->SetAlign(alRight);
    www_url = new TLabel(Panel2);
    www_url->Name = "www_url";
    www_url->SetBounds(10, 8, 200, 16);
    www_url->SetFont(MakeFont("Verdana", 13, fsBold, clWhite));
    www_url->SetCursor(crHandPoint);
    www_url->SetCaption("Go to the Official Website");

    stop_page_now = handOverField(this, "stop_page_now");
    group_status = handOverField(this, "group_status");
    new_group_name = handOverField(this, "new_group_name");
    group_id_now = handOverField(this, "group_id_now");

    Timer1 = Own(new TTimer);
    Timer1->Name = "Timer1";
    Timer1->SetInterval(60000);
    Timer1->SetEnabled(true);
    AdsTimer = Own(new TTimer);
    AdsTimer->Name = "AdsTimer";
    AdsTimer->SetInterval(500);
    AdsTimer->SetEnabled(false);
}

void TForm1::create_menus()
{
    MainMenu1 = new TMainMenu(this);
    MainMenu1->Name = "MainMenu1";

    New1 = item("New1", "&File");
    NewGroup = item("NewGroup", "Create a new Group", "Ctrl+G");
    Addnew1 = item("Addnew1", "Add New Data", "Ctrl+N");
    print_now = item("print_now", "Print Multiple Panel", "Ctrl+Alt+P");
    kr_import = item("kr_import", "Import Guest list");
    kr_export = item("kr_export", "Export Guest list");
    Printpreview1 = item("Printpreview1", "Preview and Print", "Ctrl+P");
    Exit1 = item("Exit1", "Exit");
    for (TMenuItem* i : {NewGroup, Addnew1, print_now, kr_import, kr_export, Printpreview1, Exit1})
        New1->Add(i);

    est1 = item("est1", "&Edit");
    MainTextFirstline1 = item("MainTextFirstline1", "Main Text  (First line)");
    NameSelected1 = item("NameSelected1", "Data (name, lastname, other text, note)", "Alt+Backspace");
    Addthemoney1 = item("Addthemoney1", "Money Update", "Ctrl+Insert");
    Delete1 = item("Delete1", "Delete", "Ctrl+Delete");
    for (TMenuItem* i : {MainTextFirstline1, NameSelected1, Addthemoney1, Delete1})
        est1->Add(i);

    View1 = item("View1", "&View");
    Report1 = item("Report1", "Report");
    View1->Add(Report1);

    Help1 = item("Help1", "&Help");
    Onlinemanual1 = item("Onlinemanual1", "Online Manuals");
    About1 = item("About1", "About");
    GotoWebsite1 = item("GotoWebsite1", "Go to Website");
    for (TMenuItem* i : {Onlinemanual1, About1, GotoWebsite1})
        Help1->Add(i);

    for (TMenuItem* top : {New1, est1, View1, Help1})
        MainMenu1->Add(top);

    PopupMenu1 = Own(new TPopupMenu);
    PopupMenu1->Name = "PopupMenu1";
    EmailCompose1 = item("EmailCompose1", "Email Compose");
    Money1 = item("Money1", "Money Update");
    Edit4 = item("Edit4", "Data Update");
    Print2 = item("Print2", "Preview and Print");
    Delete2 = item("Delete2", "Delete Name");
    for (TMenuItem* i : {EmailCompose1, Money1, Edit4, Print2, Delete2})
        PopupMenu1->Add(i);

    auto bind = [](TMenuItem* i, auto handler) { i->OnClick = handler; };
    bind(NewGroup, Handler(this, &TForm1::NewGroupClick));
    bind(Addnew1, Handler(this, &TForm1::add_newClick));
    bind(print_now, Handler(this, &TForm1::print_nowClick));
    bind(kr_import, Handler(this, &TForm1::kr_importClick));
    bind(kr_export, Handler(this, &TForm1::kr_exportClick));
    bind(Printpreview1, Handler(this, &TForm1::Printpreview1Click));
    bind(Exit1, Handler(this, &TForm1::Exit1Click));
    bind(MainTextFirstline1, Handler(this, &TForm1::edit_txtClick));
    bind(NameSelected1, Handler(this, &TForm1::Button1Click));
    bind(Addthemoney1, Handler(this, &TForm1::Button5Click));
    bind(Delete1, Handler(this, &TForm1::delClick));
    bind(Report1, Handler(this, &TForm1::Button8Click));
    bind(About1, Handler(this, &TForm1::About1Click));
    bind(GotoWebsite1, Handler(this, &TForm1::GotoWebsite1Click));
    bind(EmailCompose1, Handler(this, &TForm1::email_imgClick));
    bind(Money1, Handler(this, &TForm1::Button5Click));
    bind(Edit4, Handler(this, &TForm1::Button1Click));
    bind(Print2, Handler(this, &TForm1::print_coverClick));
    bind(Delete2, Handler(this, &TForm1::delClick));
}
