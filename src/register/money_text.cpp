#include "register/money_text.h"

#include <QLocale>
#include <cstdlib>

QString money_text(Currency amount)
{
    // Whole cents, rounded half away from zero, kept in integers so large sums stay exact.
    const std::int64_t raw = amount.Raw();
    const std::int64_t cents = (raw >= 0 ? raw + 50 : raw - 50) / 100;
    const std::int64_t whole = std::llabs(cents) / 100;
    const int fraction = int(std::llabs(cents) % 100);
    const QLocale locale;
    QString text = locale.toString(qlonglong(whole));
    // Only a zero decimal part goes, found by the locale's own decimal separator, so a point
    // used as thousands separator is never touched.
    if (fraction != 0)
        text += locale.decimalPoint() + locale.toString(fraction).rightJustified(2, locale.zeroDigit().at(0));
    return cents < 0 ? locale.negativeSign() + text : text;
}
