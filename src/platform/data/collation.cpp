#include "data/collation.h"

#include <QLocale>

const QCollator& TextCollator()
{
    thread_local const QCollator collator = [] {
        QLocale locale = QLocale::system();
        // The C locale orders by code point, which puts every accented letter after z. Without a
        // language, texts take the common order that most languages build on.
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English);
        QCollator c(locale);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}
