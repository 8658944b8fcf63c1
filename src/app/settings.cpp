// Reading and writing the settings file.
#include "app/Unit1.h"
#include "designer/Unit2.h"
#include "system/inifiles.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

using namespace Unit1;

namespace {

const char* const kSection = "Config";

QString numbered(const char* key, int i)
{
    return key + QString::number(i);
}

// A colour from its three stored parts, each reduced to its low byte (300 counts as 44, -1 as 255).
TColor stored_color(const QString& r, const QString& g, const QString& b)
{
    return (StrToInt(r) & 0xFF) + 256 * (StrToInt(g) & 0xFF) + 65536 * (StrToInt(b) & 0xFF);
}

bool all_set(const QString& a, const QString& b, const QString& c)
{
    return !a.isEmpty() && !b.isEmpty() && !c.isEmpty();
}

} // namespace

void TForm1::load_ini()
{
    TIniFile ini(Unit2::ini_path);
    const auto read = [&ini](const QString& key) { return ini.ReadString(kSection, key, ""); };
    // The first failure ends the reading; what was read and applied before it stays.
    try {
        Unit2::main_text = read("MainText");
        ini_r_font_color = read("r_font_color");
        ini_g_font_color = read("g_font_color");
        ini_b_font_color = read("b_font_color");
        if (all_set(ini_r_font_color, ini_g_font_color, ini_b_font_color))
            ColorDialog1->Color = stored_color(ini_r_font_color, ini_g_font_color, ini_b_font_color);
        ini_r_SD_color = read("r_SD_color");
        ini_g_SD_color = read("g_SD_color");
        ini_b_SD_color = read("b_SD_color");
        if (all_set(ini_r_SD_color, ini_g_SD_color, ini_b_SD_color))
            Shadow_ColorDialog->Color = stored_color(ini_r_SD_color, ini_g_SD_color, ini_b_SD_color);
        ini_font_name = read("font_select_name");
        ini_main_font_name = read("main_font_select_name");
        font_size_now = StrToInt(read("font_size"));
        main_font_size_now = StrToInt(read("main_font_size"));
        ini_main_d_SD = read("main_d_SD");
        ini_d_SD = read("d_SD");
        ini_trackbar_pos1 = read("trackbar_pos1");
        ini_trackbar_pos2 = read("trackbar_pos2");

        // These fire the design controls' events, which save the settings.
        start_drop_shadow_chk->SetChecked(ini_main_d_SD == "1");
        drop_shadow_chk->SetChecked(ini_d_SD == "1");
        if (!ini_trackbar_pos1.isEmpty())
            TrackBar1->SetPosition(StrToInt(ini_trackbar_pos1));
        if (!ini_trackbar_pos2.isEmpty())
            TrackBar2->SetPosition(StrToInt(ini_trackbar_pos2));

        for (int i = 0; i < 5; ++i)
            DBGrid1->Columns(i)->SetWidth(StrToInt(read(numbered("column_size_", i))));
        sort_column_title = read("column_name_sort");
        sort_dir_next = read("column_sort_by");
        for (column_no = 0; column_no < 5; ++column_no) {
            TColumn* column = DBGrid1->Columns(column_no);
            column->SetTitleCaption(read(numbered("column_title_", column_no)));
            field_txt_db();
            if (sort_column_title == column->Title().Caption)
                sort_column_no = column_no;
        }
    } catch (const std::exception&) {
    }
    head_txt->SetCaption(Unit2::main_text);
    head_txt2->SetCaption(Unit2::main_text);
}

void TForm1::rec_ini(TObject* control)
{
    get_color_now();
    TIniFile ini(Unit2::ini_path);
    const auto write = [&ini](const QString& key, const QString& value) {
        ini.WriteString(kSection, key, value);
    };
    // A failing write ends the writing silently.
    try {
        if (!main_text_to_save.isEmpty())
            write("MainText", main_text_to_save);
        write("r_font_color", IntToStr(font_r));
        write("g_font_color", IntToStr(font_g));
        write("b_font_color", IntToStr(font_b));
        write("r_SD_color", IntToStr(shadow_r));
        write("g_SD_color", IntToStr(shadow_g));
        write("b_SD_color", IntToStr(shadow_b));
        write("font_select_name", FontDialog1->Font.Name);
        write("main_font_select_name", FontDialog2->Font.Name);
        write("main_font_size", IntToStr(FontDialog2->Font.Size));
        write("font_size", IntToStr(FontDialog1->Font.Size));
        const bool main_shadow = start_drop_shadow_chk->Checked();
        write("main_d_SD", main_shadow ? "1" : "0");
        write("trackbar_pos1", main_shadow ? IntToStr(TrackBar1->Position()) : "0");
        const bool text_shadow = drop_shadow_chk->Checked();
        write("d_SD", text_shadow ? "1" : "0");
        write("trackbar_pos2", text_shadow ? IntToStr(TrackBar2->Position()) : "0");
        if (column_size_changed == 1) {
            for (int i = 0; i < 5; ++i)
                write(numbered("column_size_", i), IntToStr(column_width[i]));
            column_size_changed = 0;
        }
        if (control == DBGrid1) {
            write("column_name_sort", sort_column_title);
            write("column_sort_by", sort_dir_saved);
            for (int i = 0; i < 5; ++i)
                write(numbered("column_title_", i), DBGrid1->Columns(i)->Title().Caption);
        }
    } catch (const std::exception&) {
    }
    main_text_to_save.clear();
    if (!search_box->Focused())
        DBGrid1->SetFocus();
}
