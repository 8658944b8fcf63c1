#include "support/child_reports.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <unistd.h>

ChildSanitizerReports::ChildSanitizerReports()
{
    const QString root = qEnvironmentVariable("KRV_CHILD_REPORTS");
    if (root.isEmpty())
        return;
    folder_ = root + "/" + QString::number(getpid());
    QDir().mkpath(folder_);
    // Children that run as another user write here too.
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                       QFile::WriteOther | QFile::ExeOther);
    // Only children read the changed options: this process read its own at its start.
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
        QByteArray options = qgetenv(name);
        options +=
            (options.isEmpty() ? "" : ":") + QByteArray("log_path=") + QFile::encodeName(folder_) + "/report";
        qputenv(name, options);
    }
}

void ChildSanitizerReports::OnTestEnd(const ::testing::TestInfo& test)
{
    if (folder_.isEmpty())
        return;
    const QDir dir(folder_);
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile report(dir.filePath(name));
        if (!report.open(QIODevice::ReadOnly))
            continue;
        std::fprintf(stderr, "[  CHILD   ] sanitizer report of a child process during %s.%s:\n%s\n",
                     test.test_suite_name(), test.name(), report.readAll().constData());
        report.remove();
        clean_ = false;
    }
}
