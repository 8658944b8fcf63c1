#include "data/field.h"

#include "data/dataset.h"
#include "system/sysutils.h"

#include <QLocale>
#include <cmath>

namespace {

bool IsInteger(const QVariant& v)
{
    return v.typeId() == QMetaType::LongLong;
}
bool IsReal(const QVariant& v)
{
    return v.typeId() == QMetaType::Double;
}

// The shortest text that reads back as the same double.
QString RealText(double d)
{
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

// A currency amount as the engine stores it: whole amounts as integers.
QVariant Stored(Currency c)
{
    return c.IsWhole() ? QVariant(qint64(c.Raw() / Currency::Scale)) : QVariant(c.ToDouble());
}

double TextToFloat(const QString& s)
{
    bool ok = false;
    const double d = Trim(s).toDouble(&ok);
    if (!ok)
        throw EConvertError(QString("'%1' is not a valid floating point value").arg(s));
    return d;
}

} // namespace

TField::TField(TDataSet* data_set, int index, QString name, TFieldType type)
    : data_set_(data_set), index_(index), name_(std::move(name)), type_(type)
{
}

QVariant TField::Value() const
{
    return data_set_->FieldValue(this);
}

void TField::SetValue(const QVariant& v)
{
    if (v.isNull())
        return Clear();
    if (v.metaType() == QMetaType::fromType<Currency>())
        return SetAsCurrency(v.value<Currency>());
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return SetAsFloat(v.toDouble());
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return data_set_->SetFieldValue(this, type_ == ftString ? QVariant(v.toString())
                                                                : QVariant(v.toLongLong()));
    case QMetaType::QByteArray:
        return data_set_->SetFieldValue(this, v);
    default:
        return SetAsString(v.toString());
    }
}

bool TField::IsNull() const
{
    return Value().isNull();
}

void TField::Clear()
{
    data_set_->SetFieldValue(this, QVariant());
}

QString TField::AsString() const
{
    const QVariant v = Value();
    if (v.isNull())
        return {};
    if (type_ == ftCurrency && (IsInteger(v) || IsReal(v)))
        return AsCurrency().ToString();
    if (IsReal(v))
        return RealText(v.toDouble());
    return v.toString();
}

int TField::AsInteger() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (IsInteger(v))
        return int(v.toLongLong());
    if (IsReal(v))
        return int(std::llround(v.toDouble()));
    return StrToInt(v.toString());
}

Currency TField::AsCurrency() const
{
    const QVariant v = Value();
    if (v.isNull())
        return {};
    if (IsInteger(v))
        return Currency(v.toLongLong());
    if (IsReal(v))
        return Currency::FromDouble(v.toDouble());
    return Currency::FromString(v.toString());
}

double TField::AsFloat() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (IsInteger(v) || IsReal(v))
        return v.toDouble();
    return TextToFloat(v.toString());
}

void TField::SetAsString(const QString& v)
{
    if (type_ == ftString || type_ == ftUnknown)
        data_set_->SetFieldValue(this, v);
    else if (Trim(v).isEmpty())
        Clear();
    else if (type_ == ftInteger)
        data_set_->SetFieldValue(this, qint64(StrToInt(v)));
    else if (type_ == ftCurrency)
        SetAsCurrency(Currency::FromString(v));
    else
        SetAsFloat(TextToFloat(v));
}

void TField::SetAsInteger(int v)
{
    data_set_->SetFieldValue(this, type_ == ftString ? QVariant(QString::number(v)) : QVariant(qint64(v)));
}

void TField::SetAsCurrency(Currency v)
{
    if (type_ == ftString)
        data_set_->SetFieldValue(this, v.ToString());
    else if (type_ == ftInteger)
        data_set_->SetFieldValue(this, qint64(std::llround(v.ToDouble())));
    else
        data_set_->SetFieldValue(this, Stored(v));
}

void TField::SetAsFloat(double v)
{
    if (type_ == ftString)
        data_set_->SetFieldValue(this, RealText(v));
    else if (type_ == ftInteger)
        data_set_->SetFieldValue(this, qint64(std::llround(v)));
    else if (type_ == ftCurrency)
        data_set_->SetFieldValue(this, Stored(Currency::FromDouble(v)));
    else
        data_set_->SetFieldValue(this, v);
}

QString TField::DisplayText() const
{
    QString text;
    if (OnGetText)
        OnGetText(const_cast<TField*>(this), text, true);
    else
        text = AsString();
    return text;
}
