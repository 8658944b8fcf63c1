// Money amounts in ten-thousandths, to and from decimal text.
#include "data/currency.h"
#include "system/sysutils.h"

#include <gtest/gtest.h>

TEST(Currency, DecimalTextBothWays)
{
    struct Case {
        const char* text;
        long long raw;
        const char* shortest;
    };
    const Case cases[] = {
        {"1500", 15000000, "1500"},
        {"1500.5", 15005000, "1500.5"},
        {"1500.50", 15005000, "1500.5"},
        {" 0.0001 ", 1, "0.0001"},
        {"-12.25", -122500, "-12.25"},
        {"+3", 30000, "3"},
        {".5", 5000, "0.5"},
        {"7.", 70000, "7"},
        {"0.00005", 1, "0.0001"},
        {"0", 0, "0"},
        {"922337203685477", 9223372036854770000, "922337203685477"},
    };
    for (const Case& c : cases) {
        const Currency v = Currency::FromString(c.text);
        EXPECT_EQ(v.Raw(), c.raw) << c.text;
        EXPECT_EQ(v.ToString(), c.shortest) << c.text;
    }
    for (const char* bad : {"", "abc", "1,5", "1.2.3", "-", "12a", "9223372036854775807"})
        EXPECT_THROW(Currency::FromString(bad), EConvertError) << bad;
}

TEST(Currency, ArithmeticAndConversions)
{
    EXPECT_EQ(Currency(1500).ToString(), "1500");
    EXPECT_EQ(Currency::FromDouble(0.1 + 0.2).ToString(), "0.3");
    EXPECT_DOUBLE_EQ(Currency::FromString("12.5").ToDouble(), 12.5);
    EXPECT_LT(Currency(2), Currency::FromString("2.0001"));
    EXPECT_EQ(Currency(1) + Currency::FromString("0.5"), Currency::FromString("1.5"));
    EXPECT_TRUE(Currency(3).IsWhole());
    EXPECT_FALSE(Currency::FromString("3.1").IsWhole());
}
