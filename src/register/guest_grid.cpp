// The guest grid: binding by caption, sorting, widths, column moves and the wheel.
#include "app/Unit1.h"
#include "data/ado.h"
#include "toolkit/dbgrid.h"

using namespace Unit1;

namespace {

// The field each title caption names.
const std::pair<const char*, const char*> kFields[] = {{"Name", "name"},
                                                       {"Lastname", "lastname"},
                                                       {"Other text", "other_txt"},
                                                       {"Money", "money"},
                                                       {"Note", "note"}};

// Styles are only ever added, never taken back.
void add_style(TColumn* column, TAlignment alignment, TColor color, TFontStyles style)
{
    column->SetTitleAlignment(alignment);
    column->SetAlignment(alignment);
    TFont f = column->Font();
    f.Color = color;
    f.Style |= style;
    column->SetFont(f);
}

int get_wheel_lines()
{
    return SystemWheelScrollLines();
}

} // namespace

void TForm1::field_txt_db()
{
    TColumn* column = DBGrid1->Columns(column_no);
    const QString caption = column->Title().Caption;
    for (const auto& [title, field] : kFields)
        if (caption == title)
            column->SetFieldName(field);
    if (caption == "Money")
        add_style(column, taRightJustify, clBlue, fsBold);
    else if (caption == "Note")
        add_style(column, taCenter, clBlack, 0);
}

void TForm1::DBGrid1TitleClick(TColumn* Column)
{
    // Without an open result there is nothing to sort.
    if (!Column || !ADOQuery1->Active())
        return;
    // The click that ends a column drag.
    if (column_moving == "yes") {
        column_moving = "no";
        return;
    }
    sort_column_title = Column->Title().Caption;
    const QString field = Column->FieldName();
    QString direction = "ASC";
    if (sort_dir_next == "DESC") {
        direction = "DESC";
    } else {
        const QString current = ADOQuery1->Sort();
        if (current.startsWith(field) && !current.contains(" DESC"))
            direction = "DESC";
    }
    ADOQuery1->SetSort(field + " " + direction);
    sort_dir_saved = direction;
    sort_dir_next.clear();
    rec_ini(DBGrid1);
}

// Runs for every painted cell: the settings are written only when some width changed.
void TForm1::DBGrid1DrawColumnCell(TObject*)
{
    int widths[5];
    bool same = true;
    for (int i = 0; i < 5; ++i) {
        widths[i] = DBGrid1->Columns(i)->Width();
        same = same && widths[i] == column_width[i];
    }
    if (same) {
        column_moving = "no";
        return;
    }
    for (int i = 0; i < 5; ++i)
        column_width[i] = widths[i];
    if (column_moving == "no")
        column_size_changed = 1;
    rec_ini(DBGrid1);
    column_moving = "no";
}

void TForm1::DBGrid1ColumnMoved(TObject*, int, int)
{
    column_moving = "yes";
}

void TForm1::DBGrid1MouseMove(TObject*, int X, int Y)
{
    DBGrid1->SetCursor(DBGrid1->RowAt(X, Y) == 0 ? crHandPoint : crDefault);
}

void TForm1::DBGridMouseWheel(TObject*, int WheelDelta, bool&)
{
    if (WheelDelta == 0)
        return;
    TDataSet* data = DBGrid1->DataSource() ? DBGrid1->DataSource()->DataSet() : nullptr;
    if (data && data->Active()) {
        const int n = get_wheel_lines();
        data->MoveBy(WheelDelta > 0 ? -n : n);
    }
    DBGrid1->Repaint();
}
