#include "exchange/gst_file.h"

#include "system/sysutils.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace {

QString marker(int k)
{
    return QString::number(k) + '\t';
}

QString decode(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder thai("windows-874");
    if (!thai.isValid())
        throw Exception("The file is not UTF-8 and windows-874 text cannot be read on this system");
    return thai(bytes);
}

} // namespace

QString gst_target(const QString& chosen)
{
    const qsizetype slash = chosen.lastIndexOf('/');
    const QString folder = chosen.left(slash + 1);
    QString name = chosen.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0)
        name.remove(name.mid(dot), Qt::CaseSensitive);
    return folder + name + ".gst";
}

QByteArray gst_line(const GuestTexts& guest)
{
    return (marker(1) + guest.name + marker(2) + guest.lastname + marker(3) + guest.other_txt + marker(4) +
            guest.email + marker(5) + "\r\n")
        .toUtf8();
}

QStringList gst_lines(QByteArray file)
{
    QStringList lines = decode(file).split('\n');
    const bool last_ended = lines.size() > 1 && lines.last().isEmpty();
    if (last_ended)
        lines.removeLast();
    const qsizetype ended = last_ended ? lines.size() : lines.size() - 1;
    for (qsizetype i = 0; i < ended; ++i)
        if (lines[i].endsWith('\r'))
            lines[i].chop(1);
    return lines;
}

// Field k runs from the first occurrence of marker k to the nearest first occurrence of another
// marker after it, so the markers may come in any order and a missing marker gives an empty field.
// Without marker 1 the name starts at the line's start: a plain list of names reads as names.
GuestTexts gst_fields(const QString& line)
{
    std::array<qsizetype, 6> at{};
    for (int k = 1; k <= 5; ++k)
        at[k] = line.indexOf(marker(k));
    auto field = [&](int k) -> QString {
        if (at[k] < 0 && k > 1)
            return {};
        const qsizetype from = at[k] < 0 ? 0 : at[k] + 2;
        qsizetype to = line.size();
        for (int j = 1; j <= 5; ++j)
            if (at[j] >= from)
                to = std::min(to, at[j]);
        return Trim(line.mid(from, to - from));
    };
    return {field(1), field(2), field(3), field(4)};
}
