#include "register/money_text.h"

#include <QLocale>

QString money_text(Currency amount)
{
    // Whole cents, rounded half away from zero, kept in integers so large sums stay exact.
    const Currency::RawType raw = amount.Raw();
    const Currency::RawType cents = (raw >= 0 ? raw + 50 : raw - 50) / 100;
    const Currency::RawType magnitude = cents < 0 ? -cents : cents;
    const int fraction = int(magnitude % 100);
    const QLocale locale;
    // Sums come from the database's 64-bit integers, so the whole part fits 64 bits unsigned.
    QString text = locale.toString(qulonglong(magnitude / 100));
    // Only a zero decimal part goes, found by the locale's own decimal separator, so a point
    // used as thousands separator is never touched.
    if (fraction != 0)
        text += locale.decimalPoint() + locale.toString(fraction).rightJustified(2, locale.zeroDigit().at(0));
    return cents < 0 ? locale.negativeSign() + text : text;
}
