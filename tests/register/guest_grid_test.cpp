// The guest grid: sorting by title, column drags and resizes in the settings file, the wheel,
// the title-row cursor.
#include "register/data_update_dialog.h"
#include "register/guest_dialog_fixture.h"
#include "support/settings_file.h"
#include "toolkit/dbgrid.h"
#include "toolkit/shown_text.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWheelEvent>
#include <functional>

namespace {

class GuestGridTest : public GuestDialogTest {
protected:
    void SetUp() override
    {
        GuestDialogTest::SetUp();
        start_with("INSERT INTO mb_group VALUES (1, 'Family');"
                   "INSERT INTO member (userid, name, lastname, note, money, group_id) VALUES"
                   " (1, 'Cleo', 'Bond', 'b', 300, 1), (2, 'Anna', 'Cole', 'd', NULL, 0),"
                   " (3, 'Eve', 'Adams', 'a', 100, 1), (4, 'Bert', 'Dunn', 'c', 200, 1),"
                   " (5, 'Dina', 'Eder', 'e', NULL, 0);");
        // Wide enough to show every title.
        Form1->SetClientWidth(1600);
        pump();
        Form1->DBGrid1->Repaint();
    }

    static QTableView* view() { return static_cast<QTableView*>(Form1->DBGrid1->Handle()); }
    static QHeaderView* header() { return view()->horizontalHeader(); }
    // The middle of the title cell at a display position, in the header's coordinates.
    static QPoint title(int position)
    {
        const int logical = header()->logicalIndex(position);
        return {header()->sectionViewportPosition(logical) + header()->sectionSize(logical) / 2,
                header()->height() / 2};
    }
    static void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // Presses at one point, moves in steps and releases at another.
    static void drag(QPoint from, QPoint to)
    {
        QWidget* w = header()->viewport();
        mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int i = 1; i <= 10; ++i)
            mouse(w, QEvent::MouseMove, from + (to - from) * i / 10, Qt::LeftButton);
        mouse(w, QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    static void click_title(int position)
    {
        mouse(header()->viewport(), QEvent::MouseButtonPress, title(position), Qt::LeftButton);
        mouse(header()->viewport(), QEvent::MouseButtonRelease, title(position), Qt::NoButton);
    }
    static QStringList captions()
    {
        QStringList out;
        for (int i = 0; i < 5; ++i)
            out << Form1->DBGrid1->Columns(i)->Title().Caption;
        return out;
    }
    QString stored(const QString& key) const { return stored_setting(folder.file("krv.ini"), key); }
    // Changes a key behind the program's back: it stays unless the program saves again.
    void mark(const QString& key) const { store_setting(folder.file("krv.ini"), key, "mark"); }
    static QStringList lastnames()
    {
        QStringList out;
        for (const QString& guest : listed())
            out << guest.section(' ', 1);
        return out;
    }
};

TEST_F(GuestGridTest, ATitleClickTogglesTheDirectionAndStoresTheSort)
{
    ASSERT_EQ(Form1->ADOQuery1->Sort(), "name ASC");
    const struct {
        const char* direction;
        QStringList order;
    } clicks[] = {{"ASC", {"Adams", "Bond", "Cole", "Dunn", "Eder"}},
                  {"DESC", {"Eder", "Dunn", "Cole", "Bond", "Adams"}},
                  {"ASC", {"Adams", "Bond", "Cole", "Dunn", "Eder"}}};
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.direction);
        click_title(1);
        EXPECT_EQ(Form1->ADOQuery1->Sort(), QString("lastname ") + c.direction);
        EXPECT_EQ(lastnames(), c.order);
        EXPECT_EQ(stored("column_name_sort"), "Lastname");
        EXPECT_EQ(stored("column_sort_by"), c.direction);
    }
}

