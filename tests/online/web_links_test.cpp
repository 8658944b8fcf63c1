// The web links and the gallery launcher: every source opens its page once; the gallery
// program starts when it is there and nothing is reported when it is not.
#include "app/Unit1.h"
#include "app/about.h"
#include "support/program_fixture.h"
#include "support/recording_shell.h"
#include "support/wait.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

namespace {

class WebLinksTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        start();
        Unit1::web_host = "host.test";
    }
};

TEST_F(WebLinksTest, EverySourceOpensItsPageOnce)
{
    RecordingShell shell;
    const QString home = "open http://host.test/?i=sw 3";
    struct Source {
        const char* name;
        std::function<void()> click;
        QString opens;
    } sources[] = {
        {"GotoWebsite1", [] { Form1->GotoWebsite1->Click(); }, home},
        {"www_url", [] { QTest::mouseClick(Form1->www_url->Handle(), Qt::LeftButton); }, home},
        {"Panel2", [] { QTest::mouseClick(Form1->Panel2->Handle(), Qt::LeftButton, {}, QPoint(2, 2)); },
         home},
        {"goto_kavri", [] { QTest::mouseClick(Form1->goto_kavri->Handle(), Qt::LeftButton); }, home},
        {"go_to_kavri", [] { QTest::mouseClick(Form1->go_to_kavri->Handle(), Qt::LeftButton); }, home},
        {"About box", [] { QTest::mouseClick(Form9->Label3->Handle(), Qt::LeftButton); }, home},
        {"Onlinemanual1", [] { Form1->Onlinemanual1->Click(); }, "open http://host.test/wedding/help/ 3"},
    };
    for (const Source& s : sources) {
        shell.calls.clear();
        s.click();
        EXPECT_EQ(shell.calls.join(" | ").toStdString(), s.opens.toStdString()) << s.name;
    }
    EXPECT_EQ(Form1->Panel2->Hint(), "www.kavri-vivudoz.example");
    for (TControl* c :
         {static_cast<TControl*>(Form1->goto_kavri), static_cast<TControl*>(Form1->go_to_kavri)})
        EXPECT_EQ(c->Hint(), "Go to Website");
}

TEST_F(WebLinksTest, GalleryStartsTheSiblingProgramAndSaysNothingWhenItIsAbsent)
{
    const QString marker = folder.file("gallery_started");
    QTest::mouseClick(Form1->Image4->Handle(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.boxes.empty());

    QFile program(folder.file("TOLU.exe"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTest::mouseClick(Form1->Image4->Handle(), Qt::LeftButton);
    EXPECT_TRUE(wait_until([&] { return QFile::exists(marker); }));
    EXPECT_TRUE(dialogs.boxes.empty());

    RecordingShell shell;
    QTest::mouseClick(Form1->Image4->Handle(), Qt::LeftButton);
    EXPECT_EQ(shell.calls.join(" | ").toStdString(),
              ("open " + folder.file("TOLU.exe") + " 6").toStdString());
}

} // namespace
