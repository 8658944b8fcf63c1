#pragma once
// Reads and writes of one key of section "Config" in a settings file, as another program would.
#include <QString>

// "<absent>" when the file has no such key.
QString stored_setting(const QString& ini, const QString& key);
void store_setting(const QString& ini, const QString& key, const QString& value);