TEST_F(GuestGridTest, DraggingMoneyToTheFrontStoresTheOrderAndWidthsWithoutSorting)
{
    drag(title(3), QPoint(3, header()->height() / 2));
    EXPECT_EQ(captions(), (QStringList{"Money", "Name", "Lastname", "Other text", "Note"}));
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "name ASC");
    EXPECT_EQ(Unit1::column_moving, "no"); // the release's title click was swallowed
    Form1->DBGrid1->Repaint();
    EXPECT_EQ(stored("column_title_0"), "Money");
    EXPECT_EQ(stored("column_title_1"), "Name");
    EXPECT_EQ(stored("column_size_0"), QString::number(Form1->DBGrid1->Columns(0)->Width()));
    EXPECT_EQ(stored("column_size_1"), "125");
    EXPECT_EQ(stored("column_name_sort"), "Name");

    // The next load binds the first position to the money field with its style.
    Form1->search_box->SetText("e");
    TColumn* first = Form1->DBGrid1->Columns(0);
    EXPECT_EQ(first->FieldName(), "money");
    EXPECT_EQ(first->Alignment(), taRightJustify);
    EXPECT_EQ(first->Title().Alignment, taRightJustify);
    EXPECT_EQ(first->Font().Color, clBlue);
    EXPECT_TRUE(first->Font().Style & fsBold);
}

TEST_F(GuestGridTest, AResizeIsStoredOnceByTheNextPaintAndDoesNotSort)
{
    const int edge = header()->sectionViewportPosition(1) + header()->sectionSize(1) - 1;
    const int y = header()->height() / 2;
    drag({edge, y}, {edge + 40, y});
    EXPECT_EQ(Form1->DBGrid1->Columns(1)->Width(), 185);
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "name ASC");
    Form1->DBGrid1->Repaint();
    EXPECT_EQ(stored("column_size_1"), "185");

    // Paints without a change leave the file alone.
    mark("column_name_sort");
    Form1->DBGrid1->Repaint();
    view()->viewport()->update();
    pump();
    EXPECT_EQ(stored("column_name_sort"), "mark");
}

TEST_F(GuestGridTest, OneWheelNotchMovesTheSystemsLinesAndStopsAtTheLastGuest)
{
    QApplication::setWheelScrollLines(3);
    TADOQuery* q = Form1->ADOQuery1;
    q->First();
    const auto notch = [](int delta) {
        QWheelEvent e(QPointF(20, 40), view()->viewport()->mapToGlobal(QPointF(20, 40)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view()->viewport(), &e);
    };
    // Towards the user (negative) moves down; any size of delta is one move.
    const std::pair<int, int> notches[] = {{-120, 4}, {-120, 5}, {-120, 5}, {120, 2}, {120, 1}, {-30, 4}};
    for (const auto& [delta, row] : notches) {
        notch(delta);
        EXPECT_EQ(q->RecNo(), row) << delta;
    }
}

TEST_F(GuestGridTest, TheSortSurvivesASearchAndAGroupChange)
{
    click_title(4);
    click_title(4);
    ASSERT_EQ(Form1->ADOQuery1->Sort(), "note DESC");
    Form1->search_box->SetText("e");
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "note DESC");
    EXPECT_EQ(listed(), (QStringList{"Dina Eder", "Anna Cole", "Bert Dunn", "Cleo Bond", "Eve Adams"}));
    choose(2);
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "note DESC");
    EXPECT_EQ(listed(), (QStringList{"Bert Dunn", "Cleo Bond", "Eve Adams"}));
}

