#pragma once
// The main window: it owns the database objects, the grid, the card preview, the group
// filter, the hand-over fields and the timers. Its member functions are defined in the
// folder of the subsystem they belong to.
#include "toolkit/application.h"
#include "toolkit/dialogs.h"
#include "toolkit/extctrls.h"
#include "toolkit/menus.h"
#include "toolkit/stdctrls.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <memory>

class TADOConnection;
class TADOQuery;
class TADOTable;
class TDataSource;
class TField;
class TDBGrid;
class TColumn;
class TRvProject;
class TRvSystem;
class TRvDataSetConnection;
class TIdHTTP;
class TWebBrowser;

class TForm1 : public TForm {
public:
    TForm1();
    ~TForm1() override;

    // ---- Layout and menus (app)
    TPanel *main_menu, *line, *ads_panel, *display_panel, *line_split, *name_list_panel, *line_down;
    TPanel* Panel1; // left side: the card preview and design controls
    TPanel* Panel4; // bottom bar: the guest and money totals
    TPanel* Panel2; // the web address in the bottom bar
    TLabel* www_url;
    TMainMenu* MainMenu1;
    TMenuItem* New1;          // "&File"
    TMenuItem* Addnew1;       // File > "Add New Data"
    TMenuItem* Printpreview1; // File > "Preview and Print"
    TMenuItem* Exit1;         // File > "Exit"
    TMenuItem *NewGroup, *print_now, *kr_import, *kr_export;
    TMenuItem* est1;               // "&Edit"
    TMenuItem* MainTextFirstline1; // Edit > the card's main text
    TMenuItem* NameSelected1;      // Edit > the current guest's data
    TMenuItem* Addthemoney1;       // Edit > "Money Update"
    TMenuItem* Delete1;            // Edit > "Delete"
    TMenuItem* View1;              // "&View"
    TMenuItem* Report1;            // View > the statistics report
    TMenuItem* Help1;              // "&Help"
    TMenuItem* Onlinemanual1;      // Help > "Online Manuals"
    TMenuItem* About1;             // Help > "About"
    TMenuItem* GotoWebsite1;       // Help > "Go to Website"
    TPopupMenu* PopupMenu1;        // the grid's context menu
    TMenuItem* EmailCompose1;      // context > "Email Compose"
    TMenuItem* Money1;             // context > "Money Update"
    TMenuItem* Edit4;              // context > "Data Update"
    TMenuItem* Print2;             // context > "Preview and Print"
    TMenuItem* Delete2;            // context > "Delete Name"
    TTimer* Timer1;                // the minute timer of the advertising check
    TTimer* AdsTimer;

    // ---- Hand-over fields: invisible one-line edits used through their text
    TEdit *stop_page_now, *group_status, *new_group_name, *group_id_now;

    // ---- Database (register)
    TADOConnection* ADOConnection1; // the register's database file
    TADOQuery* ADOQuery1;           // the guest list the grid shows
    TDataSource* DataSource1;       // links the guest list to the grid and the card preview
    TADOQuery* cnn;                 // scratch statements
    TADOTable* Table1;              // the groups table
    TADOQuery* Report_Query;        // statistics report: money total and guest count
    TADOQuery* Report_Query2;       // statistics report: guests who gave money
    TADOQuery* Report_Query3;       // statistics report: guests who gave none
    TADOQuery* Report_Query4;       // statistics report: the report_show row

    // ---- Guest list, search, totals, grid, group filter (register)
    TLabel* Label7;  // "Text search:"
    TLabel* Label8;  // "List all"
    TLabel* Label9;  // "Add new"
    TLabel* Label11; // "Group name:"
    TLabel* Label6;  // "Total name:"
    TLabel* Label12; // guest count
    TLabel* Label13; // "Total money:"
    TLabel* Label14; // money total
    TEdit* search_box;
    TImage* list_show_all;
    TDBGrid* DBGrid1; // the guest list
    TComboBox* name_group;
    TImage* Image8; // new group
    TImage* Image9; // rename group
    TImage* Image6; // the current guest's data update
    TImage* Image7; // the current guest's money update
    TImage *group_delete_img, *add_new, *del;

