#include "support/printed_date.h"

#include <QLocale>

QStringList printed_on_since(const QDate& first)
{
    QStringList lines;
    for (QDate day = first; day <= QDate::currentDate(); day = day.addDays(1))
        lines << "Printed on " + QLocale().toString(day, QLocale::LongFormat);
    return lines;
}
