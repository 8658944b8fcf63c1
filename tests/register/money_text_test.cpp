// The money text in a locale with a comma and in one with a point as thousands separator.
#include "register/money_text.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(MoneyText, ShowsTheLocaleFormatWithoutAZeroDecimalPart)
{
    struct Case {
        Currency amount;
        const char *english, *german;
    };
    const Case cases[] = {
        {Currency(0), "0", "0"},
        {Currency(500), "500", "500"},
        {Currency(12500), "12,500", "12.500"},
        {Currency(1000000), "1,000,000", "1.000.000"},
        {Currency::FromRaw(125000), "12.50", "12,50"},
        {Currency::FromRaw(12345670500), "1,234,567.05", "1.234.567,05"},
        {Currency::FromRaw(10049), "1", "1"}, // rounds to cents
        {Currency::FromRaw(99950), "10", "10"},
        {Currency(-1500), "-1,500", "-1.500"},
        {Currency(99999999999999), "99,999,999,999,999", "99.999.999.999.999"},
    };
    const std::pair<QLocale, const char * Case::*> locales[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), &Case::english},
        {QLocale(QLocale::German), &Case::german}};
    for (const auto& [locale, column] : locales) {
        QLocale::setDefault(locale);
        for (const Case& c : cases)
            EXPECT_EQ(money_text(c.amount).toStdString(), c.*column) << locale.name().toStdString();
    }
}

} // namespace
