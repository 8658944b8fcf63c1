#include "exchange/gst_file.h"

#include "system/sysutils.h"

#include <QStringDecoder>
#include <array>

namespace {

// Marker k is kMarkers[k]: its digit and a tab.
const QLatin1StringView kMarkers[] = {QLatin1StringView(),      QLatin1StringView("1\t"),
                                      QLatin1StringView("2\t"), QLatin1StringView("3\t"),
                                      QLatin1StringView("4\t"), QLatin1StringView("5\t")};

// windows-874 above ASCII; 0 where the code page defines no character.
constexpr std::array<char16_t, 128> kThaiHigh = [] {
    std::array<char16_t, 128> t{};
    t[0x80 - 0x80] = 0x20AC;
    t[0x85 - 0x80] = 0x2026;
    const char16_t quotes[] = {0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014};
    for (int i = 0; i < 7; ++i)
        t[0x91 - 0x80 + i] = quotes[i];
    t[0xA0 - 0x80] = 0x00A0;
    for (int b = 0xA1; b <= 0xDA; ++b)
        t[b - 0x80] = char16_t(0x0E01 + b - 0xA1);
    for (int b = 0xDF; b <= 0xFB; ++b)
        t[b - 0x80] = char16_t(0x0E3F + b - 0xDF);
    return t;
}();

// Null when the line holds a byte that is no character in windows-874.
QString thai(QByteArrayView line)
{
    QString text(line.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : line) {
        const auto b = static_cast<unsigned char>(c);
        const char16_t u = b < 0x80 ? char16_t(b) : kThaiHigh[b - 0x80];
        if (u == 0)
            return {};
        *out++ = QChar(u);
    }
    return text;
}

class LineDecoder {
public:
    // Null when the line is neither UTF-8 nor windows-874 text. A byte-order mark is dropped.
    QString text(QByteArrayView line)
    {
        if (line.contains('\0'))
            return {};
        utf8_.resetState();
        QString text = utf8_(line);
        if (utf8_.hasError())
            return thai(line);
        return text.isNull() ? QString("") : text;
    }

private:
    QStringDecoder utf8_{QStringConverter::Utf8};
};

// Marker k is looked for after marker k - 1, so a marker in the text before marker 1 or in an
// earlier field is no marker. A missing marker gives an empty field and the search goes on after
// the last marker found; without marker 1 the name starts at the line's start.
GuestTexts fields(const QString& line)
{
    std::array<qsizetype, 6> at{};
    qsizetype from = 0;
    for (int k = 1; k <= 5; ++k) {
        at[k] = line.indexOf(kMarkers[k], from);
        if (at[k] >= 0)
            from = at[k] + 2;
    }
    auto field = [&](int k) -> QString {
        if (at[k] < 0 && k > 1)
            return {};
        const qsizetype start = at[k] < 0 ? 0 : at[k] + 2;
        qsizetype end = line.size();
        for (int j = k + 1; j <= 5 && end == line.size(); ++j)
            if (at[j] >= 0)
                end = at[j];
        return Trim(line.mid(start, end - start));
    };
    return {field(1), field(2), field(3), field(4)};
}

qsizetype characters(const QString& s)
{
    qsizetype n = s.size();
    for (const QChar c : s)
        n -= c.isLowSurrogate();
    return n;
}

bool too_long(const QString& field)
{
    return field.size() > kGstFieldLimit && characters(field) > kGstFieldLimit;
}

[[noreturn]] void refuse(const QString& name, qsizetype line, const QString& why)
{
    throw Exception(
        QString("The file \"%1\" is not a Guest list.\rLine %2 %3").arg(name, QString::number(line), why));
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
    const QString* const fields[] = {&guest.name, &guest.lastname, &guest.other_txt, &guest.email};
    QString line;
    line.reserve(guest.name.size() + guest.lastname.size() + guest.other_txt.size() + guest.email.size() +
                 12);
    for (int k = 1; k <= 4; ++k)
        line.append(kMarkers[k]).append(*fields[k - 1]);
    return line.append(kMarkers[5]).append(u"\r\n").toUtf8();
}

std::vector<GuestTexts> gst_guests(const QByteArray& file, const QString& name)
{
    std::vector<GuestTexts> guests;
    LineDecoder decoder;
    const QByteArrayView all(file);
    for (qsizetype start = 0, number = 1;; ++number) {
        const qsizetype end = all.indexOf('\n', start);
        QByteArrayView line = all.sliced(start, (end < 0 ? all.size() : end) - start);
        if (end >= 0 && line.endsWith('\r'))
            line.chop(1);
        const QString text = decoder.text(line);
        if (text.isNull())
            refuse(name, number, "holds characters that are not text.");
        GuestTexts guest = fields(text);
        for (const QString* f : {&guest.name, &guest.lastname, &guest.other_txt, &guest.email})
            if (too_long(*f))
                refuse(name, number, QString("holds a text longer than %1 characters.").arg(kGstFieldLimit));
        guests.push_back(std::move(guest));
        // A line end at the very end starts no further line.
        if (end < 0 || end + 1 == all.size())
            break;
        start = end + 1;
    }
    return guests;
}
