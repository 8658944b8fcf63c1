#include "support/settings_file.h"

#include "system/inifiles.h"

QString stored_setting(const QString& ini, const QString& key)
{
    return TIniFile(ini).ReadString("Config", key, "<absent>");
}

void store_setting(const QString& ini, const QString& key, const QString& value)
{
    TIniFile(ini).WriteString("Config", key, value);
}
