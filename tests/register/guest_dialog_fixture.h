#pragma once
// The register with the guest query moved to one guest, as the edit and money dialogs need.
#include "register_fixture.h"

class GuestDialogTest : public RegisterTest {
protected:
    // Moves the guest query to the guest with that key.
    static void go_to(int userid)
    {
        TADOQuery* q = Form1->ADOQuery1;
        for (q->First(); !q->Eof() && q->FieldByName("userid")->AsInteger() != userid;)
            q->Next();
        ASSERT_EQ(q->FieldByName("userid")->AsInteger(), userid);
    }

    // The stored columns of one guest, joined by "|".
    static QString stored(int userid, const QString& columns)
    {
        const QStringList r =
            rows("SELECT " + columns + " FROM member WHERE userid = " + QString::number(userid));
        return r.isEmpty() ? QString() : r.first();
    }
};
