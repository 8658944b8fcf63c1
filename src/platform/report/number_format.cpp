#include "report/number_format.h"

#include <QLocale>
#include <cmath>

QString FormatNumber(const QVariant& value, const QString& text, const TRvNumberFormat& f)
{
    if (value.isNull() || text.isEmpty())
        return f.Empty;
    // Whole numbers stay exact however large; others are rounded to the decimals asked for.
    qulonglong whole = 0;
    qlonglong fraction = 0;
    bool negative = false, ok = false;
    const qlonglong integer =
        value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int ? value.toLongLong(&ok) : 0;
    const int decimals = f.Decimals;
    if (ok) {
        negative = integer < 0;
        whole = negative ? 0 - qulonglong(integer) : qulonglong(integer);
    } else {
        const double number = QLocale::c().toDouble(value.toString(), &ok);
        if (!ok || !std::isfinite(number) || std::abs(number) >= 9e15)
            return text;
        const QString fixed = QString::number(std::abs(number), 'f', decimals);
        const qsizetype point = fixed.indexOf('.');
        whole = fixed.left(point).toULongLong();
        fraction = point < 0 ? 0 : fixed.mid(point + 1).toLongLong();
        negative = number < 0 && (whole != 0 || fraction != 0);
    }
    QLocale plain;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString out = f.Grouping ? QLocale().toString(whole) : plain.toString(whole);
    if (decimals > 0 && !(f.DropZeroDecimals && fraction == 0))
        out +=
            plain.decimalPoint() + plain.toString(fraction).rightJustified(decimals, plain.zeroDigit().at(0));
    return negative ? plain.negativeSign() + out : out;
}
