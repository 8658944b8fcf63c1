// Child process of the settings file tests. "ini_writer <file> <text>" stores <text> as MainText once;
// "ini_writer <file> --loop" stores one of two long texts after the other, until it is killed, and
// says so once it has started.
#include "system/inifiles.h"

#include <QString>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (std::strcmp(argv[2], "--loop") != 0) {
        TIniFile(path).WriteString("Config", "MainText", QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    for (int i = 0;; ++i) {
        TIniFile(path).WriteString("Config", "MainText", QString(65536, i % 2 ? 'b' : 'a'));
        if (i == 1)
            std::printf("writing\n"), std::fflush(stdout);
    }
}
