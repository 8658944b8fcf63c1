#pragma once
// The order of texts in the user's language, letter case ignored: for sorting rows and lists.
#include <QCollator>

// One collator per thread for the system locale.
const QCollator& TextCollator();
