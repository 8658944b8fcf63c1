// The statistics report: the figures of the guests that the search text and the group filter
// select, the header row that names them, and the report project that prints them.
#include "app/Unit1.h"
#include "data/ado.h"
#include "report/rave.h"
#include "system/sysutils.h"
#include "toolkit/busy_cursor.h"

using namespace Unit1;

namespace {

// Each of the four columns equals the text or contains it; unlike the guest list, money is not
// searched. The values go to the markers in order.
const char* const kSearchCondition = "(name like ? or lastname like ? or other_txt like ? or note like ?"
                                     " or name like ? or lastname like ? or other_txt like ? or note like ?)";

struct Conditions {
    QStringList texts;
    QVariantList values;
};

// The select part, then " WHERE " and the conditions joined by " and ", the query's own last.
void set_statement(TADOQuery* q, const QString& select, Conditions c, const QString& own)
{
    if (!own.isEmpty())
        c.texts << own;
    q->SetSQL(c.texts.isEmpty() ? select : select + " WHERE " + c.texts.join(" and "), c.values);
}

} // namespace

void TForm1::Button8Click(TObject*)
{
    const QString text = search_box->Text();
    const QString keyword = Trim(text);
    Conditions where;
    if (!keyword.isEmpty()) {
        where.texts << kSearchCondition;
        for (const QString& pattern : {text, "%" + text + "%"})
            for (int column = 0; column < 4; ++column)
                where.values << pattern;
    }
    if (name_group->ItemIndex() > 0 && group_id_sel >= 0) {
        where.texts << "group_id = ?";
        where.values << group_id_sel;
    }

    set_statement(cnn, "SELECT COUNT(userid) AS total_card FROM member", where, {});
    cnn->Open();
    const int count = cnn->FieldByName("total_card")->AsInteger();
    cnn->Close();
    if (count <= 0) {
        ShowMessage("No data in the system.");
        return;
    }
    const TBusyCursor busy;

    const struct {
        TADOQuery* query;
        const char *select, *own;
    } figures[] = {
        {Report_Query, "SELECT SUM(money) AS total_money, COUNT(userid) AS total_card FROM member", ""},
        {Report_Query2, "SELECT COUNT(userid) AS have_money FROM member", "money > 0"},
        {Report_Query3, "SELECT COUNT(userid) AS no_money FROM member", "money is null"},
    };
    // They stay open: the report reads them, and they keep the last report's figures.
    for (const auto& f : figures) {
        set_statement(f.query, f.select, where, f.own);
        f.query->Close();
        f.query->Open();
    }

    cnn->SetSQL("UPDATE for_report_show SET group_name_show_in_report = ? WHERE report_show_id = 1",
                {Trim(name_group->Text())});
    cnn->ExecSQL();
    cnn->SetSQL("UPDATE for_report_show SET kw_now = ? WHERE report_show_id = 1",
                {keyword.isEmpty() ? QString("-") : keyword});
    cnn->ExecSQL();

    RvProject1->ProjectFile = app_path + "gstrp.rav";
    RvProject1->Execute();
    RvProject1->Close();
}
