#pragma once
// The guest-list file: one line per guest, each of the four texts behind its marker (a digit and a
// tab), a closing marker 5 and CR LF. Written as UTF-8; each line read as UTF-8 when it is, else as
// windows-874 (older files in the Thai code page, or such a file joined to a newer one).
#include <QByteArray>
#include <QString>
#include <vector>

struct GuestTexts {
    QString name, lastname, other_txt, email;
};

// Longer than any guest's text needs: a longer field means the file is something else.
constexpr int kGstFieldLimit = 1000;

// The file the export writes when the user chose `chosen`: in the chosen folder, the chosen name
// with every occurrence of its extension removed and ".gst" appended.
QString gst_target(const QString& chosen);

// One guest's line with its line end, untrimmed.
QByteArray gst_line(const GuestTexts& guest);

// The guests of a file's bytes, one per line, texts trimmed. A line ends at CR LF or LF, the last
// one needs no end, and an empty file is one empty line. A file that is not a guest list (bytes
// that are not text, a field over the limit) raises Exception naming `name` and the line.
std::vector<GuestTexts> gst_guests(const QByteArray& file, const QString& name);
