// Every text of every window fits its control with the installed fonts, and the main window
// keeps every control reachable at its smallest size.
#include "app/Unit1.h"
#include "app/about.h"
#include "designer/Unit2.h"
#include "designer/print_now_control.h"
#include "online/Unit8.h"
#include "register/Unit3.h"
#include "register/Unit4.h"
#include "register/Unit5.h"
#include "register/data_update_dialog.h"
#include "register/money_update.h"
#include "support/program_fixture.h"
#include "toolkit/application.h"
#include "toolkit/dbgrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyleOptionComboBox>
#include <QSvgRenderer>
#include <QTableView>
#include <QTimer>

namespace {

// Room a window manager's title bar needs beside the caption: the window menu and three boxes.
constexpr int kTitleBarButtons = 110;
// The widest amount the money dialog accepts, in the money text.
const QString kWidestAmount = "99,999,999,999,999";

int textWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(QString(text).remove('&'));
}

int titleWidth(const QString& caption)
{
    QFont f = QApplication::font();
    f.setBold(true);
    return textWidth(f, caption) + kTitleBarButtons;
}

QString where(const QWidget* w)
{
    const TControl* c = TControl::FromWidget(w);
    return w->window()->windowTitle() + "/" + (c ? c->Name : w->metaObject()->className());
}

// What does not fit, one line each.
QStringList misfits(QWidget* window)
{
    QStringList out;
    auto check = [&](const QWidget* w, const QString& text, int need, int have) {
        if (need > have)
            out << QString("%1 \"%2\": needs %3, has %4").arg(where(w), text).arg(need).arg(have);
    };
    check(window, window->windowTitle(), titleWidth(window->windowTitle()), window->width());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            const QRect r = l->contentsRect();
            if (l->wordWrap())
                check(l, l->text(), l->heightForWidth(r.width()), r.height());
            else {
                check(l, l->text(), textWidth(l->font(), l->text()), r.width());
                check(l, l->text(), l->fontMetrics().height(), r.height());
            }
        } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
            check(c, c->text(), c->sizeHint().width(), c->width());
        } else if (auto* b = qobject_cast<QPushButton*>(w); b && !b->text().isEmpty()) {
            check(b, b->text(), textWidth(b->font(), b->text()) + 12, b->width());
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            check(g, g->title(), textWidth(g->font(), g->title()) + 16, g->width());
        } else if (auto* box = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i) {
                QStyleOptionComboBox opt;
                opt.initFrom(box);
                const QSize text(textWidth(box->font(), box->itemText(i)), box->fontMetrics().height());
                const QSize need = box->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, text, box);
                check(box, box->itemText(i), need.width(), box->width());
            }
        } else if (auto* table = qobject_cast<QTableView*>(w)) {
            const QHeaderView* h = table->horizontalHeader();
            for (int i = 0; i < h->count(); ++i) {
                const QString title = table->model()->headerData(i, Qt::Horizontal).toString();
                const QFont f = table->model()->headerData(i, Qt::Horizontal, Qt::FontRole).value<QFont>();
                check(h, title, textWidth(f, title) + 8, h->sectionSize(i));
            }
        }
    }
    return out;
}

// The part of a picture that a rectangle of it covers, rendered at the given size.
QImage render(const QString& picture, QSize size)
{
    QSvgRenderer svg(picture);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.setViewBox(QRectF(QPointF(0, 0), QSizeF(size)));
    svg.render(&p);
    return image;
}

class TextFits : public ProgramTest {};

TEST_F(TextFits, EveryTextFitsItsControlInEveryWindow)
{
    // The widest amount the money dialog takes shows in the grid and on the card.
    folder.sql(
        "INSERT INTO member VALUES (1, 'Somchai', 'Jaidee', 'Family', 'note', '', 99999999999999, 0);");
    start();
    Unit1::web_host = "www.kavri-vivudoz.example";
    Form9->Label3->SetCaption(Unit1::web_host);
    QStringList out = misfits(Form1->Handle());
    for (TForm* dialog :
         std::initializer_list<TForm*>{Form2, Form3, Form4, Form5, Form6, data_update, Form7, Form8, Form9}) {
        dialog->Show();
        pump();
        out += misfits(dialog->Handle());
        dialog->Close();
    }

    // The money column is bold once bound by its title; at its first-run width it shows the amount.
    QFont money = Form1->DBGrid1->Font().ToQFont();
    money.setBold(true);
    for (int i = 0; i < Form1->DBGrid1->ColumnCount(); ++i)
        if (TColumn* c = Form1->DBGrid1->Columns(i);
            c->Title().Caption == "Money" && textWidth(money, kWidestAmount) + 8 > c->Width())
            out << QString("Money column: %1 wide").arg(c->Width());
    EXPECT_EQ(Form1->money_show->Caption(), "Money = " + kWidestAmount + ".-");
    EXPECT_EQ(Form1->www_url->Caption(), "Go to the Official Website");

    // A message box is at least as wide as its title bar needs.
    SetDialogs(nullptr);
    int boxWidth = 0;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxWidth = box->width();
            box->accept();
        }
    });
    ShowMessage("Done.");
    SetDialogs(&dialogs);
    if (boxWidth < titleWidth(Application->Title()))
        out << QString("message box: %1 wide").arg(boxWidth);
    EXPECT_TRUE(out.isEmpty()) << out.join("\n").toStdString();
}

