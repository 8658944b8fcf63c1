#pragma once
// The real program started on a register of the benchmark's own, offscreen, timed until its guest
// list has been painted.
#include "support/program_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The program itself, copied into a program folder of its own with the register.
class RealProgram {
public:
    explicit RealProgram(const QString& register_sql)
    {
        folder_.sql(register_sql);
        folder_.install_program();
    }
    // Starts it and waits for its line that the list has been painted; gives the time taken, or
    // -1 when none comes for wait_ms. `while_shown` runs with the program's process id before it
    // is stopped.
    template <class F> double start(F while_shown, int wait_ms = 30000)
    {
        QProcess p;
        p.setWorkingDirectory(folder_.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("KRV_REPORT_LIST_SHOWN", "1");
        // Its single-instance record goes into a folder that goes with the benchmark.
        env.insert("XDG_RUNTIME_DIR", runtime_.path());
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        p.start(folder_.file("KRV"), {});
        double ms = -1;
        while (p.waitForReadyRead(wait_ms)) {
            if (p.readAll().contains("list shown")) {
                ms = t.nsecsElapsed() / 1e6;
                while_shown(p.processId());
                break;
            }
        }
        p.terminate();
        if (!p.waitForFinished(10000))
            p.kill();
        p.waitForFinished();
        return ms;
    }

private:
    ProgramFolder folder_;
    QTemporaryDir runtime_;
};

// A figure of the process's memory: "VmRSS" resident now, "VmHWM" the most it has been.
double memory_mb(qint64 pid, const QString& key)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    const auto m = QRegularExpression(key + R"(:\s*(\d+) kB)").match(QString(status.readAll()));
    return m.captured(1).toDouble() / 1024;
}

} // namespace
