#include "system/files.h"

#include "system/held_locks.h"
#include "system/os_error.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

int OpenFile(const QString& path, int flags)
{
    const int fd = ::open(path.toLocal8Bit().constData(), flags | O_CLOEXEC, 0666);
    if (fd < 0)
        RaiseLastOSError();
    return fd;
}

// Closes the file and raises the failure that ended the operation.
[[noreturn]] void Fail(int fd)
{
    const int code = errno;
    ::close(fd);
    errno = code;
    RaiseLastOSError();
}

// Closing a descriptor of a file drops every lock the process holds on it: a file that this process
// keeps locked (its database, picked by mistake) is not opened for plain reading or writing.
void RefuseLockedFile(const QString& path)
{
    if (ProcessHoldsLocks({path.toLocal8Bit()}).value_or(false)) {
        errno = EBUSY;
        RaiseLastOSError();
    }
}

} // namespace

void RewriteFile(const QString& path)
{
    RefuseLockedFile(path);
    const int fd = OpenFile(path, O_WRONLY | O_CREAT | O_TRUNC);
    if (::close(fd) != 0)
        RaiseLastOSError();
}

void AppendToFile(const QString& path, const QByteArray& bytes)
{
    const int fd = OpenFile(path, O_WRONLY | O_APPEND);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // No part of the bytes stays behind: the file keeps whole lines only. The part written
            // is the file's end, so its start is found only here, not for every call.
            const int code = errno;
            const off_t end = ::lseek(fd, 0, SEEK_END);
            if (end >= done) [[maybe_unused]]
                const int ignored = ::ftruncate(fd, end - done);
            errno = n == 0 ? EIO : code;
            Fail(fd);
        }
        done += n;
    }
    if (::close(fd) != 0)
        RaiseLastOSError();
}

QByteArray ReadWholeFile(const QString& path)
{
    RefuseLockedFile(path);
    const int fd = OpenFile(path, O_RDONLY);
    QByteArray data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(fd);
        if (n == 0)
            break;
        data.append(buffer, n);
    }
    ::close(fd);
    return data;
}
