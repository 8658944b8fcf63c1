#pragma once
// How a data text prints a number: in the locale's digits and separators, with a fixed count of
// decimals, optionally grouped and without a decimal part of zeros.
#include <QString>
#include <QVariant>

struct TRvNumberFormat {
    int Decimals = 0;
    bool Grouping = false;         // the locale's thousands separator
    bool DropZeroDecimals = false; // 12,500.00 prints as 12,500; 12,500.50 stays
    QString Empty;                 // printed for an empty value
};

// A value that is not a number prints as `text`, its text as the data set shows it.
QString FormatNumber(const QVariant& value, const QString& text, const TRvNumberFormat& format);
