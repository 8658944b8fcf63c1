// The window toolkit's event rules, boxes, dispatcher, activation and focus.
#include "support/program_fixture.h"
#include "system/sysutils.h"
#include "toolkit/application.h"
#include "toolkit/dialogs.h"
#include "toolkit/extctrls.h"
#include "toolkit/stdctrls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { test_application(); }
    ScriptedDialogs dialogs;
};

TEST_F(ToolkitTest, PropertiesFireEventsOnlyOnChange)
{
    TForm form;
    int clicks = 0, changes = 0, edits = 0;
    auto* box = new TCheckBox(&form);
    box->OnClick = [&](TObject*) { ++clicks; };
    auto* bar = new TTrackBar(&form);
    bar->SetRange(0, 3);
    bar->OnChange = [&](TObject*) { ++changes; };
    auto* edit = new TEdit(&form);
    edit->OnChange = [&](TObject*) { ++edits; };
    auto* combo = new TComboBox(&form);
    int combo_events = 0;
    combo->OnCloseUp = [&](TObject*) { ++combo_events; };
    combo->OnSelect = [&](TObject*) { ++combo_events; };

    box->SetChecked(false);
    EXPECT_EQ(clicks, 0);
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);

    bar->SetPosition(7);
    EXPECT_EQ(bar->Position(), 3);
    bar->SetPosition(3);
    bar->SetPosition(-2);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, 2);

    edit->SetText("a");
    edit->SetText("a");
    edit->SetText("");
    EXPECT_EQ(edits, 2);

    combo->Add("one");
    combo->Add("two");
    combo->SetItemIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(combo_events, 0);
}

TEST_F(ToolkitTest, KeyboardSelectionOfAClosedListIsReported)
{
    TForm form;
    auto* combo = new TComboBox(&form);
    combo->Add("one");
    combo->Add("two");
    combo->SetItemIndex(0);
    int selects = 0;
    combo->OnSelect = [&](TObject*) { ++selects; };
    form.Show();
    QTest::keyClick(combo->Handle(), Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
}

TEST_F(ToolkitTest, CloseUpOnlyAfterTheListWasDroppedDown)
{
    TForm form;
    auto* combo = new TComboBox(&form);
    combo->Add("one");
    int closeUps = 0;
    combo->OnCloseUp = [&](TObject*) { ++closeUps; };
    form.Show();
    form.SetEnabled(false);
    form.SetEnabled(true);
    QApplication::processEvents();
    EXPECT_EQ(closeUps, 0);

    auto* widget = static_cast<QComboBox*>(combo->Handle());
    widget->showPopup();
    widget->hidePopup();
    QApplication::processEvents();
    EXPECT_EQ(closeUps, 1);
}

TEST_F(ToolkitTest, DefaultErrorBoxAddsAFullStopAfterLettersAndDigits)
{
    Application->SetTitle("Title");
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {{"Disk full", "Disk full."}, {"Done.", "Done."}, {"Stop!", "Stop!"},
                 {"code 9", "code 9."},       {"(x)", "(x)"},     {"a,", "a,"}};
    for (const auto& c : cases) {
        dialogs.boxes.clear();
        Dispatch([&] { throw Exception(c.message); });
        ASSERT_EQ(dialogs.boxes.size(), 1u) << c.message;
        EXPECT_EQ(dialogs.boxes[0].text, c.shown);
        EXPECT_EQ(dialogs.boxes[0].caption, "Title");
        EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::Error);
    }
    dialogs.boxes.clear();
    Dispatch([] { throw EAbort(); });
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ToolkitTest, AHandlerThatThrowsLeavesTheProgramRunning)
{
    TForm form;
    auto* button = new TButton(&form);
    int runs = 0;
    button->OnClick = [&](TObject*) {
        ++runs;
        throw std::runtime_error("broken");
    };
    form.Show();
    QTest::mouseClick(button->Handle(), Qt::LeftButton);
    QTest::mouseClick(button->Handle(), Qt::LeftButton);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(dialogs.texts(), QStringList({"broken.", "broken."}));
}

TEST_F(ToolkitTest, ClosingADialogActivatesTheMainWindowExactlyOnce)
{
    TForm main;
    TForm dialog;
    int mainActivations = 0, dialogActivations = 0;
    main.OnActivate = [&](TObject*) { ++mainActivations; };
    dialog.OnActivate = [&](TObject*) { ++dialogActivations; };
    dialog.OnClose = [&](TObject*) { main.SetEnabled(true); };
    main.Show();
    EXPECT_EQ(mainActivations, 1);
    for (int round = 1; round <= 3; ++round) {
        main.SetEnabled(false);
        dialog.Show();
        QApplication::processEvents();
        EXPECT_EQ(dialogActivations, round);
        dialog.Close();
        QApplication::processEvents();
        EXPECT_FALSE(dialog.Visible());
        EXPECT_EQ(mainActivations, 1 + round);
        EXPECT_EQ(Application->ActiveForm(), &main);
    }
}

TEST_F(ToolkitTest, AFixedDialogIsAsWideAndHighAsItsClientArea)
{
    TForm dialog;
    dialog.SetClientWidth(417);
    dialog.SetClientHeight(217);
    dialog.SetBorderStyle(bsDialog);
    dialog.Show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.Handle()->window()->size(), QSize(417, 217));
    dialog.Hide();
}

