#include "system/held_locks.h"

#include <QFile>
#include <QList>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// The file's "major:minor:inode" as /proc/locks writes it; empty when it is gone.
QByteArray LockId(const QByteArray& path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return {};
    const auto hex = [](unsigned n) { return QByteArray::number(n, 16).rightJustified(2, '0'); };
    return hex(major(st.st_dev)) + ':' + hex(minor(st.st_dev)) + ':' +
           QByteArray::number(qulonglong(st.st_ino));
}

} // namespace

std::optional<bool> ProcessHoldsLocks(std::initializer_list<QByteArray> paths)
{
    QFile proc("/proc/locks");
    if (!proc.open(QIODevice::ReadOnly))
        return std::nullopt;
    // "1: POSIX  ADVISORY  READ <pid> <major:minor:inode> <start> <end>"; a waiter's line has "->".
    QList<QByteArray> held;
    const QByteArray pid = QByteArray::number(qlonglong(getpid()));
    for (const QByteArray& line : proc.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() >= 6 && f[1] != "->" && f[4] == pid)
            held << f[5];
    }
    for (const QByteArray& path : paths) {
        const QByteArray id = LockId(path);
        if (id.isEmpty() || !held.contains(id))
            return false;
    }
    return true;
}
