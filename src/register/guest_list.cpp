// The guest list statement, the search and the money total.
#include "app/Unit1.h"
#include "data/ado.h"
#include "register/money_text.h"
#include "system/sysutils.h"
#include "toolkit/dbgrid.h"

using namespace Unit1;

namespace {

// Each of the five columns equals the text or contains it; the values go to the markers in order.
const char* const kSearchCondition =
    " (name like ? or lastname like ? or other_txt like ? or money like ? or note like ?"
    " or name like ? or lastname like ? or other_txt like ? or money like ? or note like ?)";

QVariantList search_values(const QString& text)
{
    QVariantList values;
    for (int i = 0; i < 5; ++i)
        values << text;
    for (int i = 0; i < 5; ++i)
        values << "%" + text + "%";
    return values;
}

// Which statement a list build runs.
enum class ListRule { Group, NoGroup, All, KeepPrevious };

ListRule list_rule(int entry, int group_id)
{
    if (group_id > 0 && entry >= 2)
        return ListRule::Group;
    if (entry == 1)
        return ListRule::NoGroup;
    if (entry == 0)
        return ListRule::All;
    return ListRule::KeepPrevious;
}

// Whether the total's statement selects the guests that the list build has just fetched. "NONE
// GROUP" totals the looked-up key, which is not 0 once a group bears that name.
bool total_selects_listed(int entry, int group_id)
{
    const ListRule rule = list_rule(entry, group_id);
    return rule == ListRule::All || rule == ListRule::Group || (rule == ListRule::NoGroup && group_id == 0);
}

// The sum of the listed amounts, as the engine's SUM gives it, while every amount is a whole number
// stored as one and the sum fits 64 bits; false otherwise, for the engine to add them.
bool listed_whole_sum(TDataSet* list, Currency& total)
{
    const TField* money = list->FieldByName("money");
    qint64 sum = 0;
    for (int r = 0, n = list->RecordCount(); r < n; ++r) {
        const QVariant& v = list->ValueAt(r, money);
        if (v.isNull())
            continue;
        if (v.typeId() != QMetaType::LongLong || __builtin_add_overflow(sum, v.toLongLong(), &sum))
            return false;
    }
    total = Currency(sum);
    return true;
}

} // namespace

void TForm1::list_allClick(TObject*)
{
    const QString text = search_box->Text();
    const bool searching = !Trim(text).isEmpty();
    const int entry = name_group->ItemIndex();
    if (searching) {
        const QString where = entry == 0 ? " WHERE" : "";
        const QString and_after = entry == 0 ? "" : " AND ";
        search_filter = where + kSearchCondition + and_after;
        search_filter_values = search_values(text);
    } else {
        search_filter = " ";
        search_filter_values.clear();
    }

    // The search part already carries the joining WHERE or AND, or is one blank.
    switch (list_rule(entry, group_id_sel)) {
    case ListRule::Group:
        member_sql = "SELECT * FROM member WHERE" + search_filter + "group_id = ?";
        member_sql_values = search_filter_values + QVariantList{group_id_sel};
        break;
    case ListRule::NoGroup:
        member_sql = "SELECT * FROM member WHERE" + search_filter + "group_id = 0";
        member_sql_values = search_filter_values;
        break;
    case ListRule::All:
        member_sql = "SELECT * FROM member" + search_filter;
        member_sql_values = search_filter_values;
        break;
    case ListRule::KeepPrevious:
        break;
    }

    ADOQuery1->SetSQL(member_sql, member_sql_values);
    ADOQuery1->Open();
    ADOQuery1->FieldByName("money")->OnGetText = [this](TField* f, QString& t, bool d) {
        money_field_get_text(f, t, d);
    };
    if (!search_box->Focused())
        DBGrid1->SetFocus();
    update_the_money_show();
    DBGrid1TitleClick(DBGrid1->Columns(sort_column_no));
}

// Runs right after the list build; a second pass over the guests with the ten search terms only
// where its statement selects other guests than the list's, or the amounts need the engine's SUM.
void TForm1::update_the_money_show()
{
    const int entry = name_group->ItemIndex();
    Currency total;
    if (!total_selects_listed(entry, group_id_sel) || !listed_whole_sum(ADOQuery1, total)) {
        if (group_id_sel >= 0 && entry >= 1)
            cnn->SetSQL("SELECT SUM(money) AS total_money FROM member WHERE" + search_filter + "group_id = ?",
                        search_filter_values + QVariantList{group_id_sel});
        else
            cnn->SetSQL("SELECT SUM(money) AS total_money FROM member" + search_filter, search_filter_values);
        cnn->Open();
        total = cnn->FieldByName("total_money")->AsCurrency();
        cnn->Close();
    }
    Label14->SetCaption(Trim(money_text(total)) + ".-");
}

void TForm1::money_field_get_text(TField* Sender, QString& Text, bool)
{
    Text = Sender->AsFloat() > 0 ? money_text(Sender->AsCurrency()) : QString();
}

void TForm1::search_boxChange(TObject*)
{
    if (Label12->Caption().isEmpty())
        return;
    get_data();
    if (name_group->ItemIndex() != 0)
        get_group_id(this);
    list_allClick(this);
}

void TForm1::list_show_allClick(TObject*)
{
    search_box->SetText("");
    search_boxChange(this);
    name_group->SetItemIndex(0);
    name_groupCloseUp(this);
}
