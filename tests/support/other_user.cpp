#include "support/other_user.h"

#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

namespace {

const QStringList kSwitch = {"--reuid=" + QString::number(kOtherUser),
                             "--regid=" + QString::number(kOtherUser), "--clear-groups"};

} // namespace

QString other_user_unavailable()
{
    if (geteuid() != 0)
        return "switching to another user needs root";
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        return "setpriv is not installed";
    QProcess probe;
    probe.start("setpriv", kSwitch + QStringList{"true"});
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
        return "setpriv cannot switch users here: " + QString::fromLocal8Bit(probe.readAllStandardError());
    return {};
}

void start_as_other_user(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.start("setpriv", kSwitch + QStringList{program} + arguments);
}

void give_to_other_user(const QString& path)
{
    if (lchown(QFile::encodeName(path).constData(), kOtherUser, kOtherUser) != 0)
        perror("lchown");
}
