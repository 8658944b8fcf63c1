// Column titles that head every sheet, page texts, and numbers printed in a number format.
#include "report_support.h"
#include "support/printed_date.h"

#include <QDate>
#include <QLocale>

namespace {

class ReportLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        project.Engine = &engine;
        TRvSystem::PreviewHook = [this](const TRvDocument& d) { doc = d; };
    }
    void TearDown() override { TRvSystem::PreviewHook = nullptr; }

    // The texts of each sheet, in drawing order.
    std::vector<QStringList> sheets() const
    {
        std::vector<QStringList> out;
        for (const TRvSheet& s : doc.Sheets) {
            out.emplace_back();
            for (const TRvDrawing& d : s.Drawings) {
                if (auto* t = std::get_if<TRvDrawnText>(&d))
                    out.back() << t->Text;
            }
        }
        return out;
    }

    QTemporaryDir dir;
    TRvSystem engine;
    TRvProject project;
    TRvDocument doc;
};

TEST_F(ReportLayout, ColumnTitlesHeadEverySheetOfRowsAndNeverStayAlone)
{
    std::vector<QStringList> rows;
    for (int i = 1; i <= 10; ++i)
        rows.push_back({QString::number(i)});
    TestConnection guests("guests", {"name"}, rows);
    // The region runs from 0.5 to 2.5 inches; titles take 0.3, a row 0.25.
    const struct {
        double intro;
        std::vector<QStringList> expected;
    } cases[] = {
        {1.0,
         {{"Intro", "Name 1", "1", "2", "Page 1"},
          {"Name 2", "3", "4", "5", "6", "7", "8", "Page 2"},
          {"Name 3", "9", "10", "Total", "Page 3"}}},
        // Titles that fit with no row below them go over to the next sheet.
        {1.5,
         {{"Intro", "Page 1"},
          {"Name 2", "1", "2", "3", "4", "5", "6", "Page 2"},
          {"Name 3", "7", "8", "9", "10", "Total", "Page 3"}}},
        // The closing band that goes over alone has no titles above it.
        {0.7,
         {{"Intro", "Name 1", "1", "2", "3", "4", "Page 1"},
          {"Name 2", "5", "6", "7", "8", "9", "10", "Page 2"},
          {"Total", "Page 3"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.intro);
        project.ProjectFile = WriteTextFile(
            dir.filePath("t.rav"),
            ProjectText(QString(R"({"name": "R", "pages": [{"name": "P", "width": 4, "height": 3, "items": [
                {"type": "region", "top": 0.5, "height": 2, "items": [
                    {"type": "band", "height": %1, "items": [{"type": "text", "text": "Intro"}]},
                    {"type": "band", "height": 0.3, "repeat": true,
                     "items": [{"type": "pagetext", "text": "Name %p"}]},
                    {"type": "databand", "connection": "guests", "height": 0.25,
                     "items": [{"type": "datatext", "connection": "guests", "field": "name"}]},
                    {"type": "band", "height": 0.4, "items": [{"type": "text", "text": "Total"}]}]},
                {"type": "pagetext", "top": 2.7, "text": "Page %p"}]}]})")
                            .arg(c.intro)));
        project.Execute();
        project.Close();
        EXPECT_EQ(sheets(), c.expected);
    }
}

TEST_F(ReportLayout, APageTextGivesTheDateOfPrinting)
{
    project.ProjectFile =
        WriteTextFile(dir.filePath("t.rav"), ProjectText(R"({"name": "R", "pages": [{"name": "P", "items": [
            {"type": "pagetext", "text": "Printed on %d"}, {"type": "text", "text": "%p %d"}]}]})"));
    const QDate first = QDate::currentDate();
    project.Execute();
    const std::vector<QStringList> printed = sheets();
    ASSERT_EQ(printed.size(), 1u);
    ASSERT_EQ(printed[0].size(), 2);
    EXPECT_TRUE(printed_on_since(first).contains(printed[0][0])) << printed[0][0].toStdString();
    EXPECT_EQ(printed[0][1], "%p %d");
}

TEST_F(ReportLayout, NumbersPrintInTheLocalesFormat)
{
    const TRvNumberFormat money{2, true, true, "0"}, plain{0, false, false, ""}, fixed{2, true, false, ""};
    const struct {
        QLocale locale;
        QVariant value;
        QString text; // as the data set shows it
        TRvNumberFormat format;
        QString expected;
    } cases[] = {
        {QLocale(QLocale::English), qlonglong(12500), "12500", money, "12,500"},
        {QLocale(QLocale::German), qlonglong(12500), "12500", money, "12.500"},
        {QLocale(QLocale::English), 12500.5, "12500.5", money, "12,500.50"},
        {QLocale(QLocale::German), 12500.5, "12500.5", money, "12.500,50"},
        {QLocale(QLocale::English), "12500.5", "12500.5", money, "12,500.50"},
        {QLocale(QLocale::English), 0.004, "0.004", money, "0"},
        {QLocale(QLocale::English), -1500.25, "-1500.25", fixed, "-1,500.25"},
        {QLocale(QLocale::English), qlonglong(3), "3", fixed, "3.00"},
        {QLocale(QLocale::English), qlonglong(12500), "12500", plain, "12500"},
        {QLocale(QLocale::English), qlonglong(1234567890123456789), "1234567890123456789", money,
         "1,234,567,890,123,456,789"},
        {QLocale(QLocale::English), QVariant(), "", money, "0"},
        {QLocale(QLocale::English), QVariant(), "", plain, ""},
        {QLocale(QLocale::English), qlonglong(0), "", money, "0"}, // shown empty by the data set
        {QLocale(QLocale::English), "Table 7", "Table 7", money, "Table 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        QLocale::setDefault(c.locale);
        EXPECT_EQ(FormatNumber(c.value, c.text, c.format), c.expected);
    }
}

} // namespace
