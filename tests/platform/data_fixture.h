#pragma once
// A connection on a fresh database from the shipped schema, with the guest query on it.
#include "data/ado.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

// Four guests in two groups; Dan has no money and no note.
inline const QString kGuests =
    "INSERT INTO mb_group VALUES (1, 'Family'), (2, 'Work');"
    "INSERT INTO member (userid, name, lastname, other_txt, note, email, money, group_id) VALUES"
    " (1, 'Ann', 'Lee', 'and partner', 'vegan', 'ann@x.org', 1500, 1),"
    " (2, 'bob', 'Marsh', '', 'late', NULL, 1500.5, 2),"
    " (3, 'Cleo', 'Adams', 'family', 'n', NULL, 200, 1),"
    " (4, 'Dan', 'Zorn', NULL, NULL, NULL, NULL, 0);";

class DataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        conn.SetConnectionString(kConnectionString);
        conn.Open();
        q.SetConnection(&conn);
    }
    void open(const QString& sql, const QVariantList& params = {})
    {
        q.SetSQL(sql, params);
        q.Open();
    }
    // The column's values in the present row order, read without the layer's cursor.
    QStringList column(TDataSet& ds, const QString& name)
    {
        QStringList out;
        for (int r = 0; r < ds.RecordCount(); ++r)
            out << ds.ValueAt(r, ds.FieldByName(name)).toString();
        return out;
    }

    TempDatabase db;
    TADOConnection conn{"ADOConnection1"};
    TADOQuery q{"ADOQuery1"};
};

// Runs a statement and gives the failure's message, or "" when it did not fail.
template <class F> QString FailureOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}