TEST_F(ToolkitTest, FocusIsRefusedForHiddenOrDisabledControls)
{
    TForm form;
    auto* edit = new TEdit(&form);
    auto* other = new TEdit(&form);
    form.Show();
    edit->SetFocus();
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(other->Focused());
    other->SetVisible(false);
    try {
        other->SetFocus();
        FAIL() << "focus on a hidden control";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot focus a disabled or invisible window");
    }
    form.SetEnabled(false);
    EXPECT_THROW(edit->SetFocus(), Exception);
}

// The form frees what is still listed when it goes: a control freed before must not be among them.
TEST_F(ToolkitTest, AControlFreedOnItsOwnLeavesItsParent)
{
    TForm form;
    auto* panel = new TPanel(&form);
    auto* kept = new TEdit(panel);
    delete new TEdit(panel);
    EXPECT_EQ(panel->Controls(), std::vector<TControl*>{kept});
}

TEST_F(ToolkitTest, TheLengthLimitCountsCharactersAndNeverSplitsOne)
{
    TForm form;
    auto* edit = new TEdit(&form);
    edit->SetMaxLength(3);
    auto* line = static_cast<QLineEdit*>(edit->Handle());
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    const struct {
        QString before, typed, after;
    } cases[] = {
        {"ab", face, "ab" + face},
        {"ab" + face, "c", "ab" + face},
        {"", face + face + face + face, face + face + face},
        {"a", "b" + face + "c", "ab" + face},
        {"", "abcd", "abc"},
    };
    for (const auto& c : cases) {
        line->setText(c.before);
        line->end(false);
        line->insert(c.typed);
        EXPECT_EQ(edit->Text(), c.after) << (c.before + "+" + c.typed).toStdString();
    }
}

TEST_F(ToolkitTest, TheFontDialogOffersNoEffects)
{
    SetDialogs(nullptr); // the window system's dialogs; the fixture's come back below
    QStringList effects;
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        shown = true;
        for (QCheckBox* box : d->findChildren<QCheckBox*>())
            if (box->isVisibleTo(d))
                effects << box->text();
        d->accept();
    });
    poll.start(20);
    TFontDialog dialog;
    dialog.Font = MakeFont("Verdana", 12, fsBold, clBlack);
    const bool chosen = dialog.Execute();
    SetDialogs(&dialogs);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(effects, QStringList());
}

// OK without a change gives back the face, style and size the dialog opened on, whatever the face
// calls its styles; the sample shows its text whole.
TEST_F(ToolkitTest, TheFontDialogOpensOnTheGivenStyleAndShowsItsSample)
{
    SetDialogs(nullptr);
    const struct {
        QString face;
        TFontStyles style;
        QString shown; // the face's name for it
    } cases[] = {
        {"DejaVu Serif", 0, "Book"},
        {"DejaVu Serif", fsBold, "Bold"},
        {"DejaVu Serif", fsBold | fsItalic, "Bold Italic"},
        {"DejaVu Sans", fsItalic, "Oblique"},
        {"URW Gothic [urw]", fsBold, "Demi"},
        {"URW Gothic [urw]", fsItalic, "Book Oblique"},
    };
    for (const auto& c : cases) {
        if (!QFontDatabase::hasFamily(c.face))
            continue; // not installed here
        SCOPED_TRACE((c.face + " " + c.shown).toStdString());
        QString shown, sample;
        int room = 0, needed = 1;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible())
                return;
            shown = d->currentFont().styleName();
            for (QGroupBox* box : d->findChildren<QGroupBox*>()) {
                if (auto* edit = box->findChild<QLineEdit*>(); edit && box->isVisibleTo(d)) {
                    sample = edit->text();
                    room = edit->contentsRect().height();
                    needed = QFontMetrics(edit->font()).height();
                }
            }
            d->accept();
        });
        poll.start(20);
        TFontDialog dialog;
        dialog.Font = MakeFont(c.face, 16, c.style, clBlack);
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(dialog.Font.Name, c.face);
        EXPECT_EQ(dialog.Font.Style, c.style);
        EXPECT_EQ(dialog.Font.Size, 12);
        EXPECT_FALSE(sample.isEmpty());
        EXPECT_GE(room, needed) << "the sample's text is cut";
    }
    SetDialogs(&dialogs);
}

TEST_F(ToolkitTest, TerminateOnlyQueuesTheQuitThatEndsTheLoop)
{
    TForm main;
    TForm dialog;
    bool went_on = false;
    main.OnActivate = [&](TObject*) {
        dialog.Show();
        QTimer::singleShot(0, [&] {
            Application->Terminate();
            went_on = true;
        });
    };
    bool hung = false;
    // Goes with the test: a later test must not meet this test's guard.
    QObject guard;
    QTimer::singleShot(10000, &guard, [&] {
        hung = true;
        QCoreApplication::exit(1);
    });
    Application->Run();
    EXPECT_FALSE(hung);
    EXPECT_TRUE(went_on);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(dialog.Visible());
}

} // namespace
