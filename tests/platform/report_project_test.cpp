// Report projects: open and close, the find and unique-name rules, which report runs, failures.
#include "report_support.h"

#include "system/sysutils.h"

#include <QTimer>

namespace {

const QString kSample = QStringLiteral(KRV_SOURCE_DIR "/tests/platform/report_projects/sample.rav");

class ReportProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        project.Engine = &engine;
        project.ProjectFile = kSample;
        project.OnAfterClose = [this] { ++closes; };
        TRvSystem::PreviewHook = [this](const TRvDocument& d) { runs.push_back(d); };
    }
    void TearDown() override { TRvSystem::PreviewHook = nullptr; }

    // The texts of every sheet of the last run, in drawing order.
    QStringList lastTexts() const
    {
        QStringList texts;
        for (const TRvSheet& s : runs.back().Sheets) {
            for (const TRvDrawing& d : s.Drawings) {
                if (auto* t = std::get_if<TRvDrawnText>(&d))
                    texts << t->Text;
            }
        }
        return texts;
    }

    QTemporaryDir dir;
    TRvSystem engine;
    TRvProject project;
    int closes = 0;
    std::vector<TRvDocument> runs;
};

TEST_F(ReportProject, OpenCloseAndAfterClose)
{
    project.Close();
    EXPECT_EQ(closes, 0) << "closing with no project open fires nothing";

    project.Open();
    ASSERT_TRUE(project.Active());
    auto* band = project.FindRaveComponent("Band1", project.FindRaveComponent("Cards.Page1", nullptr));
    ASSERT_NE(band, nullptr);
    new TRaveText(band);

    // Opening again keeps the open project, even when the file name now points elsewhere.
    project.ProjectFile = dir.filePath("missing.rav");
    EXPECT_NO_THROW(project.Open());
    EXPECT_NE(project.FindRaveComponent("Cards.Page1", nullptr), nullptr);

    int seen_active = -1;
    project.OnAfterClose = [&] {
        seen_active = project.Active();
        ++closes;
    };
    project.Close();
    EXPECT_FALSE(project.Active());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(seen_active, 0) << "the project is unloaded before the event";
    project.Close();
    EXPECT_EQ(closes, 1);
}

TEST_F(ReportProject, RavIsAddedToANameWithoutADot)
{
    QFile::copy(kSample, dir.filePath("card.rav"));
    project.ProjectFile = dir.filePath("card");
    EXPECT_NO_THROW(project.Open());
    project.Close();

    QDir(dir.path()).mkdir("v1.2");
    QFile::copy(kSample, dir.filePath("v1.2/card.rav"));
    project.ProjectFile = dir.filePath("v1.2/card"); // a dot in a folder name does not count
    EXPECT_NO_THROW(project.Open());
}

TEST_F(ReportProject, MissingFileAndInvalidFormat)
{
    project.ProjectFile = dir.filePath("op.rav");
    try {
        project.Open();
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(),
                  "The following reporting project does not exist:\r\"" + dir.filePath("op.rav") + "\"");
    }
    EXPECT_FALSE(project.Active());

    const QString invalid[] = {
        "",
        "not a project",
        "[1, 2]",
        R"({"reports": []})",
        R"({"format": "other", "reports": []})",
        ProjectText(R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "circle"}]}]})"),
        ProjectText(R"({"name": "R", "pages": [{"name": "P", "width": "wide"}]})"),
        ProjectText(R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "region", "items": [)"
                    R"({"type": "text"}]}]}]})"),
        ProjectText(R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "text", "font": )"
                    R"({"color": "red"}}]}]})"),
        ProjectText(
            R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "text", "elide": "yes"}]}]})"),
        ProjectText(R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "region", "items": [)"
                    R"({"type": "band", "repeat": 1}]}]}]})"),
        ProjectText(
            R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "datatext", "number": 2}]}]})"),
        ProjectText(R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "datatext", "number": )"
                    R"({"decimals": 1.5}}]}]})"),
        ProjectText(R"({"name": "R", "pages": [{"name": "P", "items": [{"type": "datatext", "number": )"
                    R"({"grouping": "on"}}]}]})"),
    };
    for (const QString& text : invalid) {
        project.ProjectFile = WriteTextFile(dir.filePath("bad.rav"), text);
        try {
            project.Open();
            ADD_FAILURE() << "opened: " << text.toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid Project Format") << text.toStdString();
        }
        EXPECT_FALSE(project.Active());
    }
    EXPECT_EQ(closes, 0);
}

