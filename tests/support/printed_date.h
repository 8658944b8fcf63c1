#pragma once
// The date line a report prints, for tests that may run across midnight.
#include <QDate>
#include <QStringList>

// "Printed on <long date>" for every day from `first` (taken before the report ran) to today.
QStringList printed_on_since(const QDate& first);
