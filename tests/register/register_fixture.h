#pragma once
// The program started on a seeded register, with reads of the database and the group filter.
#include "app/Unit1.h"
#include "data/ado.h"
#include "support/program_fixture.h"

#include <QStringList>
#include <ostream>

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

class RegisterTest : public ProgramTest {
protected:
    // Seeds the database, starts the program and forgets the boxes of the start.
    void start_with(const QString& seed)
    {
        folder.sql(seed);
        start();
        dialogs.boxes.clear();
    }

    // The rows of a statement on the program's database, fields joined by "|".
    static QStringList rows(const QString& sql)
    {
        TADOQuery q("check");
        q.SetConnection(Form1->ADOConnection1);
        q.SetSQL(sql);
        q.Open();
        QStringList out;
        for (; !q.Eof(); q.Next()) {
            QStringList fields;
            for (int i = 0; i < q.FieldCount(); ++i)
                fields << q.Fields(i)->AsString();
            out << fields.join('|');
        }
        return out;
    }

    // The guests the grid's query holds now, as "name lastname", in its order.
    static QStringList listed()
    {
        QStringList out;
        TADOQuery* q = Form1->ADOQuery1;
        for (int r = 0; r < q->RecordCount(); ++r)
            out << q->ValueAt(r, q->FieldByName("name")).toString() + " " +
                       q->ValueAt(r, q->FieldByName("lastname")).toString();
        return out;
    }

    static QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < Form1->name_group->Count(); ++i)
            out << Form1->name_group->Item(i);
        return out;
    }

    // The user picks a filter entry from the dropped-down list.
    static void choose(int index)
    {
        Form1->name_group->SetItemIndex(index);
        Dispatch([] { Form1->name_group->OnCloseUp(Form1->name_group); });
    }
};
