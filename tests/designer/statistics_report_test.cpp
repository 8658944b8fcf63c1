// The statistics report: its statements and figures for each search and group, the header row,
// the failures, and the printed report itself.
#include "designer/printing_fixture.h"
#include "platform/report_support.h"
#include "report/pdf_output.h"
#include "support/printed_date.h"

#include <QAction>
#include <QLocale>
#include <QTest>

namespace {

const QString kSearch = "(name like ? or lastname like ? or other_txt like ? or note like ?"
                        " or name like ? or lastname like ? or other_txt like ? or note like ?)";

// Four times as typed, then four times within.
QStringList searched(const QString& s)
{
    const QString within = "%" + s + "%";
    return {s, s, s, s, within, within, within, within};
}

// The lines of a page as a reader sees them: words of about the same height joined left to right.
QStringList lines(const PdfContent& pdf, int page)
{
    std::vector<PdfWord> words;
    std::copy_if(pdf.Words.begin(), pdf.Words.end(), std::back_inserter(words),
                 [&](const PdfWord& w) { return w.Page == page; });
    std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::abs(a.YMin - b.YMin) > 3 ? a.YMin < b.YMin : a.XMin < b.XMin;
    });
    QStringList out;
    double top = -100;
    for (const PdfWord& w : words) {
        if (std::abs(w.YMin - top) > 3) {
            out << w.Text;
            top = w.YMin;
        } else {
            out.back() += " " + w.Text;
        }
    }
    return out;
}

class StatisticsReportTest : public PrintingTest {
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // Filter entries in name order: 2 Empty (5), 3 Family (7), 4 the quoted group (3).
    void start_seeded()
    {
        folder.sql("INSERT INTO mb_group VALUES (7, 'Family'), (3, 'Say \"hi\" & it''s'), (5, 'Empty');"
                   "INSERT INTO member (userid, name, lastname, other_txt, note, money, group_id) VALUES"
                   " (1, 'Anna', 'Berg', 'Table 1', 'vegan', 1500, 7),"
                   " (2, 'Bob', 'Stone', 'Say \"hi\"', NULL, NULL, 0),"
                   " (3, 'Carl', 'Lind', 'and it''s late', 'is an  aunt here', 12000, 3),"
                   " (4, 'Dora', 'Kaye', '', '', NULL, 7),"
                   " (5, 'Ian', 'Moss', NULL, NULL, 250, 0);");
        start();
    }
    // The user picks a filter entry, then types the search text.
    static void select(int entry, const QString& search)
    {
        Form1->name_group->SetItemIndex(entry);
        Dispatch([] { Form1->name_group->OnCloseUp(Form1->name_group); });
        Form1->search_box->SetText(search);
    }
    static QString header()
    {
        TADOQuery q("check");
        q.SetConnection(Form1->ADOConnection1);
        q.SetSQL("SELECT group_name_show_in_report, kw_now FROM for_report_show WHERE report_show_id = 1");
        q.Open();
        return q.Fields(0)->AsString() + "|" + q.Fields(1)->AsString();
    }
    static QString figures()
    {
        return QStringList{Form1->Report_Query->FieldByName("total_money")->AsString(),
                           Form1->Report_Query->FieldByName("total_card")->AsString(),
                           Form1->Report_Query2->FieldByName("have_money")->AsString(),
                           Form1->Report_Query3->FieldByName("no_money")->AsString()}
            .join('|');
    }
};

