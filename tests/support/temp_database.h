#pragma once
// A temporary folder with "control.orac" made from the shipped schema; it is the current
// directory while the object lives, so the program's connection string finds the file.
#include <QString>
#include <QTemporaryDir>

inline const QString kConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=control.orac;Persist Security Info=False";

class TempDatabase {
public:
    // Rows are inserted by `seed` (SQL run right after the schema).
    explicit TempDatabase(const QString& seed = {});
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    QString dir() const { return dir_.path(); }
    QString file() const { return dir_.filePath("control.orac"); }
    // Runs statements on a connection of its own, past the data layer.
    void exec(const QString& sql) const;
    // The first column of the first row as text ("" when no row or NULL).
    QString scalar(const QString& sql) const;

private:
    QTemporaryDir dir_;
    QString previous_dir_;
};
