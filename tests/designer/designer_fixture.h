#pragma once
// The program started in a test folder, with the designer state of the unit variables reset
// (tests of one process share them) and helpers for the settings file.
#include "app/Unit1.h"
#include "support/program_fixture.h"
#include "system/inifiles.h"

#include <QFile>

class DesignerTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        using namespace Unit1;
        for (QString* s : {&ini_r_font_color, &ini_g_font_color, &ini_b_font_color, &ini_r_SD_color,
                           &ini_g_SD_color, &ini_b_SD_color, &ini_font_name, &ini_main_font_name})
            s->clear();
        font_size_now = main_font_size_now = 0;
    }
    QString ini() const { return folder.file("krv.ini"); }
    void write_ini(const QByteArray& content) const
    {
        QFile f(ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    // What the settings file holds for a key of section Config; "<absent>" when it has none.
    QString stored(const QString& key) const
    {
        const TIniFile f(ini());
        return f.ReadString("Config", key, "<absent>");
    }
};
