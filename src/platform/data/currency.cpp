#include "data/currency.h"

#include "system/sysutils.h"

#include <cmath>
#include <limits>

Currency Currency::FromDouble(double v)
{
    return FromRaw(RawType(std::round(v * Scale)));
}

bool Currency::TryFromString(const QString& text, Currency& out)
{
    const QString t = Trim(text);
    qsizetype i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    unsigned long long whole = 0, frac = 0;
    int whole_digits = 0, frac_digits = 0;
    bool round_up = false;
    constexpr unsigned long long max_whole = std::numeric_limits<std::int64_t>::max() / Scale;
    for (; i < t.size() && t[i].isDigit(); ++i, ++whole_digits) {
        whole = whole * 10 + t[i].digitValue();
        if (whole > max_whole)
            return false;
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && t[i].isDigit(); ++i, ++frac_digits) {
            if (frac_digits < 4)
                frac = frac * 10 + t[i].digitValue();
            else if (frac_digits == 4)
                round_up = t[i].digitValue() >= 5;
        }
    }
    if (i != t.size() || whole_digits + frac_digits == 0)
        return false;
    for (int d = frac_digits; d < 4; ++d)
        frac *= 10;
    const RawType raw = RawType(whole * Scale + frac + (round_up ? 1 : 0));
    out = FromRaw(negative ? -raw : raw);
    return true;
}

Currency Currency::FromString(const QString& text)
{
    Currency c;
    if (!TryFromString(text, c))
        throw EConvertError(QString("'%1' is not a valid currency value").arg(text));
    return c;
}

QString Currency::ToString() const
{
    using Unsigned = unsigned __int128;
    const Unsigned a = raw_ < 0 ? Unsigned(0) - Unsigned(raw_) : Unsigned(raw_);
    QString s;
    for (Unsigned whole = a / Scale; s.isEmpty() || whole > 0; whole /= 10)
        s.prepend(QChar('0' + int(whole % 10)));
    if (const int frac = int(a % Scale)) {
        QString f = QString::number(frac).rightJustified(4, '0');
        while (f.endsWith('0'))
            f.chop(1);
        s += '.' + f;
    }
    return raw_ < 0 ? '-' + s : s;
}