    // ---- Card preview and design controls (designer)
    TImage* Image1; // the card's picture
    TLabel* Label1; // the card's name line
    TLabel* Label2; // the name line's shadow
    TLabel* Label3; // the current guest's money under the card
    TLabel *head_txt, *head_txt2, *other_txt, *other_txt_shadow, *money_show;
    TComboBox* size_select;
    TGroupBox *main_text_group, *text1_group;
    TLabel* Label4;  // "Main text >": opens the main text's design box
    TLabel* Label5;  // "Text >": opens the name text's design box
    TLabel* Label10; // "Fonts"
    TLabel* Label15; // "Shadow"
    TImage* Image2;  // text colour
    TImage* Image3;  // shadow colour
    TImage* Image5;  // statistics report
    TImage *font_select, *font_select2, *edit_txt, *print_cover;
    TTrackBar* TrackBar1; // main text's shadow distance
    TTrackBar* TrackBar2; // name text's shadow distance
    TCheckBox *start_drop_shadow_chk, *drop_shadow_chk;
    TFontDialog* FontDialog1;   // name text's font
    TFontDialog* FontDialog2;   // main text's font
    TColorDialog* ColorDialog1; // text colour
    TColorDialog* Shadow_ColorDialog;
    TRvProject* RvProject1; // the report projects (card and statistics)
    TRvSystem* RvSystem1;   // printer and preview settings of the reports
    TRvDataSetConnection *report, *report2, *report3, *report_group;
    TRvDataSetConnection* RvDataSetConnection1; // the guest list, for the card

    // ---- Exchange and online
    TOpenDialog* OpenDialog1; // guest-list file to import
    TSaveDialog* SaveDialog1; // guest-list file to export
    TImage* Image4;           // gallery launcher
    TLabel* Label16;          // "Gallery"
    TImage *email_img, *ads_img, *ads_gold_heart;
    TPanel *go_to_kavri, *goto_kavri;
    TIdHTTP* IdHTTP1; // the web service's posts
    TWebBrowser* ads;

    // A guest is current while the card's name line, trimmed, is not empty.
    bool guest_is_current() const;

    // ---- Start-up, activation, settings (app)
    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void Exit1Click(TObject* Sender);  // File > "Exit"
    void About1Click(TObject* Sender); // Help > "About"
    void load_ini();
    void rec_ini(TObject* control);

    // ---- Guest list and totals (register)
    void list_allClick(TObject* Sender);
    void update_the_money_show();
    void money_field_get_text(TField* Sender, QString& Text, bool DisplayText);
    void search_boxChange(TObject* Sender);
    void list_show_allClick(TObject* Sender);

    // ---- Guest grid (register)
    void field_txt_db();
    void DBGrid1TitleClick(TColumn* Column);
    void DBGrid1DrawColumnCell(TObject* Sender);
    void DBGrid1ColumnMoved(TObject* Sender, int FromIndex, int ToIndex);
    void DBGrid1MouseMove(TObject* Sender, int X, int Y);
    void DBGridMouseWheel(TObject* Sender, int WheelDelta, bool& Handled);

    // ---- Group filter and group dialogs (register)
    void group_list(TObject* caller);
    void name_groupCloseUp(TObject* Sender);
    void get_data();
    void get_group_id(TObject* Sender);
    void NewGroupClick(TObject* Sender);
    void edit_groupClick(TObject* Sender);
    void group_deleteClick(TObject* Sender);

    // ---- Guests (register)
    void add_newClick(TObject* Sender);
    void delClick(TObject* Sender);
    void Button1Click(TObject* Sender); // opens the current guest's data update
    void Button5Click(TObject* Sender); // opens the current guest's money update

    // ---- Card preview and design (designer)
    void DataSource1DataChange(TObject* Sender, TField* Field); // the current guest moved or changed
    void font_display(TObject* Sender);
    void Button3Click(TObject* Sender); // text colour
    void Button4Click(TObject* Sender); // shadow colour
    void get_color_now();
    void rgb_color_now();
    void start_drop_shadow_chkClick(TObject* Sender);
    void drop_shadow_chkClick(TObject* Sender);
    void TrackBar1Change(TObject* Sender); // main text's shadow distance
    void TrackBar2Change(TObject* Sender); // name text's shadow distance
    void font_selectClick(TObject* Sender);
    void font_select2Click(TObject* Sender);
    void Label4Click(TObject* Sender); // main text's design box
    void Label5Click(TObject* Sender); // name text's design box
    void size_selectCloseUp(TObject* Sender);
    void edit_txtClick(TObject* Sender);

