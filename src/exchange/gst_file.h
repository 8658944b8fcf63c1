#pragma once
// The guest-list file: one line per guest, each of the four texts behind its marker (a digit and a
// tab), a closing marker 5 and CR LF. Written as UTF-8; read as UTF-8, or as windows-874 when the
// bytes are not UTF-8 (older files in the Thai code page).
#include <QByteArray>
#include <QString>
#include <QStringList>

struct GuestTexts {
    QString name, lastname, other_txt, email;
};

// The file the export writes when the user chose `chosen`: in the chosen folder, the chosen name
// with every occurrence of its extension removed and ".gst" appended.
QString gst_target(const QString& chosen);

// One guest's line with its line end, untrimmed.
QByteArray gst_line(const GuestTexts& guest);

// The file's lines: each ends at CR LF or LF, the last one needs no end, and an empty file is one
// empty line.
QStringList gst_lines(QByteArray file);

// The four texts of a line, trimmed.
GuestTexts gst_fields(const QString& line);
