// Child process of the single-instance tests: asks for a slot with the window and the count given
// as arguments, reports on one line, holds the slot until its input ends, then gives it back.
#include "app/CheckPrevious.h"
#include "system/sysutils.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    CheckPrevious::initialize();
    try {
        const bool refused = CheckPreviousInstance(args.value(1).toUInt(), args.value(2, "1").toInt());
        std::printf("child: refused=%d\n", refused ? 1 : 0);
    } catch (const Exception& e) {
        std::printf("child: error=%s\n", qPrintable(QString(e.Message()).replace('\n', "|")));
    }
    std::fflush(stdout);
    std::string rest;
    std::getline(std::cin, rest);
    ReleaseInstanceSlot();
}