    // ---- Printing (designer)
    void print_coverClick(TObject* Sender);
    void Printpreview1Click(TObject* Sender); // File > "Preview and Print"
    void print_nowClick(TObject* Sender);
    void print_start(TObject* Sender);
    void RvProject1AfterClose(TObject* Sender); // a report project was closed

    // ---- Statistics report (designer)
    void Button8Click(TObject* Sender); // statistics report

    // ---- Guest-list file (exchange)
    void kr_exportClick(TObject* Sender);
    void kr_importClick(TObject* Sender);

    // ---- Advertising check and banner (online)
    void Timer1Timer(TObject* Sender); // the minute's advertising check
    void check_ads_config();
    void AdsTimerTimer(TObject* Sender);
    void adsDocumentComplete(TObject* Sender, const QString& URL);
    void ads_imgClick(TObject* Sender);

    // ---- Web links and the gallery launcher (online)
    void Onlinemanual1Click(TObject* Sender); // Help > "Online Manuals"
    void GotoWebsite1Click(TObject* Sender);  // Help > "Go to Website"
    void Image4Click(TObject* Sender);        // gallery launcher

    // ---- E-mail dialog (online)
    void email_imgClick(TObject* Sender);

private:
    // Each subsystem creates its own components; the database opens last, as the
    // form description loads after every visual component exists.
    void create_layout();
    void create_menus();
    void create_register_controls();
    void create_guest_grid();
    void create_preview();
    void create_design_controls();
    void create_report_components();
    void create_online_components();
    // The advertising check's reply, applied once the post has ended.
    void show_ads_if_asked();
    void connect_report_data(); // once the data sets exist
    void create_database_components();
    // Opens the connection and the data sets that open with the window; each failure is shown.
    void open_database_components();
    void keep_controls_reachable();
    void create_exchange_dialogs();
    // The number of guests in the whole register.
    int count_members();

    // The owners of the components above that are not controls, one per family. Members go in
    // reverse order of declaration, after the destructor's body and before the window: the report
    // components (they read the data sets), the database, then the web client.
    struct OnlineComponents;
    struct DatabaseComponents;
    struct ReportComponents;
    std::unique_ptr<OnlineComponents> online_;
    std::unique_ptr<DatabaseComponents> database_;
    std::unique_ptr<ReportComponents> reports_;
    // Hands a new component to its owner and gives it back for the window's named pointer.
    template <class T> static T* keep(std::unique_ptr<T>& owner, T* component)
    {
        owner.reset(component);
        return component;
    }

    // Keys whose stored text did not convert at the last load, with the text of the value kept in force:
    // a save leaves such a key as stored until its value changes.
    QHash<QString, QString> held_settings;
};

extern TForm1* Form1;

// Unit-level variables of the main window's unit, alive for the whole run.
namespace Unit1 {
extern QString app_path;
extern QString web_host;
// The address of the last POST to the web service; each user sets it before use.
extern QString web_url;
// The reply of the last advertising check; empty when it failed.
extern QString ads_answer;
extern double main_shadow_distance;
extern double text_shadow_distance;
extern QString column_moving;
extern QString main_text_to_save;
extern QString report_was_run;

// Settings as last read (texts unless said otherwise)
extern QString ini_r_font_color, ini_g_font_color, ini_b_font_color;
extern QString ini_r_SD_color, ini_g_SD_color, ini_b_SD_color;
extern QString ini_font_name, ini_main_font_name;
extern int font_size_now, main_font_size_now;

// Grid layout and sort memory
extern QString sort_column_title, sort_dir_next, sort_dir_saved;
extern int sort_column_no, column_no;
extern int column_width[5];
extern unsigned char column_size_changed;

// Designer
extern unsigned char font_r, font_g, font_b, shadow_r, shadow_g, shadow_b;
extern TColor font_rgb, shadow_rgb;
extern double card_width, card_height, main_text_top, name_text_top;

// Guest list statement
extern QString search_filter, member_sql;
extern QVariantList member_sql_values;
// The values of the search part, in the order of its markers.
extern QVariantList search_filter_values;

// Group filter
extern int group_id_sel;

// Gives every variable of the unit its start value.
void initialize();
} // namespace Unit1
