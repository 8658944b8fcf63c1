// The settings file: the first run, the load with its guard, the save and its caller rule.
#include "app/CheckPrevious.h"
#include "app/KRV.h"
#include "app/Unit1.h"
#include "data/ado.h"
#include "designer/Unit2.h"
#include "support/program_fixture.h"
#include "support/settings_file.h"
#include "toolkit/dbgrid.h"

#include <QFile>

namespace {

// Every key a saved file holds, with the values of a first run.
const std::vector<std::pair<QString, QString>> kFirstRun = {
    {"MainText", "Invite"},
    {"r_font_color", "255"},
    {"g_font_color", "0"},
    {"b_font_color", "255"},
    {"r_SD_color", "192"},
    {"g_SD_color", "192"},
    {"b_SD_color", "192"},
    {"font_select_name", "MS Sans Serif"},
    {"main_font_select_name", "MS Sans Serif"},
    {"font_size", "12"},
    {"main_font_size", "12"},
    {"main_d_SD", "0"},
    {"d_SD", "0"},
    {"trackbar_pos1", "0"},
    {"trackbar_pos2", "0"},
    {"column_size_0", "125"},
    {"column_size_1", "145"},
    {"column_size_2", "108"},
    {"column_size_3", "91"},
    {"column_size_4", "100"},
    {"column_name_sort", "Name"},
    {"column_sort_by", "ASC"},
    {"column_title_0", "Name"},
    {"column_title_1", "Lastname"},
    {"column_title_2", "Other text"},
    {"column_title_3", "Money"},
    {"column_title_4", "Note"},
};

class SettingsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        folder.sql("INSERT INTO member (userid, name, lastname, money) VALUES (1, 'Cleo', 'Bond', 300),"
                   " (2, 'Anna', 'Cole', NULL), (3, 'Eve', 'Adams', 100);");
    }
    QString ini() const { return folder.file("krv.ini"); }
    QString stored(const QString& key) const { return stored_setting(ini(), key); }
    // A settings file of the first run with some keys replaced.
    void write_ini(const std::map<QString, QString>& changes) const
    {
        QByteArray text = "[Config]\n";
        for (const auto& [key, value] : kFirstRun)
            text += (key + "=" + (changes.count(key) ? changes.at(key) : value) + "\n").toUtf8();
        QFile f(ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QByteArray content() const
    {
        QFile f(ini());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static TColumn* column(int position) { return Form1->DBGrid1->Columns(position); }
};

TEST_F(SettingsTest, AFirstRunWritesItsValuesAndTheNextStartAppliesThem)
{
    start();
    // The money column's first-run width follows the installed fonts.
    for (const auto& [key, value] : kFirstRun)
        EXPECT_EQ(stored(key), key == "column_size_3" ? QString::number(column(3)->Width()) : value)
            << key.toStdString();

    destroy_windows();
    ReleaseInstanceSlot();
    initialize_units();
    start();
    EXPECT_EQ(Form1->head_txt->Caption(), "Invite");
    EXPECT_EQ(Form1->head_txt2->Caption(), "Invite");
    EXPECT_EQ(Form1->ColorDialog1->Color, 0xFF00FF);
    EXPECT_EQ(Form1->Shadow_ColorDialog->Color, 0xC0C0C0);
    EXPECT_EQ(Form1->Label1->Font().Color, 0xFF00FF);
    EXPECT_EQ(Form1->Label1->Font().Name, "MS Sans Serif");
    EXPECT_EQ(Form1->Label1->Font().Size, 12);
    EXPECT_FALSE(Form1->start_drop_shadow_chk->Checked());
    EXPECT_FALSE(Form1->drop_shadow_chk->Checked());
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "name ASC");
    EXPECT_EQ(column(3)->FieldName(), "money");
    EXPECT_EQ(column(3)->Alignment(), taRightJustify);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(SettingsTest, TheLoadReadsColoursAndNamesAsStored)
{
    write_ini({{"MainText", "Hello"},
               {"r_font_color", "300"},
               {"g_font_color", "-1"},
               {"b_font_color", "256"},
               {"r_SD_color", "1"},
               {"g_SD_color", "2"},
               {"b_SD_color", "3"},
               {"font_select_name", "Serif"},
               {"main_font_select_name", "Mono"}});
    start();
    EXPECT_EQ(Form1->head_txt->Caption(), "Hello");
    EXPECT_EQ(Form1->ColorDialog1->Color, 44 + 255 * 256 + 0 * 65536); // low bytes of 300, -1, 256
    EXPECT_EQ(Form1->Shadow_ColorDialog->Color, 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(Unit1::ini_font_name, "Serif");
    EXPECT_EQ(Unit1::ini_main_font_name, "Mono");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

// A value that does not convert keeps the value in force, the load goes on with the keys after it,
// and the file stays as it is until the user changes a setting.
TEST_F(SettingsTest, ABadValueCostsNoOtherSettingAndIsNotOverwritten)
{
    const std::map<QString, QString> later = {{"d_SD", "1"},
                                              {"trackbar_pos2", "2"},
                                              {"column_size_4", "150"},
                                              {"column_title_0", "Note"},
                                              {"column_title_4", "Name"},
                                              {"column_name_sort", "Lastname"}};
    const std::pair<QString, QString> damages[] = {
        {"r_font_color", "abc"},
        {"b_SD_color", "1e3"},
        {"font_size", "12pt"},
        {"main_font_size", ""},
        {"trackbar_pos1", "two"},
        {"column_size_1", "wide"},
        {"font_size", QString::fromUtf8("1\0"
                                        "2",
                                        3)},
    };
    for (const auto& [key, value] : damages) {
        SCOPED_TRACE(key.toStdString() + "=" + value.toStdString());
        auto changes = later;
        changes[key] = value;
        changes["main_d_SD"] = "1";
        write_ini(changes);
        const QByteArray before = content();
        start();
        EXPECT_TRUE(Form1->drop_shadow_chk->Checked());
        EXPECT_EQ(Form1->TrackBar2->Position(), 2);
        EXPECT_EQ(column(4)->Width(), 150);
        EXPECT_EQ(column(0)->FieldName(), "note");
        EXPECT_EQ(column(4)->FieldName(), "name");
        EXPECT_EQ(Form1->ADOQuery1->Sort(), "lastname ASC");
        EXPECT_EQ(Form1->Label1->Font().Size, 12);
        EXPECT_EQ(Form1->head_txt->Font().Size, 12);
        EXPECT_EQ(content().toStdString(), before.toStdString());
        EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();

        // The user's change is stored; the bad text stays until its own value changes.
        Form1->TrackBar2->SetPosition(3);
        EXPECT_EQ(stored("trackbar_pos2"), "3");
        EXPECT_EQ(stored(key), value);
        destroy_windows();
        ReleaseInstanceSlot();
        initialize_units();
    }
}

TEST_F(SettingsTest, FontSizesAreKeptWithinWhatTheFontDialogOffers)
{
    write_ini({{"font_size", "2147483647"}, {"main_font_size", "-2147483648"}});
    start();
    EXPECT_EQ(Form1->Label1->Font().Size, 512);
    EXPECT_EQ(Form1->Label2->Font().Size, 512);
    EXPECT_EQ(Form1->head_txt->Font().Size, 1);
    EXPECT_EQ(stored("font_size"), "512");
}

TEST_F(SettingsTest, AStoredDistanceBeyondTheBarTakesItsLastStep)
{
    write_ini({{"main_d_SD", "1"}, {"trackbar_pos1", "7"}});
    start();
    EXPECT_TRUE(Form1->start_drop_shadow_chk->Checked());
    EXPECT_EQ(Form1->TrackBar1->Position(), 3);
    EXPECT_EQ(stored("trackbar_pos1"), "3");
}

TEST_F(SettingsTest, StoredTitlesBindEachPositionToTheFieldTheyName)
{
    write_ini({{"column_title_0", "Note"},
               {"column_title_1", "Money"},
               {"column_title_2", "Name"},
               {"column_title_3", "Lastname"},
               {"column_title_4", "Bogus"},
               {"column_size_0", "60"},
               {"column_name_sort", "Money"},
               {"column_sort_by", "DESC"}});
    start();
    EXPECT_EQ(column(0)->FieldName(), "note");
    EXPECT_EQ(column(0)->Alignment(), taCenter);
    EXPECT_EQ(column(0)->Title().Alignment, taCenter);
    EXPECT_EQ(column(0)->Width(), 60);
    EXPECT_EQ(column(1)->FieldName(), "money");
    EXPECT_EQ(column(1)->Font().Color, clBlue);
    EXPECT_TRUE(column(1)->Font().Style & fsBold);
    EXPECT_EQ(column(2)->FieldName(), "name");
    EXPECT_EQ(column(3)->FieldName(), "lastname");
    // A caption that names no field is shown and leaves the column's field.
    EXPECT_EQ(column(4)->Title().Caption, "Bogus");
    EXPECT_EQ(column(4)->FieldName(), "note");
    EXPECT_EQ(Unit1::sort_column_no, 1);
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "money DESC");
    EXPECT_EQ(stored("column_sort_by"), "DESC");
}

TEST_F(SettingsTest, OnlyTheGridSavesTheSortAndTitlesAndTheMainTextIsWrittenOnce)
{
    start();
    store_setting(ini(), "column_name_sort", "mark");
    store_setting(ini(), "column_title_0", "mark");
    store_setting(ini(), "MainText", "Hi");
    Form1->TrackBar1->SetPosition(2);
    EXPECT_EQ(stored("trackbar_pos1"), "2");
    EXPECT_EQ(stored("main_d_SD"), "1");
    EXPECT_EQ(stored("column_name_sort"), "mark");
    EXPECT_EQ(stored("column_title_0"), "mark");
    EXPECT_EQ(stored("MainText"), "Hi");
    Form1->DBGrid1TitleClick(column(1));
    EXPECT_EQ(stored("column_name_sort"), "Lastname");
    EXPECT_EQ(stored("column_title_0"), "Name");
}

TEST_F(SettingsTest, AReadOnlyFileStaysAsItWasWithoutAMessage)
{
    start();
    QFile::setPermissions(ini(), QFile::ReadOwner | QFile::ReadGroup);
    const QByteArray before = content();
    Form1->TrackBar2->SetPosition(3);
    Form1->DBGrid1TitleClick(column(1));
    EXPECT_EQ(Form1->TrackBar2->Position(), 3);
    EXPECT_EQ(Form1->ADOQuery1->Sort(), "lastname ASC");
    EXPECT_EQ(content(), before);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

TEST_F(SettingsTest, AMissingFileReadsAsEveryKeyAbsent)
{
    start();
    QFile::remove(ini());
    Form1->search_box->SetText("e");
    EXPECT_EQ(Form1->head_txt->Caption(), "");
    EXPECT_EQ(Form1->ColorDialog1->Color, 0xFF00FF);
    EXPECT_EQ(column(0)->Title().Caption, "Name");
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join("; ").toStdString();
}

// Only a value that does not convert is swallowed: a handler that the load runs and that fails
// reaches the default error box.
TEST_F(SettingsTest, AFailingHandlerDuringTheLoadIsShown)
{
    start();
    write_ini({{"d_SD", "1"}, {"trackbar_pos2", "3"}});
    Form1->TrackBar2->OnChange = [](TObject*) { throw Exception("Broken handler"); };
    Dispatch([] { Form1->get_data(); });
    EXPECT_EQ(dialogs.texts(), QStringList{"Broken handler."});
}

} // namespace
