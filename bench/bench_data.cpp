// Data layer figures: opening the whole guest table and the guest list's search, at 10k and 100k guests.
#include "data/ado.h"
#include "support/temp_database.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void Seed(const TempDatabase& db, int guests)
{
    db.exec(QString(R"(
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1),
        first(k, v) AS (VALUES (0,'Anna'),(1,'Boris'),(2,'Cleo'),(3,'David'),(4,'Emil'),(5,'Franziska'),
                               (6,'Greta'),(7,'Hans'),(8,'Ida'),(9,'Jonas'),(10,'Karin'),(11,'Lukas'),
                               (12,'Marie'),(13,'Nils'),(14,'Olga'),(15,'Peter')),
        last(k, v) AS (VALUES (0,'Berger'),(1,'Huber'),(2,'Novak'),(3,'Schmid'),(4,'Keller'),(5,'Weber'),
                              (6,'Wagner'),(7,'Fischer'),(8,'Meyer'),(9,'Moser'),(10,'Koch'),(11,'Wolf'),
                              (12,'Richter'),(13,'Brunner'),(14,'Lang'),(15,'Frei'))
        INSERT INTO member (userid, name, lastname, other_txt, note, email, money, group_id)
        SELECT i, f.v, l.v || (i % 50),
               CASE i % 3 WHEN 0 THEN 'and partner' WHEN 1 THEN 'with family' ELSE '' END,
               CASE WHEN i % 4 = 0 THEN 'vegetarian menu' END,
               lower(f.v) || i || '@example.org',
               CASE WHEN i % 2 = 0 THEN (i % 20 + 1) * 50 END,
               i % 12
        FROM n JOIN first f ON f.k = i % 16 JOIN last l ON l.k = (i / 16) % 16;)")
                .arg(guests));
}

double MedianMs(TADOQuery& q, const QString& sql, const QVariantList& params, int runs)
{
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        q.SetSQL(sql, params);
        QElapsedTimer t;
        t.start();
        q.Open();
        ms.push_back(t.nsecsElapsed() / 1e6);
        q.Close();
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main()
{
    const QString search =
        "SELECT * FROM member WHERE (name like ? or lastname like ? or other_txt like ? or "
        "money like ? or note like ? or name like ? or lastname like ? or other_txt like ? or "
        "money like ? or note like ?)";
    const QString s = "an", c = "%an%";
    const QVariantList values = {s, s, s, s, s, c, c, c, c, c};
    for (const auto& [guests, label, runs] : {std::tuple{10000, "10k", 21}, std::tuple{100000, "100k", 7}}) {
        TempDatabase db;
        Seed(db, guests);
        TADOConnection conn("ADOConnection1");
        conn.SetConnectionString(kConnectionString);
        conn.Open();
        TADOQuery q("ADOQuery1");
        q.SetConnection(&conn);
        MedianMs(q, "SELECT * FROM member", {}, 2); // warm the page cache
        std::printf("open_%s_ms: %.2f\n", label, MedianMs(q, "SELECT * FROM member", {}, runs));
        std::printf("search_%s_ms: %.2f\n", label, MedianMs(q, search, values, runs));
        std::fflush(stdout);
    }
}