TEST_F(ReportProject, FindByPlainAndCompositeNames)
{
    project.Open();
    TRaveComponent* cards = project.FindRaveComponent("Cards", nullptr);
    TRaveComponent* page = project.FindRaveComponent("Cards.Page1", nullptr);
    TRaveComponent* region = project.FindRaveComponent("Region1", page);
    ASSERT_TRUE(cards && page && region);
    EXPECT_EQ(page->Owner(), cards) << "not the Summary report's Page1";
    EXPECT_NE(dynamic_cast<TRavePage*>(page), nullptr);

    struct Case {
        const char* name;
        TRaveComponent* owner;
        const char* found; // the name of the owner of the result, nullptr for no result
    };
    const Case cases[] = {
        {"cARDS.pAGE1", nullptr, "Cards"},
        {"Summary.Page1", nullptr, "Summary"},
        {"Cards.Band1", nullptr, "Region1"},    // anywhere inside the report
        {"Cards.Summary", nullptr, "*project"}, // failing that, among the project's own
        {"Cards.Shared", nullptr, "*project"},
        {"Shared.Page1", nullptr, nullptr}, // the global page holds no Page1
        {"Nowhere.Page1", nullptr, nullptr},
        {"Band1", region, "Region1"},
        {"Band1", page, "Region1"},
        {"Region1", cards, "Page1"},
        {"Summary", page, "*project"},
        {"Page1", nullptr, nullptr},
        {"Missing", page, nullptr},
    };
    for (const Case& c : cases) {
        TRaveComponent* found = project.FindRaveComponent(c.name, c.owner);
        if (!c.found) {
            EXPECT_EQ(found, nullptr) << c.name;
        } else if (!found) {
            ADD_FAILURE() << c.name << ": no result";
        } else {
            const QString owner =
                found->Owner() == project.ProjectManager() ? "*project" : found->Owner()->Name;
            EXPECT_EQ(owner, c.found) << c.name;
        }
    }
    project.Close();
    EXPECT_EQ(project.FindRaveComponent("Cards.Page1", nullptr), nullptr);
}

TEST_F(ReportProject, UniqueNamesCountEveryComponentInsideThePage)
{
    project.Open();
    auto* page = project.FindRaveComponent("Cards.Page1", nullptr);
    auto* band = project.FindRaveComponent("Band1", page);
    auto* other = project.FindRaveComponent("Summary.Page1", nullptr);
    EXPECT_EQ(project.GetUniqueName("Text99", page), "Text991");

    auto* text = new TRaveText(band);
    text->SetParent(page);
    text->Name = project.GetUniqueName("Text99", page);
    EXPECT_EQ(text->Name, "Text991");
    EXPECT_EQ(project.GetUniqueName("text99", page), "text992");
    EXPECT_EQ(project.GetUniqueName("Text99", other), "Text991");

    auto* inBand = new TRaveText(band); // owned by the band, never moved to the page
    inBand->Name = "Text992";
    EXPECT_EQ(project.GetUniqueName("Text99", page), "Text993");
    EXPECT_EQ(project.GetUniqueName("BandText", page), "BandText1");

    // Everything added at run time goes with the project.
    project.Close();
    project.Open();
    page = project.FindRaveComponent("Cards.Page1", nullptr);
    EXPECT_EQ(project.FindRaveComponent("Text991", page), nullptr);
    EXPECT_EQ(project.GetUniqueName("Text99", page), "Text991");
}

