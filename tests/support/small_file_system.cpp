#include "support/small_file_system.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const char* const kFiller = ".filler";

} // namespace

SmallFileSystem::SmallFileSystem(int kib)
{
    if (geteuid() != 0) {
        why_ = "mounting a small file system needs root";
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0755";
    if (mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
              options.constData()) != 0)
        why_ = QString("cannot mount a tmpfs here: ") + std::strerror(errno);
}

SmallFileSystem::~SmallFileSystem()
{
    if (why_.isEmpty())
        umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

void SmallFileSystem::fill() const
{
    const int fd =
        open(QFile::encodeName(file(kFiller)).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    // Whole pages first, then the last bytes of the page that is partly taken.
    const char page[4096] = {};
    while (write(fd, page, sizeof page) == sizeof page) {
    }
    while (write(fd, page, 1) == 1) {
    }
    close(fd);
}

void SmallFileSystem::free_space() const
{
    QFile::remove(file(kFiller));
}
