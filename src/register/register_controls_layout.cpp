// The guest register's controls of the main window: search, filter, totals and guest actions.
#include "app/Unit1.h"
#include "app/layout_helpers.h"

void TForm1::create_register_controls()
{
    const TFont bold = MakeFont("Verdana", 11, fsBold, clWhite);
    list_show_all = tool_image(main_menu, "list_show_all", "list_all", 14, 8, 40, 40, "List all");
    Label8 = text_label(main_menu, "Label8", "List all", 14, 52, bold);
    add_new = tool_image(main_menu, "add_new", "add_new", 96, 8, 40, 40, "Add new Guest's name");
    Label9 = text_label(main_menu, "Label9", "Add new", 94, 52, bold);

    Label7 = text_label(main_menu, "Label7", "Text search:", 560, 12, bold);
    search_box = new TEdit(main_menu);
    search_box->Name = "search_box";
    search_box->SetBounds(560, 32, 200, 22);
    search_box->SetMaxLength(30);

    Label11 = text_label(main_menu, "Label11", "Group name:", 780, 12, bold);
    Image8 = tool_image(main_menu, "Image8", "group_new", 872, 6, 20, 20, "Create a new Group");
    Image9 = tool_image(main_menu, "Image9", "group_edit", 896, 6, 20, 20, "Edit Group Name");
    group_delete_img =
        tool_image(main_menu, "group_delete_img", "group_delete", 920, 6, 20, 20, "Remove Group Name");
    name_group = new TComboBox(main_menu);
    name_group->Name = "name_group";
    name_group->SetBounds(780, 32, 200, 22);
    name_group->SetDropDownCount(15);

    const TFont total = MakeFont("Verdana", 13, fsBold, clWhite);
    Label6 = text_label(Panel4, "Label6", "Total name:", 16, 11, total);
    Label12 = text_label(Panel4, "Label12", "", 108, 11, total);
    Label13 = text_label(Panel4, "Label13", "Total money:", 220, 11, total);
    Label14 = text_label(Panel4, "Label14", "", 326, 11, total);

    Image6 = tool_image(display_panel, "Image6", "edit_guest", 48, 80, 34, 34, "Update Guest's Name");
    Image7 = tool_image(display_panel, "Image7", "money", 115, 83, 34, 34, "Money from Guest");
    del = tool_image(display_panel, "del", "delete", 187, 81, 31, 34, "Remove Guest's Name");

    search_box->OnChange = Handler(this, &TForm1::search_boxChange);
    list_show_all->OnClick = Handler(this, &TForm1::list_show_allClick);
    add_new->OnClick = Handler(this, &TForm1::add_newClick);
    del->OnClick = Handler(this, &TForm1::delClick);
    Image6->OnClick = Handler(this, &TForm1::Button1Click);
    Image7->OnClick = Handler(this, &TForm1::Button5Click);
    Image8->OnClick = Handler(this, &TForm1::NewGroupClick);
    Image9->OnClick = Handler(this, &TForm1::edit_groupClick);
    group_delete_img->OnClick = Handler(this, &TForm1::group_deleteClick);
    name_group->OnCloseUp = Handler(this, &TForm1::name_groupCloseUp);
    name_group->OnSelect = Handler(this, &TForm1::name_groupCloseUp);
}
