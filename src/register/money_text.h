#pragma once
// How an amount of money is shown everywhere: the locale's number format with two decimals,
// a zero decimal part left out (12,500.00 shows as 12,500; 12,500.50 stays).
#include "data/currency.h"

#include <QString>

QString money_text(Currency amount);
