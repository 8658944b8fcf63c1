#include "support/temp_database.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

namespace {

struct Db {
    explicit Db(const QString& file)
    {
        if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_busy_timeout(db, 5000);
    }
    ~Db() { sqlite3_close(db); }
    sqlite3* db = nullptr;
};

} // namespace

TempDatabase::TempDatabase(const QString& seed) : previous_dir_(QDir::currentPath())
{
    QFile schema(QString(KRV_SOURCE_DIR) + "/program/schema.sql");
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("program/schema.sql not readable");
    exec(QString::fromUtf8(schema.readAll()) + seed);
    QDir::setCurrent(dir_.path());
}

TempDatabase::~TempDatabase()
{
    QDir::setCurrent(previous_dir_);
}

void TempDatabase::exec(const QString& sql) const
{
    Db d(file());
    char* err = nullptr;
    if (sqlite3_exec(d.db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err ? err : "sqlite3_exec failed";
        sqlite3_free(err);
        throw std::runtime_error(msg);
    }
}

QString TempDatabase::scalar(const QString& sql) const
{
    Db d(file());
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(d.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(d.db));
    QString out;
    if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}