TEST_F(TextFits, PicturesLeaveRoomForTheirTexts)
{
    start();
    // The logo's text ends inside the logo's frame.
    const QImage logo =
        render(":/images/logo.svg", QSize(Form9->Image1->Width() + 200, Form9->Image1->Height()));
    for (int x = Form9->Image1->Width(); x < logo.width(); ++x)
        for (int y = 0; y < logo.height(); ++y)
            ASSERT_EQ(qAlpha(logo.pixel(x, y)), 0) << "the logo is cut at " << x << "," << y;

    // The money line lies on plain card, clear of the frame.
    const QImage card = render(":/images/card.svg", QSize(480, 400));
    const TLabel* m = Form1->money_show;
    const QRect area(m->Left() - Form1->Image1->Left(), m->Top() - Form1->Image1->Top(), m->Width(),
                     m->Height());
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            ASSERT_EQ(card.pixel(x, y), qRgb(255, 255, 255))
                << "the money line meets the card's art at " << x << "," << y;
}

TEST_F(TextFits, TopBarControlsStandApart)
{
    start();
    std::vector<const TControl*> controls;
    for (const TControl* c : Form1->main_menu->Controls())
        if (c->Align() == alNone && !c->Name.isEmpty())
            controls.push_back(c);
    const auto bounds = [](const TControl* c) { return QRect(c->Left(), c->Top(), c->Width(), c->Height()); };
    QStringList out;
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const QStringList pair{controls[i]->Name, controls[j]->Name};
            // The heart's click area covers the heart.
            if (pair.contains("ads_img") && pair.contains("ads_gold_heart"))
                continue;
            if (bounds(controls[i]).intersects(bounds(controls[j])))
                out << pair.join(" and ");
        }
    EXPECT_TRUE(out.isEmpty()) << out.join("\n").toStdString();
}

// On a small screen the main window scrolls: every control can be brought into view.
TEST_F(TextFits, EveryControlOfTheMainWindowIsReachableOnASmallScreen)
{
    start();
    QWidget* window = Form1->Handle();
    auto* scroller = window->findChild<QScrollArea*>();
    ASSERT_NE(scroller, nullptr);
    // A 1024 x 600 screen, and a 1280 x 720 screen with a panel, less the window's title bar.
    for (const QSize screen : {QSize(1024, 570), QSize(1280, 658)}) {
        SCOPED_TRACE(screen.height());
        window->showNormal();
        window->resize(screen);
        pump();
        EXPECT_EQ(window->size(), screen) << "the window is larger than the screen";
        QStringList out;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const TControl* c = TControl::FromWidget(w);
            if (!c || !w->isVisible() || !scroller->widget()->isAncestorOf(w))
                continue;
            scroller->ensureWidgetVisible(w, 0, 0);
            const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
            // Along each axis: inside the view, or, when larger than the view, covering it.
            const QRect view(scroller->viewport()->mapTo(window, QPoint(0, 0)), scroller->viewport()->size());
            const auto shown = [](int from, int size, int view_from, int view_size) {
                return size <= view_size ? from >= view_from && from + size <= view_from + view_size
                                         : from <= view_from && from + size >= view_from + view_size;
            };
            if (!shown(r.x(), r.width(), view.x(), view.width()) ||
                !shown(r.y(), r.height(), view.y(), view.height()))
                out << QString("%1 at %2,%3 %4x%5")
                           .arg(c->Name)
                           .arg(r.x())
                           .arg(r.y())
                           .arg(r.width())
                           .arg(r.height());
        }
        EXPECT_TRUE(out.isEmpty()) << out.join("\n").toStdString();
    }
}

} // namespace
