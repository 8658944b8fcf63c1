#include "support/list_state.h"

#include "app/Unit1.h"
#include "designer/Unit2.h"

void reset_list_state()
{
    using namespace Unit1;
    for (QString* s : {&sort_column_title, &sort_dir_next, &sort_dir_saved, &search_where, &search_and,
                       &search_filter, &member_sql, &main_text_to_save, &Unit2::main_text})
        s->clear();
    member_sql_values.clear();
    search_filter_values.clear();
    sort_column_no = column_no = 0;
    for (int& w : column_width)
        w = 0;
    column_size_changed = 0;
    group_id_sel = 0;
}
