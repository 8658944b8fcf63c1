// The main-text dialog: load at activation, trimmed save, Enter and Esc, and the hand-over.
#include "designer/Unit2.h"
#include "designer/designer_fixture.h"
#include "toolkit/application.h"

#include <QTest>

namespace {

class MainTextDialogTest : public DesignerTest {
protected:
    void open()
    {
        Form1->edit_txtClick(Form1->edit_txt);
        pump();
        ASSERT_TRUE(Form2->Visible());
        ASSERT_EQ(Application->ActiveForm(), Form2);
    }
    void type(const QString& text) { Form2->main_text_edit->SetText(text); }
    void key(Qt::Key k)
    {
        QTest::keyClick(Form2->main_text_edit->Handle(), k);
        pump();
    }
    void expect_closed()
    {
        EXPECT_FALSE(Form2->Visible());
        EXPECT_TRUE(Form1->Enabled());
        EXPECT_EQ(Form1->stop_page_now->Text(), "close");
    }
};

TEST_F(MainTextDialogTest, OpensOnTheStoredTextAndSavesItTrimmed)
{
    write_ini("[Config]\nMainText=Welcome\n");
    start();
    open();
    EXPECT_EQ(Unit2::ini_path, ini());
    EXPECT_EQ(Form2->main_text_edit->Text(), "Welcome");
    EXPECT_EQ(Unit2::main_text, "Welcome");
    EXPECT_TRUE(Form2->main_text_edit->Focused());

    type(" \t Dinner at eight  \n");
    Form2->Button1->Click();
    pump();
    expect_closed();
    EXPECT_EQ(stored("MainText"), "Dinner at eight");
}

TEST_F(MainTextDialogTest, EnterSavesABlankTextAsAnEmptyValue)
{
    write_ini("[Config]\nMainText=Welcome\n");
    start();
    open();
    type("   ");
    key(Qt::Key_Return);
    expect_closed();
    EXPECT_EQ(stored("MainText"), "");
    // The card keeps its text until the main window reads the settings again.
    EXPECT_EQ(Form1->head_txt->Caption(), "Welcome");
    Form1->load_ini();
    EXPECT_EQ(Form1->head_txt->Caption(), "");
    EXPECT_EQ(Form1->head_txt2->Caption(), "");
    // Reopened, the dialog shows the stored empty text.
    open();
    EXPECT_EQ(Form2->main_text_edit->Text(), "");
}

TEST_F(MainTextDialogTest, EscAndCancelCloseWithoutSaving)
{
    write_ini("[Config]\nMainText=Welcome\n");
    start();
    for (auto close : {std::function<void()>([this] { key(Qt::Key_Escape); }),
                       std::function<void()>([] { Form2->Button2->Click(); })}) {
        open();
        type("Changed");
        close();
        pump();
        expect_closed();
        EXPECT_EQ(stored("MainText"), "Welcome");
        Form1->stop_page_now->SetText("");
    }
}

TEST_F(MainTextDialogTest, WithoutASettingsFileTheEditKeepsWhatItLastHeld)
{
    start();
    QFile::remove(ini());
    open();
    EXPECT_EQ(Form2->main_text_edit->Text(), "");
    type("Draft");
    Form2->Button2->Click();
    pump();
    open();
    EXPECT_EQ(Form2->main_text_edit->Text(), "Draft");
}

TEST_F(MainTextDialogTest, AnUnwritableSettingsFileIsNotReported)
{
    write_ini("[Config]\nMainText=Welcome\n");
    start();
    open();
    QFile::setPermissions(ini(), QFile::ReadOwner);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    type("Lost");
    Form2->Button1->Click();
    pump();
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    expect_closed();
    EXPECT_EQ(stored("MainText"), "Welcome");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

} // namespace