TEST_F(ReportProject, RunsTheNamedOrTheActiveReport)
{
    project.ExecuteReport("Cards"); // opens the project by itself
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(lastTexts(), QStringList{"In the band"});
    EXPECT_TRUE(project.Active()) << "a run leaves closing to the caller";

    project.ExecuteReport("No such report");
    EXPECT_EQ(runs.size(), 1u);

    project.Execute();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(lastTexts().value(0), "Guests") << "the recorded active report";
    project.Close();

    const QString twoReports = R"({"name": "First", "pages": [{"name": "P", "items": [{"type": "text", )"
                               R"("text": "first"}]}]}, {"name": "Second", "pages": []})";
    for (const QString& active : {QString(), QString(R"(, "activeReport": "Gone")")}) {
        project.ProjectFile = WriteTextFile(dir.filePath("two.rav"), ProjectText(twoReports, active));
        project.Execute();
        EXPECT_EQ(lastTexts(), QStringList{"first"}) << "else the first report";
        project.Close();
    }

    project.ProjectFile = WriteTextFile(dir.filePath("empty.rav"), ProjectText(""));
    EXPECT_NO_THROW(project.Execute());
    EXPECT_EQ(runs.size(), 4u);
}

TEST_F(ReportProject, ItemsAddedAtRunTimePrintOnTheirPageAboveTheOthers)
{
    project.Open();
    auto* page = project.FindRaveComponent("Cards.Page1", nullptr);
    auto* band = project.FindRaveComponent("Band1", project.FindRaveComponent("Region1", page));
    for (const char* text : {"shadow", "front"}) {
        auto* item = new TRaveText(band);
        item->SetParent(page);
        item->Top = 1.5;
        item->Left = 0.25;
        item->Text = text;
    }
    project.ExecuteReport("Cards");
    EXPECT_EQ(lastTexts(), (QStringList{"In the band", "shadow", "front"}));
    const auto& drawings = runs.back().Sheets.at(0).Drawings;
    const auto& front = std::get<TRvDrawnText>(drawings.back());
    EXPECT_DOUBLE_EQ(front.Top, 1.5) << "page coordinates, not the band's";
    EXPECT_DOUBLE_EQ(front.Left, 0.25);
    const auto& inBand = std::get<TRvDrawnText>(drawings.at(1));
    EXPECT_DOUBLE_EQ(inBand.Top, 0.5 + 0.1) << "band items sit at the region's top";
}

TEST_F(ReportProject, AFailedRunLeavesNoProjectOpen)
{
    qputenv("CUPS_SERVER", QFile::encodeName(dir.filePath("no-server.sock")));
    engine.DefaultDest = rdPrinter;
    try {
        project.ExecuteReport("Cards");
        ADD_FAILURE() << "printed without a print server";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "No printer is installed.");
    }
    qunsetenv("CUPS_SERVER");
    EXPECT_FALSE(project.Active());
    EXPECT_EQ(closes, 1);

    engine.DefaultDest = rdFile;
    engine.OutputFileName = dir.filePath("no-such-folder/out.pdf");
    EXPECT_THROW(project.Execute(), Exception);
    EXPECT_FALSE(project.Active());
    EXPECT_EQ(closes, 2);

    project.ProjectFile = dir.filePath("missing");
    EXPECT_THROW(project.ExecuteReport("Cards"), Exception);
    EXPECT_EQ(closes, 2) << "nothing was open, so nothing closed";
}

TEST_F(ReportProject, InputDuringARunCannotPullTheProjectAway)
{
    bool nestedRan = false;
    TRvSystem::PreviewHook = [&](const TRvDocument&) { nestedRan = true; };
    QTimer::singleShot(0, [&] {
        // Reached through the engine's message processing, as a button press would be.
        project.ExecuteReport("Summary");
        project.Close();
        EXPECT_TRUE(project.Active()) << "not while the run goes on";
    });
    engine.DefaultDest = rdFile;
    engine.OutputFileName = dir.filePath("out.pdf");
    project.ExecuteReport("Summary");
    EXPECT_FALSE(nestedRan) << "a run inside a run is ignored";
    EXPECT_FALSE(project.Active()) << "the close asked for meanwhile took place at the end";
    EXPECT_EQ(closes, 1);
}

} // namespace
