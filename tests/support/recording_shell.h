#pragma once
// A shell for tests: records every open instead of handing it to the desktop.
#include "system/shell.h"

#include <QStringList>

class RecordingShell : public ShellService {
public:
    RecordingShell() { SetShell(this); }
    ~RecordingShell() override { SetShell(nullptr); }
    void Execute(const QString& verb, const QString& file, TShowCommand show) override
    {
        calls.append(QString("%1 %2 %3").arg(verb, file).arg(int(show)));
    }
    // "verb file show" for each call, oldest first.
    QStringList calls;
};
