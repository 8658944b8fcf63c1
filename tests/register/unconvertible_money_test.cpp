// Money that another tool stored as text that is no number: the grid shows the cell empty, the
// conversion error shows once in the default error box, and the program goes on.
#include "register/register_fixture.h"
#include "toolkit/dbgrid.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

namespace {

class UnconvertibleMoney : public RegisterTest {
protected:
    static QTableView* view() { return static_cast<QTableView*>(Form1->DBGrid1->Handle()); }
    // The grid's text for the guest's money, as it paints it.
    static QString money_cell(int userid)
    {
        TADOQuery* q = Form1->ADOQuery1;
        int row = 0;
        while (q->ValueAt(row, q->FieldByName("userid")).toInt() != userid)
            ++row;
        int column = 0;
        while (Form1->DBGrid1->Columns(column)->FieldName() != "money")
            ++column;
        return view()
            ->model()
            ->index(row, view()->horizontalHeader()->logicalIndex(column))
            .data()
            .toString();
    }
    // Paints the whole grid offscreen, then lets what the paint queued run.
    static void paint_grid()
    {
        Form1->SetClientWidth(1600);
        pump();
        view()->viewport()->grab();
        pump();
    }
};

TEST_F(UnconvertibleMoney, TheGridShowsTheCellEmptyAndTheErrorOnceAfterItsPaint)
{
    folder.sql("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 100),"
               " (2, 'Bo', 'Marsh', 'lots');");
    start();
    paint_grid();
    paint_grid();
    EXPECT_EQ(dialogs.texts(), QStringList{"'lots' is not a valid floating point value."});
    EXPECT_EQ(money_cell(1), "100");
    EXPECT_EQ(money_cell(2), "");

    // The program goes on: the next list build lists both guests.
    Dispatch([] { Form1->list_show_allClick(nullptr); });
    paint_grid();
    EXPECT_EQ(listed(), (QStringList{"Ann Lee", "Bo Marsh"}));
}

TEST_F(UnconvertibleMoney, AListBuildThatEndsOnTheGuestShowsTheErrorAndTheProgramGoesOn)
{
    start_with("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Ann', 'Lee', 100),"
               " (2, 'Bo', 'Marsh', 'lots');");
    Dispatch([] { Form1->search_box->SetText("Bo"); });
    paint_grid();
    EXPECT_EQ(dialogs.texts(), QStringList{"'lots' is not a valid currency value."});
    EXPECT_EQ(listed(), QStringList{"Bo Marsh"});
    EXPECT_EQ(Form1->Label1->Caption(), "Bo Marsh");

    Dispatch([] { Form1->search_box->SetText(""); });
    paint_grid();
    EXPECT_EQ(listed(), (QStringList{"Ann Lee", "Bo Marsh"}));
    EXPECT_EQ(money_cell(2), "");
}

} // namespace
