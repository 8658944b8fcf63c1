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
    TPanel *main_menu, *line, *Panel1, *ads_panel, *display_panel, *line_split, *name_list_panel, *line_down,
        *Panel4, *Panel2;
    TLabel* www_url;
    TMainMenu* MainMenu1;
    TMenuItem *New1, *NewGroup, *Addnew1, *print_now, *kr_import, *kr_export, *Printpreview1, *Exit1;
    TMenuItem *est1, *MainTextFirstline1, *NameSelected1, *Addthemoney1, *Delete1;
    TMenuItem *View1, *Report1;
    TMenuItem *Help1, *Onlinemanual1, *About1, *GotoWebsite1;
    TPopupMenu* PopupMenu1;
    TMenuItem *EmailCompose1, *Money1, *Edit4, *Print2, *Delete2;
    TTimer *Timer1, *AdsTimer;

    // ---- Hand-over fields: invisible one-line edits used through their text
    TEdit *stop_page_now, *group_status, *new_group_name, *group_id_now;

    // ---- Database (register)
    TADOConnection* ADOConnection1;
    TADOQuery* ADOQuery1;
    TDataSource* DataSource1;
    TADOQuery* cnn;
    TADOTable* Table1;
    TADOQuery *Report_Query, *Report_Query2, *Report_Query3, *Report_Query4;

    // ---- Guest list, search, totals, grid, group filter (register)
    TLabel *Label7, *Label8, *Label6, *Label12, *Label13, *Label14, *Label11, *Label9;
    TEdit* search_box;
    TImage* list_show_all;
    TDBGrid* DBGrid1;
    TComboBox* name_group;
    TImage *Image8, *Image9, *group_delete_img, *add_new, *del, *Image6, *Image7;

    // ---- Card preview and design controls (designer)
    TImage* Image1;
    TLabel *Label1, *Label2, *head_txt, *head_txt2, *other_txt, *other_txt_shadow, *money_show, *Label3;
    TComboBox* size_select;
    TGroupBox *main_text_group, *text1_group;
    TLabel *Label4, *Label5, *Label10, *Label15;
    TImage *font_select, *font_select2, *edit_txt, *Image2, *Image3, *print_cover, *Image5;
    TTrackBar *TrackBar1, *TrackBar2;
    TCheckBox *start_drop_shadow_chk, *drop_shadow_chk;
    TFontDialog *FontDialog1, *FontDialog2;
    TColorDialog *ColorDialog1, *Shadow_ColorDialog;
    TRvProject* RvProject1;
    TRvSystem* RvSystem1;
    TRvDataSetConnection *report, *report2, *report3, *report_group, *RvDataSetConnection1;

    // ---- Exchange and online
    TOpenDialog* OpenDialog1;
    TSaveDialog* SaveDialog1;
    TImage *Image4, *email_img, *ads_img, *ads_gold_heart;
    TLabel* Label16;
    TPanel *go_to_kavri, *goto_kavri;
    TIdHTTP* IdHTTP1;
    TWebBrowser* ads;

    // A guest is current while the card's name line, trimmed, is not empty.
    bool guest_is_current() const;

    // ---- Start-up, activation, settings (app)
    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void About1Click(TObject* Sender);
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
    void Button1Click(TObject* Sender);
    void Button5Click(TObject* Sender);

    // ---- Card preview and design (designer)
    void DataSource1DataChange(TObject* Sender, TField* Field);
    void font_display(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void get_color_now();
    void rgb_color_now();
    void start_drop_shadow_chkClick(TObject* Sender);
    void drop_shadow_chkClick(TObject* Sender);
    void TrackBar1Change(TObject* Sender);
    void TrackBar2Change(TObject* Sender);
    void font_selectClick(TObject* Sender);
    void font_select2Click(TObject* Sender);
    void Label4Click(TObject* Sender);
    void Label5Click(TObject* Sender);
    void size_selectCloseUp(TObject* Sender);
    void edit_txtClick(TObject* Sender);

    // ---- Printing (designer)
    void print_coverClick(TObject* Sender);
    void Printpreview1Click(TObject* Sender);
    void print_nowClick(TObject* Sender);
    void print_start(TObject* Sender);
    void RvProject1AfterClose(TObject* Sender);

    // ---- Statistics report (designer)
    void Button8Click(TObject* Sender);

    // ---- Guest-list file (exchange)
    void kr_exportClick(TObject* Sender);
    void kr_importClick(TObject* Sender);

    // ---- Advertising check and banner (online)
    void Timer1Timer(TObject* Sender);
    void check_ads_config();
    void AdsTimerTimer(TObject* Sender);
    void adsDocumentComplete(TObject* Sender, const QString& URL);
    void ads_imgClick(TObject* Sender);

    // ---- Web links and the gallery launcher (online)
    void Onlinemanual1Click(TObject* Sender);
    void GotoWebsite1Click(TObject* Sender);
    void Image4Click(TObject* Sender);

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
    void destroy_report_components();
    void create_database_components();
    // Opens the connection and the data sets that open with the window; each failure is shown.
    void open_database_components();
    void keep_controls_reachable();
    void create_exchange_dialogs();
    // The number of guests in the whole register, kept as text in member_total.
    int count_members();
    // Closes the data sets and the connection with the window.
    void destroy_database_components();
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
extern QString ini_main_d_SD, ini_d_SD, ini_trackbar_pos1, ini_trackbar_pos2;
// Keys whose stored text did not convert at the last load, with the text of the value kept in force:
// a save leaves such a key as stored until its value changes.
extern QHash<QString, QString> held_settings;

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
extern QString search_where, search_and, search_filter, member_sql;
extern QVariantList member_sql_values;
// The values of the search part, in the order of its markers.
extern QVariantList search_filter_values;

// Group filter
extern int group_id_sel;

// The last guest count of the exchange, as read
extern QString member_total;

// Gives every variable of the unit its start value.
void initialize();
} // namespace Unit1
