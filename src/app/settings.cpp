// Reading and writing the settings file.
#include "app/Unit1.h"
#include "designer/Unit2.h"
#include "system/inifiles.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

#include <algorithm>
#include <optional>

using namespace Unit1;

namespace {

const char* const kSection = "Config";
// The largest point size that the font dialog offers.
constexpr int kMaxFontSize = 512;

QString numbered(const char* key, int i)
{
    return key + QString::number(i);
}

QString color_part(TColor color, int shift)
{
    return IntToStr((color >> shift) & 0xFF);
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
    // A value that does not convert keeps the one in force and the load goes on; the saves leave its
    // stored text alone until that value changes. One bad byte never costs the settings after it.
    held_settings.clear();
    const auto integer = [this](const QString& key, const QString& text,
                                const QString& in_force) -> std::optional<int> {
        if (int v = 0; TryStrToInt(text, v))
            return v;
        held_settings.insert(key, in_force);
        return std::nullopt;
    };
    // A colour from its three stored parts, each reduced to its low byte (300 counts as 44, -1 as 255);
    // when one part does not convert the whole colour stays.
    const auto color = [&](const QString& kind, QString& r, QString& g, QString& b, TColor& in_force) {
        const QString keys[] = {"r_" + kind, "g_" + kind, "b_" + kind};
        r = read(keys[0]);
        g = read(keys[1]);
        b = read(keys[2]);
        if (!all_set(r, g, b))
            return;
        const auto pr = integer(keys[0], r, color_part(in_force, 0));
        const auto pg = integer(keys[1], g, color_part(in_force, 8));
        const auto pb = integer(keys[2], b, color_part(in_force, 16));
        if (pr && pg && pb) {
            in_force = (*pr & 0xFF) + 256 * (*pg & 0xFF) + 65536 * (*pb & 0xFF);
            return;
        }
        for (int i = 0; i < 3; ++i)
            held_settings.insert(keys[i], color_part(in_force, 8 * i));
    };
    const auto font_size = [&](const QString& key, const TFontDialog* dialog) {
        const int in_force = dialog->Font.Size;
        return std::clamp(integer(key, read(key), IntToStr(in_force)).value_or(in_force), 1, kMaxFontSize);
    };
    // A position that does not convert is held with the text that the saves of the shadow switches write.
    const auto bar_position = [&](const QString& key, const QString& text, const QString& shadow_on,
                                  const TTrackBar* bar) -> std::optional<int> {
        if (text.isEmpty())
            return std::nullopt;
        return integer(key, text, shadow_on == "1" ? IntToStr(bar->Position()) : "0");
    };
    Unit2::main_text = read("MainText");
    color("font_color", ini_r_font_color, ini_g_font_color, ini_b_font_color, ColorDialog1->Color);
    color("SD_color", ini_r_SD_color, ini_g_SD_color, ini_b_SD_color, Shadow_ColorDialog->Color);
    ini_font_name = read("font_select_name");
    ini_main_font_name = read("main_font_select_name");
    font_size_now = font_size("font_size", FontDialog1);
    main_font_size_now = font_size("main_font_size", FontDialog2);
    const QString main_shadow_on = read("main_d_SD");
    const QString text_shadow_on = read("d_SD");
    const auto position1 = bar_position("trackbar_pos1", read("trackbar_pos1"), main_shadow_on, TrackBar1);
    const auto position2 = bar_position("trackbar_pos2", read("trackbar_pos2"), text_shadow_on, TrackBar2);

    // These fire the design controls' events, which save the settings.
    start_drop_shadow_chk->SetChecked(main_shadow_on == "1");
    drop_shadow_chk->SetChecked(text_shadow_on == "1");
    if (position1)
        TrackBar1->SetPosition(*position1);
    if (position2)
        TrackBar2->SetPosition(*position2);

    for (int i = 0; i < 5; ++i) {
        TColumn* column = DBGrid1->Columns(i);
        const QString key = numbered("column_size_", i);
        if (const auto width = integer(key, read(key), IntToStr(column->Width())))
            column->SetWidth(*width);
    }
    // The grid's layout is written at its first sort: until then the grid keeps its own.
    const auto present_or = [&read](const QString& key, const QString& in_force) {
        const QString text = read(key);
        return text.isEmpty() ? in_force : text;
    };
    sort_column_title = present_or("column_name_sort", sort_column_title);
    sort_dir_next = present_or("column_sort_by", sort_dir_next);
    for (column_no = 0; column_no < 5; ++column_no) {
        TColumn* column = DBGrid1->Columns(column_no);
        column->SetTitleCaption(present_or(numbered("column_title_", column_no), column->Title().Caption));
        field_txt_db();
        if (sort_column_title == column->Title().Caption)
            sort_column_no = column_no;
    }
    head_txt->SetCaption(Unit2::main_text);
    head_txt2->SetCaption(Unit2::main_text);
}

void TForm1::rec_ini(TObject* control)
{
    get_color_now();
    TIniFile ini(Unit2::ini_path);
    const auto write = [this, &ini](const QString& key, const QString& value) {
        if (const auto held = held_settings.constFind(key); held != held_settings.cend()) {
            if (*held == value)
                return;
            held_settings.erase(held);
        }
        ini.WriteString(kSection, key, value);
    };
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
    main_text_to_save.clear();
    if (!search_box->Focused())
        DBGrid1->SetFocus();
}