TEST_F(GuestGridTest, TheSortSurvivesTheRebuildsAfterAGuestsNewGroupAndAGroupDelete)
{
    choose(2);
    click_title(4);
    click_title(4);
    ASSERT_EQ(Form1->ADOQuery1->Sort(), "note DESC");
    // Bert leaves Family under the Family filter: the list is built again.
    go_to(4);
    Form1->Button1Click(Form1);
    pump();
    data_update->name_group->SetItemIndex(0);
    data_update->ok->Click();
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "note DESC");
    EXPECT_EQ(listed(), (QStringList{"Cleo Bond", "Eve Adams"}));
    EXPECT_EQ(stored("column_sort_by"), "DESC");

    choose(2);
    dialogs.confirmAnswers = {true};
    Form1->group_deleteClick(Form1);
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "note DESC");
    EXPECT_EQ(lastnames(), (QStringList{"Eder", "Cole", "Dunn", "Bond", "Adams"}));
    EXPECT_EQ(stored("column_name_sort"), "Note");
    EXPECT_EQ(stored("column_sort_by"), "DESC");
}

TEST_F(GuestGridTest, TheCursorIsAHandOnTheTitleRowOnly)
{
    mouse(view()->viewport(), QEvent::MouseMove, {30, 30}, Qt::NoButton);
    EXPECT_EQ(view()->cursor().shape(), Qt::ArrowCursor);
    mouse(header()->viewport(), QEvent::MouseMove, title(2), Qt::NoButton);
    EXPECT_EQ(view()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(GuestGridTest, ATitleClickWithoutAResultDoesNothing)
{
    Form1->ADOQuery1->Close();
    mark("column_name_sort");
    click_title(1);
    EXPECT_EQ(stored("column_name_sort"), "mark");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

// The grid lays its cell texts out itself and keeps the layouts; they must look exactly as the
// style's own item drawing makes them: too-wide texts elided, a text of two lines, right-aligned
// money, the selected row; drawn again from the kept layouts, and after a change of alignment,
// width or font.
TEST_F(GuestGridTest, CellsLookAsTheStyleDrawsThem)
{
    TADOQuery* q = Form1->ADOQuery1;
    go_to(3);
    q->Edit();
    q->FieldByName("lastname")->SetAsString("Adams-Wetherington-Featherstonehaugh");
    q->FieldByName("note")->SetAsString("two\nlines");
    q->FieldByName("other_txt")->SetAsString("mid");
    q->Post();
    go_to(2);
    TColumn* other = Form1->DBGrid1->Columns(2);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"as shown first", [] {}},
        {"aligned",
         [other] {
             other->SetAlignment(taCenter);
             Form1->DBGrid1->Columns(3)->SetAlignment(taRightJustify);
         }},
        {"wider", [other] { other->SetWidth(other->Width() + 37); }},
        {"in another font",
         [other] {
             TFont f = other->Font();
             f.Style |= fsItalic;
             f.Size += 3;
             other->SetFont(f);
         }},
    };
    for (const auto& [name, change] : changes) {
        change();
        pump();
        const QImage ours = view()->viewport()->grab().toImage();
        const QImage again = view()->viewport()->grab().toImage();
        QStyledItemDelegate style_only;
        QAbstractItemDelegate* own = view()->itemDelegate();
        view()->setItemDelegate(&style_only);
        const QImage theirs = view()->viewport()->grab().toImage();
        view()->setItemDelegate(own);
        EXPECT_EQ(ours, theirs) << name;
        EXPECT_EQ(again, theirs) << name;
    }
}

// A move of the current row repaints the row it left and the row it reached, not the whole grid
// (a batch print moves it once a card), and the screen shows what a full repaint shows, also
// where the move scrolls the grid.
TEST_F(GuestGridTest, AMoveRepaintsTheTwoRowsAndShowsWhatAFullRepaintShows)
{
    view()->setFixedHeight(header()->height() + 3 * view()->rowHeight(0));
    Form1->ADOQuery1->SetRecNo(1);
    pump();
    int columns = 0;
    for (int i = 0; i < header()->count(); ++i)
        columns += header()->sectionViewportPosition(i) < view()->viewport()->width();
    int painted = 0;
    const auto width_watch = Form1->DBGrid1->OnDrawColumnCell;
    Form1->DBGrid1->OnDrawColumnCell = [&](TObject* sender) {
        ++painted;
        width_watch(sender);
    };
    QWidget* window = view()->window();
    const auto on_screen = [&] {
        const QRect r(view()->viewport()->mapTo(window, QPoint()), view()->viewport()->size());
        return window->screen()->grabWindow(window->winId(), r.x(), r.y(), r.width(), r.height()).toImage();
    };
    // Three rows in view: the moves to rows 4, 5 and back to 1 scroll.
    const std::pair<int, bool> moves[] = {{2, false}, {3, false}, {1, false},
                                          {4, true},  {5, true},  {1, true}};
    for (const auto& [row, scrolls] : moves) {
        SCOPED_TRACE(row);
        painted = 0;
        Form1->ADOQuery1->SetRecNo(row);
        pump();
        if (!scrolls) {
            EXPECT_EQ(painted, 2 * columns);
        }
        const QImage moved = on_screen();
        ASSERT_FALSE(moved.isNull());
        Form1->DBGrid1->Repaint();
        pump();
        EXPECT_TRUE(moved == on_screen()) << "the screen differs from a full repaint";
    }
    Form1->DBGrid1->OnDrawColumnCell = width_watch;
}

// A text too wide for its cell is cut by characters, not at its last word or hyphen break.
TEST_F(GuestGridTest, ATooWideTextIsCutByCharacters)
{
    TADOQuery* q = Form1->ADOQuery1;
    int column = 0;
    while (Form1->DBGrid1->Columns(column)->FieldName() != "lastname")
        ++column;
    const QFontMetrics fm(view()->font());
    for (const QString& lastname : {QString("von Hohenzollern"), QString("Anne-Maximiliane")}) {
        SCOPED_TRACE(lastname.toStdString());
        go_to(3);
        q->Edit();
        q->FieldByName("lastname")->SetAsString(lastname);
        q->Post();
        // Room for the text's first 13 characters and the ellipsis, and some margin.
        const QString fits = lastname.left(13) + QChar(0x2026);
        Form1->DBGrid1->Columns(column)->SetWidth(fm.horizontalAdvance(fits) + 12);
        pump();
        const QRect cell =
            view()->visualRect(view()->model()->index(q->RecNo() - 1, header()->logicalIndex(column)));
        const QImage shot = view()->viewport()->grab().toImage();
        const QRgb paper = shot.pixel(cell.right() - 1, cell.top() + 1);
        int ink = cell.left();
        for (int x = cell.left(); x < cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (shot.pixel(x, y) != paper)
                    ink = std::max(ink, x);
        EXPECT_GT(ink - cell.left(), fm.horizontalAdvance(lastname.left(12)));
    }
}

// Another tool may store a text of millions of characters: the cell and the card lay out only
// its start, which is all they can show, while the guest keeps the whole text.
TEST_F(GuestGridTest, ALongTextIsLaidOutOnlyAsFarAsItCanBeSeen)
{
    const QString lastname = "Adams " + QString("x").repeated(2'000'000);
    TADOQuery* q = Form1->ADOQuery1;
    go_to(3);
    q->Edit();
    q->FieldByName("lastname")->SetAsString(lastname);
    q->Post();
    pump();
    int column = 0;
    while (Form1->DBGrid1->Columns(column)->FieldName() != "lastname")
        ++column;
    const QString cell =
        view()->model()->index(q->RecNo() - 1, header()->logicalIndex(column)).data().toString();
    const QString card = static_cast<QLabel*>(Form1->Label1->Handle())->text();
    // Sizes only: a failure must not print the text.
    EXPECT_EQ(cell.size(), kShownCharacters);
    EXPECT_TRUE(lastname.startsWith(cell));
    EXPECT_EQ(card.size(), kShownCharacters);
    EXPECT_TRUE(card.startsWith("Eve Adams xxx"));
    EXPECT_TRUE(Form1->Label1->Caption() == "Eve " + lastname);
    EXPECT_TRUE(q->FieldByName("lastname")->AsString() == lastname);
}

} // namespace
