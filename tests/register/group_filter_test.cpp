// The group filter: its entries, the look-up behind a choice, and keyboard changes.
#include "register_fixture.h"

#include <QTest>

namespace {

using Unit1::group_id_sel;

class GroupFilterTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        start_with("INSERT INTO mb_group (group_id, group_name) VALUES (3, 'Work'), (1, 'Family'), "
                   "(2, 'Bride');"
                   "INSERT INTO member (userid, name, lastname, group_id) VALUES (1, 'Ann', 'Lee', 1),"
                   "(2, 'Bob', 'Ray', 2), (3, 'Cy', 'Oh', 0), (4, 'Di', 'Ho', 3);");
    }
    static void expect_key(int sel, const QString& now)
    {
        EXPECT_EQ(group_id_sel, sel);
        EXPECT_EQ(Form1->group_id_now->Text(), now);
    }
};

class EmptyGroupsTest : public RegisterTest {};
using FixedEntryTest = EmptyGroupsTest;

TEST_F(EmptyGroupsTest, EmptyGroupTableGivesTheTwoFixedEntries)
{
    start_with("");
    EXPECT_EQ(entries(), QStringList({"List All", "NONE GROUP"}));
    EXPECT_EQ(Form1->name_group->ItemIndex(), 0);
}

TEST_F(EmptyGroupsTest, AccentedNamesStandBesideTheirBaseLetters)
{
    // The engine's own order puts "Zed" before "Öz": every group must still be listed.
    const struct {
        const char* groups;
        QStringList entries;
    } cases[] = {
        {"(1, 'Zed'), (2, 'Öz')", {"List All", "NONE GROUP", "  Öz", "  Zed"}},
        {"(1, 'Zed'), (2, 'Öz'), (3, 'ábel'), (4, 'Émile'), (5, 'Abel'), (6, 'oscar')",
         {"List All", "NONE GROUP", "  Abel", "  ábel", "  Émile", "  oscar", "  Öz", "  Zed"}},
    };
    start_with("");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.groups);
        folder.sql(QString("DELETE FROM mb_group; INSERT INTO mb_group (group_id, group_name) VALUES ") +
                   c.groups + ";");
        Form1->group_list(Form1);
        EXPECT_EQ(entries(), c.entries);
    }
}

TEST_F(FixedEntryTest, AGroupNamedLikeAFixedEntryIsNeverTakenForIt)
{
    start_with("INSERT INTO mb_group (group_id, group_name) VALUES (1, 'None Group'), (2, 'list all');"
               "INSERT INTO member (userid, name, lastname, money, group_id) VALUES"
               " (1, 'Ann', 'Lee', 700, 1), (2, 'Bob', 'Ray', 40, 2), (3, 'Cy', 'Oh', 50, 0);");
    choose(1);
    EXPECT_EQ(group_id_sel, 0);
    EXPECT_EQ(Form1->group_id_now->Text(), "");
    EXPECT_EQ(listed(), QStringList{"Cy Oh"});
    EXPECT_EQ(Form1->Label14->Caption(), "50.-");
    // The group itself is listed under its own entry.
    choose(3);
    EXPECT_EQ(Form1->name_group->Text(), "  None Group");
    EXPECT_EQ(listed(), QStringList{"Ann Lee"});
    EXPECT_EQ(Form1->Label14->Caption(), "700.-");
}

TEST_F(GroupFilterTest, EntriesFollowTheNameOrderWithTwoLeadingBlanks)
{
    EXPECT_EQ(entries(), QStringList({"List All", "NONE GROUP", "  Bride", "  Family", "  Work"}));
    EXPECT_EQ(Form1->name_group->ItemIndex(), 0);
}

TEST_F(GroupFilterTest, ChoicesLookTheGroupUpAndNarrowTheList)
{
    choose(3);
    expect_key(1, "1");
    EXPECT_EQ(listed(), QStringList{"Ann Lee"});

    // "List All" keeps the key of the last look-up.
    choose(0);
    expect_key(1, "1");
    EXPECT_EQ(listed().size(), 4);

    choose(1);
    expect_key(0, "");
    EXPECT_EQ(listed(), QStringList{"Cy Oh"});

    choose(4);
    choose(4);
    expect_key(3, "3");
    EXPECT_EQ(listed(), QStringList{"Di Ho"});
}

TEST_F(GroupFilterTest, KeyboardChangesKeepKeyAndSelectionInStep)
{
    choose(2);
    expect_key(2, "2");
    QTest::keyClick(Form1->name_group->Handle(), Qt::Key_Down);
    pump();
    ASSERT_EQ(Form1->name_group->ItemIndex(), 3);
    expect_key(1, "1");
    EXPECT_EQ(listed(), QStringList{"Ann Lee"});

    // The delete now removes the group its question names.
    dialogs.confirmAnswers = {true};
    Form1->group_deleteClick(Form1);
    EXPECT_EQ(dialogs.texts(), QStringList{"Group Name Delete: \r\r\"Family\" from the system?"});
    EXPECT_EQ(rows("SELECT group_id, group_name FROM mb_group ORDER BY group_id"),
              QStringList({"2|Bride", "3|Work"}));
}

} // namespace
