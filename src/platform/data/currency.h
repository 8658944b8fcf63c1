#pragma once
// Money amounts: fixed point in ten-thousandths, exact for every sum of entered amounts (128 bits:
// a total of many 14-digit amounts does not fit 64 bits in ten-thousandths).
#include <QString>
#include <compare>
#include <cstdint>

class Currency {
public:
    using RawType = __int128;
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    constexpr Currency(long long whole) : raw_(RawType(whole) * Scale) {}

    static constexpr Currency FromRaw(RawType raw)
    {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    // Rounded to the nearest ten-thousandth.
    static Currency FromDouble(double v);
    // Decimal text with an optional sign and up to four decimals ("1500", "-12.5", " 3.25 ");
    // anything else raises EConvertError.
    static Currency FromString(const QString& text);
    static bool TryFromString(const QString& text, Currency& out);

    constexpr RawType Raw() const { return raw_; }
    double ToDouble() const { return double(raw_) / Scale; }
    bool IsWhole() const { return raw_ % Scale == 0; }
    // Shortest decimal: 1500 -> "1500", 1500.5 -> "1500.5".
    QString ToString() const;

    constexpr auto operator<=>(const Currency&) const = default;
    constexpr Currency operator+(Currency o) const { return FromRaw(raw_ + o.raw_); }
    constexpr Currency operator-(Currency o) const { return FromRaw(raw_ - o.raw_); }
    Currency& operator+=(Currency o)
    {
        raw_ += o.raw_;
        return *this;
    }

private:
    RawType raw_ = 0;
};
