#pragma once
// Text comparison that ignores letter case for every Unicode letter.
#include <QStringView>

struct sqlite3;

// <0, 0, >0 as a and b compare after case folding.
int CompareFolded(QStringView a, QStringView b);

// Replaces the engine's NOCASE collation and like() (2 and 3 arguments) on this connection.
void RegisterCaseFolding(sqlite3* db);
