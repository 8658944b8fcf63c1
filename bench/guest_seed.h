#pragma once
// A register of many guests for the benchmarks, as SQL for ProgramFolder::sql.
#include <QString>

namespace {

const char* const kFirst[] = {"Anna", "Bjorn", "Carla", "Dmitri", "Elif", "Farid", "Greta", "Hiro",
                              "Ines", "Jonas", "Kavya", "Lars",   "Mira", "Nils",  "Olga",  "Pavel"};
const char* const kLast[] = {"Andersen", "Berg",   "Costa",  "Dahl",     "Eriksen",
                             "Fischer",  "Garcia", "Holm",   "Ivanova",  "Jensen",
                             "Kowalski", "Lund",   "Moreau", "Nakamura", "Olsen"};

// Guests with varied names, a table note on some, money on about half, four groups.
QString seed(int guests)
{
    QString sql = "BEGIN;INSERT INTO mb_group VALUES (1,'Family'),(2,'Friends'),(3,'Work'),(4,'Neighbours');";
    for (int i = 1; i <= guests; ++i) {
        const QString money = i % 2 ? QString::number(100 * (i % 97 + 1)) : QString("NULL");
        sql += QString("INSERT INTO member (userid,name,lastname,other_txt,note,money,group_id) VALUES "
                       "(%1,'%2','%3%4','Table %5','%6',%7,%8);")
                   .arg(i)
                   .arg(kFirst[i % 16])
                   .arg(kLast[(i / 16) % 15])
                   .arg(i / 240)
                   .arg(i % 40 + 1)
                   .arg(i % 3 ? "" : "vegetarian")
                   .arg(money)
                   .arg(i % 5);
    }
    return sql + "COMMIT;";
}

} // namespace
