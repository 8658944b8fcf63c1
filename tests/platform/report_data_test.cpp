// Data connections and data bands: rows repeat, overflowing rows continue on a new sheet, and
// the data sets are left as the report found them.
#include "report_support.h"

#include "data/ado.h"

namespace {

const QString kSample = QStringLiteral(KRV_SOURCE_DIR "/tests/platform/report_projects/sample.rav");

class ReportData : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        project.Engine = &engine;
        project.ProjectFile = kSample;
        TRvSystem::PreviewHook = [this](const TRvDocument& d) { doc = d; };
    }
    void TearDown() override { TRvSystem::PreviewHook = nullptr; }

    static std::vector<QStringList> names(int n)
    {
        std::vector<QStringList> rows;
        for (int i = 1; i <= n; ++i)
            rows.push_back({"Guest " + QString::number(i)});
        return rows;
    }

    // (text, top) of every text on a sheet.
    std::vector<std::pair<QString, double>> texts(size_t sheet) const
    {
        std::vector<std::pair<QString, double>> list;
        for (const TRvDrawing& d : doc.Sheets.at(sheet).Drawings) {
            if (auto* t = std::get_if<TRvDrawnText>(&d))
                list.emplace_back(t->Text, t->Top);
        }
        return list;
    }

    TRvSystem engine;
    TRvProject project;
    TRvDocument doc;
};

TEST_F(ReportData, ADataBandRepeatsForEveryRow)
{
    TestConnection totals("totals", {"total_card"}, {{"3"}, {"99"}});
    TestConnection guests("GUESTS", {"name"}, names(3)); // names are matched ignoring case
    project.Execute();
    ASSERT_EQ(doc.Sheets.size(), 1u);
    const std::vector<std::pair<QString, double>> expected = {
        {"Guests", 0.5}, {"3", 1.0}, // a data text outside a data band reads the first row
        {"Name", 1.5},   {"Guest 1", 1.8}, {"Guest 2", 2.05}, {"Guest 3", 2.3}};
    ASSERT_EQ(texts(0).size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(texts(0)[i].first, expected[i].first);
        EXPECT_NEAR(texts(0)[i].second, expected[i].second, 1e-9) << expected[i].first.toStdString();
    }
}

TEST_F(ReportData, RowsThatDoNotFitContinueOnANewSheet)
{
    // The region is 9 inches high: the header band (0.3) and 34 rows of 0.25 fill the first sheet.
    TestConnection guests("guests", {"name"}, names(40));
    project.Execute();
    ASSERT_EQ(doc.Sheets.size(), 2u);
    const auto first = texts(0), second = texts(1);
    EXPECT_EQ(first.back().first, "Guest 34");
    EXPECT_EQ(second.at(0).first, "Guests") << "the page's own items print on every sheet";
    EXPECT_EQ(second.at(1).first, "") << "a data text of a connection that does not exist prints empty";
    EXPECT_EQ(second.at(2).first, "Guest 35");
    EXPECT_NEAR(second.at(2).second, 1.5, 1e-9) << "continues at the region's top";
    EXPECT_EQ(second.back().first, "Guest 40");
}

TEST_F(ReportData, DataSetsAreLeftAsTheyWere)
{
    TestConnection closedOne("totals", {"total_card"}, {{"7"}});
    TestConnection openOne("guests", {"name"}, names(5));
    openOne.Open();
    openOne.rec_no = 3;
    project.Execute();
    EXPECT_EQ(texts(0).at(1).first, "7") << "a closed data set is opened for the report";
    EXPECT_FALSE(closedOne.Active()) << "and closed again";
    EXPECT_EQ(closedOne.opens, 1);
    EXPECT_TRUE(openOne.Active());
    EXPECT_EQ(openOne.rec_no, 3);
    EXPECT_EQ(openOne.closes, 0);
    EXPECT_EQ(texts(0).size(), 2u + 1 + 5) << "all rows, whatever the current one";
}

TEST_F(ReportData, AnEmptyOrMissingConnectionPrintsNoRows)
{
    TestConnection guests("guests", {"name"}, {});
    project.Execute();
    ASSERT_EQ(doc.Sheets.size(), 1u);
    EXPECT_EQ(texts(0).size(), 3u); // title, empty count, header
    EXPECT_FALSE(guests.Active());
}

TEST_F(ReportData, AQueryIsReadWithoutMovingItsViewers)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("t.db");
    ASSERT_EQ(
        QProcess::execute("sqlite3", {file, "CREATE TABLE member (userid INTEGER PRIMARY KEY, name TEXT)"}),
        0);
    TADOConnection db;
    db.SetConnectionString("Data Source=" + file);
    for (int i = 1; i <= 4; ++i)
        db.Execute("INSERT INTO member VALUES (?, ?)", {i, "Guest " + QString::number(i)});
    TADOQuery list, count;
    list.SetConnection(&db);
    list.SetSQL("SELECT * FROM member ORDER BY userid");
    count.SetConnection(&db);
    count.SetSQL("SELECT COUNT(userid) AS total_card FROM member");
    list.Open();
    list.SetRecNo(2);
    TDataSource source;
    source.SetDataSet(&list);
    int events = 0;
    source.AddListener([&](TDataEvent, TField*) { ++events; });

    TRvDataSetConnection guests("guests"), totals("totals");
    guests.DataSet = &list;
    totals.DataSet = &count;
    project.Execute();
    EXPECT_EQ(texts(0).at(1).first, "4");
    EXPECT_EQ(texts(0).size(), 3u + 4);
    EXPECT_EQ(texts(0).back().first, "Guest 4");
    EXPECT_EQ(list.RecNo(), 2);
    EXPECT_EQ(events, 0) << "the guest list's viewers saw nothing of the report";
    EXPECT_FALSE(count.Active());
}

} // namespace
