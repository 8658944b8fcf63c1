#pragma once
// The program on a seeded register, with the user's choices in the file dialogs scripted.
#include "register/register_fixture.h"

#include <QFile>

class ExchangeTest : public RegisterTest {
protected:
    // The user answers the export's question about its file with Yes.
    void export_to(const QString& chosen)
    {
        dialogs.saveFiles.push_back(chosen);
        dialogs.confirmAnswers.push_back(true);
        Dispatch([] { Form1->kr_export->Click(); });
    }
    void import_from(const QString& chosen)
    {
        dialogs.openFiles.push_back(chosen);
        Dispatch([] { Form1->kr_import->Click(); });
    }
    // The register's guests in key order, as "userid|name|lastname|other_txt|email".
    static QStringList guests()
    {
        return rows("SELECT userid, name, lastname, other_txt, email FROM member ORDER BY userid");
    }
    // The texts of the boxes shown so far that asked nothing.
    QStringList messages() const
    {
        QStringList out;
        for (const RecordedBox& b : dialogs.boxes)
            if (b.icon != TMsgIcon::Question)
                out << b.text;
        return out;
    }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};