TEST_F(StatisticsReportTest, StatementsHeaderAndFiguresFollowTheSearchAndTheGroup)
{
    start_seeded();
    const struct {
        int entry;
        QString search;
        QString where; // the conditions before each query's own
        QStringList values;
        QString header, figures; // total money|guests|with money|without money
    } cases[] = {
        {0, "", "", {}, "List All|-", "13750|5|3|2"},
        {0, "   ", "", {}, "List All|-", "13750|5|3|2"},
        {0, "  aunt ", kSearch, searched("  aunt "), "List All|aunt", "12000|1|1|0"},
        {0, "an", kSearch, searched("an"), "List All|an", "13750|3|3|0"},
        {3, "an", kSearch + " and group_id = ?", searched("an") << "7", "Family|an", "1500|1|1|0"},
        {3, "\t", "group_id = ?", {"7"}, "Family|-", "1500|2|1|1"},
        {1, "", "group_id = ?", {"0"}, "NONE GROUP|-", "250|2|1|1"},
        // Quotes of either kind are values like any other.
        {0, "Say \"hi\"", kSearch, searched("Say \"hi\""), "List All|Say \"hi\"", "|1|0|1"},
        {4, " it's", kSearch + " and group_id = ?", searched(" it's") << "3", "Say \"hi\" & it's|it's",
         "12000|1|1|0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("entry %1, search '%2'").arg(c.entry).arg(c.search).toStdString());
        select(c.entry, c.search);
        cards.clear();
        Form1->Button8Click(Form1->Image5);
        ASSERT_EQ(cards.size(), 1u) << dialogs.texts().join("; ").toStdString();
        const auto statement = [&](const QString& select, const QString& own) {
            QStringList conditions;
            if (!c.where.isEmpty())
                conditions << c.where;
            if (!own.isEmpty())
                conditions << own;
            return conditions.isEmpty() ? select : select + " WHERE " + conditions.join(" and ");
        };
        EXPECT_EQ(Form1->Report_Query->SQLText(),
                  statement("SELECT SUM(money) AS total_money, COUNT(userid) AS total_card FROM member", ""));
        EXPECT_EQ(Form1->Report_Query2->SQLText(),
                  statement("SELECT COUNT(userid) AS have_money FROM member", "money > 0"));
        EXPECT_EQ(Form1->Report_Query3->SQLText(),
                  statement("SELECT COUNT(userid) AS no_money FROM member", "money is null"));
        for (TADOQuery* q : {Form1->Report_Query, Form1->Report_Query2, Form1->Report_Query3}) {
            EXPECT_EQ(value_texts(q->Parameters()), c.values);
            EXPECT_TRUE(q->Active());
        }
        EXPECT_EQ(figures(), c.figures);
        EXPECT_EQ(header(), c.header);
        EXPECT_FALSE(Form1->Report_Query4->Active());
        EXPECT_FALSE(Form1->RvProject1->Active());
        EXPECT_EQ(Form1->cnn->SQLText(), "UPDATE for_report_show SET kw_now = ? WHERE report_show_id = 1");
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
    EXPECT_EQ(Unit1::report_was_run, "yes");

    // What the report project can read through each connection.
    Form1->Report_Query4->Open();
    const std::pair<TADOQuery*, QStringList> columns[] = {
        {Form1->Report_Query, {"total_money", "total_card"}},
        {Form1->Report_Query2, {"have_money"}},
        {Form1->Report_Query3, {"no_money"}},
        {Form1->Report_Query4, {"report_show_id", "group_name_show_in_report", "kw_now"}},
    };
    for (const auto& [query, names] : columns) {
        QStringList fields;
        for (int i = 0; i < query->FieldCount(); ++i)
            fields << query->Fields(i)->FieldName();
        EXPECT_EQ(fields, names);
    }
}

TEST_F(StatisticsReportTest, ASearchThatMatchesOnlyMoneyFindsNoDataAndChangesNothing)
{
    start_seeded();
    select(0, "120");
    ASSERT_EQ(Form1->ADOQuery1->RecordCount(), 1) << "the list searches the amounts";
    Form1->ADOQuery1->SetRecNo(1);
    Form1->Button8Click(Form1->Image5);
    EXPECT_EQ(dialogs.texts(), QStringList{"No data in the system."});
    EXPECT_EQ(Form1->cnn->SQLText(), "SELECT COUNT(userid) AS total_card FROM member WHERE " + kSearch);
    EXPECT_EQ(value_texts(Form1->cnn->Parameters()), searched("120"));
    EXPECT_FALSE(Form1->cnn->Active());
    EXPECT_TRUE(cards.empty());
    EXPECT_EQ(header(), "List All|-");
    for (TADOQuery* q : {Form1->Report_Query, Form1->Report_Query2, Form1->Report_Query3}) {
        EXPECT_EQ(q->SQLText(), "");
        EXPECT_FALSE(q->Active());
    }
    EXPECT_EQ(Unit1::report_was_run, "");
}

TEST_F(StatisticsReportTest, AMissingProjectIsReportedAfterTheFiguresAndTheHeader)
{
    start_seeded();
    QFile::remove(folder.file("gstrp.rav"));
    select(3, "");
    Form1->Report1->Action()->trigger(); // View > Report
    EXPECT_EQ(dialogs.texts(), QStringList{"The following reporting project does not exist:\r\"" +
                                           folder.file("gstrp.rav") + "\""});
    EXPECT_FALSE(Form1->RvProject1->Active());
    EXPECT_EQ(Unit1::report_was_run, "");
    EXPECT_EQ(figures(), "1500|2|1|1");
    EXPECT_EQ(header(), "Family|-");
    EXPECT_TRUE(cards.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(StatisticsReportTest, GoesWhereTheLastCardJobSentItsCards)
{
    start_seeded();
    Form1->print_coverClick(Form1->print_cover);
    Form1->Button8Click(Form1->Image5);
    Form1->ADOQuery1->SetRecNo(Form1->ADOQuery1->RecordCount()); // one card
    Form6->print_start->Click();
    Form1->Button8Click(Form1->Image5);
    ASSERT_EQ(cards.size(), 4u);
    EXPECT_EQ(cards[1].dest, rdPreview);
    EXPECT_EQ(cards[3].dest, rdPrinter);
    EXPECT_EQ(cards[3].doc.Sheets.front().Width, 8.27) << "the report, not a card";
    // Busy while the report is made; the preview waits for the user with the normal cursor.
    EXPECT_EQ(cards[1].cursor, Qt::ArrowCursor);
    EXPECT_EQ(cards[3].cursor, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The figures leave the amounts out of the search, the list's rows match them too: no money total
// under the rows contradicts them.
TEST_F(StatisticsReportTest, RowsMatchedByTheirAmountStandUnderFiguresThatLeaveThemOut)
{
    folder.sql("INSERT INTO member (userid, name, lastname, other_txt, money) VALUES"
               " (1, 'Anna', 'Berg', 'Table 12', 500), (2, 'Bob', 'Stone', 'Table 3', 1200),"
               " (3, 'Carl', 'Lind', 'Table 4', 300);");
    start();
    select(0, "12");
    Form1->Button8Click(Form1->Image5);
    ASSERT_EQ(cards.size(), 1u) << dialogs.texts().join("; ").toStdString();
    WritePdf(cards[0].doc, folder.file("report.pdf"), "report", [](int) {});
    const QStringList text = lines(ReadPdf(folder.file("report.pdf")), 1);
    EXPECT_EQ(text.mid(4),
              (QStringList{"1 500 1 0", "Guests Total money Guests with money Guests without money",
                           "Name Lastname Other text Money", "Anna Berg Table 12 500",
                           "Bob Stone Table 3 1,200", "Page 1"}));
}

// The largest total the database sums (the largest 64-bit integer) and the widest amounts stay
// within their box and their column.
TEST_F(StatisticsReportTest, TheWidestFiguresAndAmountsStayInTheirPlaces)
{
    folder.sql("INSERT INTO member (userid, name, lastname, other_txt, money) VALUES"
               " (1, 'Anna', 'Berg', 'Table by the window on the left', 99999999999999),"
               " (2, 'Bob', 'Stone', 'Table by the window on the left', 9223272036854774308),"
               " (3, 'Carl', 'Lind', 'Table 4', 1500);");
    start();
    Form1->Button8Click(Form1->Image5);
    ASSERT_EQ(cards.size(), 1u) << dialogs.texts().join("; ").toStdString();
    WritePdf(cards[0].doc, folder.file("report.pdf"), "report", [](int) {});
    const PdfContent pdf = ReadPdf(folder.file("report.pdf"));
    SCOPED_TRACE(pdf.Text().toStdString());

    const PdfWord* total = pdf.Find("9,223,372,036,854,775,807");
    ASSERT_TRUE(total);
    constexpr double boxLeft = (0.75 + 1.73) * 72, boxRight = boxLeft + 1.58 * 72;
    EXPECT_GE(total->XMin, boxLeft);
    EXPECT_LE(total->XMax, boxRight);
    for (const QString amount : {"99,999,999,999,999", "9,223,272,036,854,774,308"}) {
        const PdfWord* cell = pdf.Find(amount);
        ASSERT_TRUE(cell) << amount.toStdString();
        // The other text's last word on the same row ends before the amount begins.
        for (const PdfWord& w : pdf.Words) {
            if (&w != cell && std::abs(w.YMax - cell->YMax) < 3 && w.XMin < cell->XMin) {
                EXPECT_LT(w.XMax + 3, cell->XMin)
                    << w.Text.toStdString() << " runs into " << amount.toStdString();
            }
        }
    }
}

// Every guest of the selection in the list's order, over several sheets, each headed by the
// column titles and numbered at its foot.
TEST_F(StatisticsReportTest, ThePrintedReportListsEveryGuestUnderTheFigures)
{
    QString seed = "INSERT INTO mb_group VALUES (7, 'Family');";
    for (int i = 1; i <= 130; ++i)
        seed += QString("INSERT INTO member (userid, name, lastname, other_txt, money, group_id) VALUES "
                        "(%1, 'Guest%2', 'Last%2', 'Table %3', %4, %5);")
                    .arg(i)
                    .arg(i, 3, 10, QChar('0'))
                    .arg(i % 12)
                    .arg(i % 2 ? QString::number(i * 1000) : "NULL")
                    .arg(i <= 120 ? 7 : 0);
    folder.sql(seed);
    start();
    select(2, "guest");
    Form1->ADOQuery1->SetSort("userid DESC");
    const int current = Form1->ADOQuery1->RecNo();
    const QDate first = QDate::currentDate();
    QTest::mouseClick(Form1->Image5->Handle(), Qt::LeftButton);
    ASSERT_EQ(cards.size(), 1u) << dialogs.texts().join("; ").toStdString();
    const QString pdf_path = folder.file("report.pdf");
    WritePdf(cards[0].doc, pdf_path, "report", [](int) {});
    const PdfContent pdf = ReadPdf(pdf_path);

    ASSERT_GE(pdf.Pages.size(), 3u);
    EXPECT_NEAR(pdf.Pages[0].width(), 8.27 * 72, 0.5);
    QStringList guests;
    for (int page = 1; page <= int(pdf.Pages.size()); ++page) {
        QStringList text = lines(pdf, page);
        SCOPED_TRACE(text.join("\n").toStdString());
        if (page == 1) {
            ASSERT_GE(text.size(), 7);
            EXPECT_EQ(text[0], "Guest List Report");
            EXPECT_TRUE(printed_on_since(first).contains(text[1])) << text[1].toStdString();
            EXPECT_EQ(text[2], "Group: Family");
            EXPECT_EQ(text[3], "Keyword: guest");
            // Guests, total money, with money, without: 60 odd guests gave 1,000 times their number.
            EXPECT_EQ(text[4], "120 3,600,000 60 60");
            EXPECT_EQ(text[5], "Guests Total money Guests with money Guests without money");
            text = text.mid(6);
        }
        ASSERT_GE(text.size(), 2);
        EXPECT_EQ(text.front(), "Name Lastname Other text Money");
        EXPECT_EQ(text.back(), QString("Page %1").arg(page));
        for (const QString& line : text) {
            if (line.startsWith("Guest"))
                guests << line;
        }
    }
    ASSERT_EQ(guests.size(), 120);
    for (int i = 120; i >= 1; --i) {
        const QString n = QString("%1").arg(i, 3, 10, QChar('0'));
        const QString money = i % 2 ? " " + QLocale().toString(i * 1000) : "";
        EXPECT_EQ(guests[120 - i], QString("Guest%1 Last%1 Table %2%3").arg(n).arg(i % 12).arg(money));
    }
    const QStringList last = lines(pdf, int(pdf.Pages.size()));
    EXPECT_EQ(last.value(last.size() - 2), "Guest001 Last001 Table 1 1,000") << "nothing under the rows";
    EXPECT_EQ(Form1->ADOQuery1->RecNo(), current) << "the list stays on its guest";
}

// Guest lists are imported from Thai files: a Thai name prints in Thai letters, not in boxes.
TEST_F(StatisticsReportTest, AThaiNamePrintsInLettersOfAFaceThatHasThem)
{
    const QString name = QString::fromUtf8("สมชาย"), lastname = QString::fromUtf8("ใจดี");
    folder.sql(
        QString("INSERT INTO member (userid, name, lastname) VALUES (1, '%1', '%2');").arg(name, lastname));
    start();
    Form1->Button8Click(Form1->Image5);
    ASSERT_EQ(cards.size(), 1u) << dialogs.texts().join("; ").toStdString();
    const QString pdf_path = folder.file("report.pdf");
    WritePdf(cards[0].doc, pdf_path, "report", [](int) {});
    EXPECT_TRUE(lines(ReadPdf(pdf_path), 1).contains(name + " " + lastname));
    QProcess fonts;
    fonts.start("pdffonts", {pdf_path});
    fonts.waitForFinished(30000);
    EXPECT_TRUE(fonts.readAllStandardOutput().contains("Loma"));
}

} // namespace
