#include "app/Unit1.h"

#include "app/CheckPrevious.h"
#include "designer/Unit2.h"
#include "designer/report_components.h"
#include "online/firewall_authorize.h"
#include "online/online_components.h"
#include "register/database_components.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

#include <QtCore/qglobal.h>
#include <algorithm>
#include <iterator>

TForm1* Form1 = nullptr;

namespace Unit1 {
QString app_path;
QString web_host;
QString web_url;
QString ads_answer;
double main_shadow_distance;
double text_shadow_distance;
QString column_moving;
QString main_text_to_save;
QString report_was_run;

QString ini_r_font_color, ini_g_font_color, ini_b_font_color;
QString ini_r_SD_color, ini_g_SD_color, ini_b_SD_color;
QString ini_font_name, ini_main_font_name;
int font_size_now, main_font_size_now;

QString sort_column_title, sort_dir_next, sort_dir_saved;
int sort_column_no, column_no;
int column_width[5];
unsigned char column_size_changed;

unsigned char font_r, font_g, font_b, shadow_r, shadow_g, shadow_b;
TColor font_rgb, shadow_rgb;
double card_width, card_height, main_text_top, name_text_top;

QString search_filter, member_sql;
QVariantList member_sql_values;
QVariantList search_filter_values;

int group_id_sel;

void initialize()
{
    for (QString* s :
         {&app_path,          &web_url,        &ads_answer,       &web_host,         &column_moving,
          &main_text_to_save, &report_was_run, &ini_r_font_color, &ini_g_font_color, &ini_b_font_color,
          &ini_r_SD_color,    &ini_g_SD_color, &ini_b_SD_color,   &ini_font_name,    &ini_main_font_name,
          &sort_column_title, &sort_dir_next,  &sort_dir_saved,   &search_filter,    &member_sql})
        s->clear();
    main_shadow_distance = text_shadow_distance = 0;
    font_size_now = main_font_size_now = 0;
    sort_column_no = column_no = 0;
    std::fill(std::begin(column_width), std::end(column_width), 0);
    column_size_changed = 0;
    font_r = font_g = font_b = shadow_r = shadow_g = shadow_b = 0;
    font_rgb = shadow_rgb = 0;
    card_width = card_height = main_text_top = name_text_top = 0;
    member_sql_values.clear();
    search_filter_values.clear();
    group_id_sel = 0;
}
} // namespace Unit1

using namespace Unit1;

// The host of the program's web service.
static const char* const kWebHost = "www.kavri-vivudoz.example";

TForm1::TForm1()
{
    // The global names the window while its components load, as the data change
    // handler already runs then.
    Form1 = this;
    Q_INIT_RESOURCE(resources);
    Name = "Form1";
    SetCaption("KAVRI Vivudoz 2011");
    SetClientWidth(1036);
    SetClientHeight(750);
    SetColor(0xFF80FF);
    SetPosition(poScreenCenter);
    SetWindowState(wsMaximized);
    create_layout();
    create_menus();
    create_register_controls();
    create_guest_grid();
    create_preview();
    create_design_controls();
    create_report_components();
    create_online_components();
    create_exchange_dialogs();
    create_database_components();
    keep_controls_reachable();
    OnCreate = Handler(this, &TForm1::FormCreate);
    OnActivate = Handler(this, &TForm1::FormActivate);
}

void TForm1::keep_controls_reachable()
{
    // The smallest window still shows the whole top bar and the whole card, banner included.
    auto extent = [](const TWinControl* host, auto edge) {
        int most = 0;
        for (const TControl* c : host->Controls())
            if (c->Align() == alNone)
                most = std::max(most, edge(c));
        return most;
    };
    const int right = extent(main_menu, [](const TControl* c) { return c->Left() + c->Width(); });
    const int bottom = extent(display_panel, [](const TControl* c) { return c->Top() + c->Height(); });
    const int margin = 8;
    SetMinClientSize(right + margin, main_menu->Height() + line->Height() + ads_panel->Height() + bottom +
                                         margin + line_down->Height() + Panel4->Height());
}

TForm1::~TForm1()
{
    // The grid reads its rows through the data source until its window goes, after this body.
    DBGrid1->SetDataSource(nullptr);
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate(TObject*)
{
    // The guard decides before the database opens: a refused start leaves the file, its log and its
    // shared memory as it found them. Closing them as the last user would empty the log into the file
    // and delete it, under a running instance that may have lost its locks.
    bool refused = false;
    try {
        refused = CheckPreviousInstance(WindowSystemHandle(), 1);
    } catch (...) {
        open_database_components();
        throw;
    }
    if (refused)
        Application->Terminate();
    else
        open_database_components();
    app_path = ExtractFilePath(ExecutablePath());
    web_host = kWebHost;
    Panel2->SetHint(web_host);
    firewall_authorize_app("Velmora", app_path + "KRV.exe");
    size_select->SetItemIndex(0);
    main_shadow_distance = 0.006;
    text_shadow_distance = 0.006;
    Application->SetTitle("KAVRI Vivudoz 2011");
    DBGrid1->OnMouseWheel = [this](TObject* s, int delta, bool& handled) {
        DBGridMouseWheel(s, delta, handled);
    };
    column_moving = "no";
}

void TForm1::Exit1Click(TObject*)
{
    Application->Terminate();
}

void TForm1::FormActivate(TObject*)
{
    if (!search_box->Focused())
        DBGrid1->SetFocus();
    if (stop_page_now->Text() == "close")
        return;
    if (group_status->Text() != "") {
        if (!search_box->Focused())
            DBGrid1->SetFocus();
        group_status->SetText("");
        return;
    }
    Unit2::ini_path = app_path + "krv.ini";
    if (!FileExists(Unit2::ini_path)) {
        main_text_to_save = "Invite";
        ColorDialog1->Color = 0xFF00FF;
        Shadow_ColorDialog->Color = 0xC0C0C0;
    }
    if (FileExists(Unit2::ini_path))
        load_ini();
    font_display(this);
    start_drop_shadow_chkClick(this);
    drop_shadow_chkClick(this);
    size_selectCloseUp(this);
    Label2->SetCaption(Label1->Caption());
    TFont f = Label2->Font();
    f.Name = Label1->Font().Name;
    f.Style = Label1->Font().Style;
    f.Size = Label1->Font().Size;
    Label2->SetFont(f);
    if (report_was_run != "yes") {
        group_list(this);
        list_allClick(this);
    }
}
