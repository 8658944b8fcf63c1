#include "system/shared_memory.h"

#include "system/os_error.h"

#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray ShmName(const QString& name)
{
    return "/" + name.toLocal8Bit();
}

// Where shm_open keeps its objects; lock files live beside them and vanish with them at reboot.
QByteArray LockPath(const QString& name)
{
    static const QByteArray folder = QFileInfo("/dev/shm").isDir() ? "/dev/shm/" : "/tmp/";
    return folder + name.toLocal8Bit();
}

void Flock(int fd, int operation)
{
    while (flock(fd, operation) != 0)
        if (errno != EINTR)
            RaiseLastOSError();
}

} // namespace

MappingHandle CreateFileMapping(const QString& name, std::size_t size, bool& already_existed)
{
    const QByteArray shm = ShmName(name);
    already_existed = false;
    MappingHandle h = shm_open(shm.constData(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (h >= 0) {
        if (ftruncate(h, static_cast<off_t>(size)) != 0) {
            const int e = errno;
            close(h);
            shm_unlink(shm.constData());
            errno = e;
            return kNoMapping;
        }
        return h;
    }
    if (errno != EEXIST)
        return kNoMapping;
    already_existed = true;
    return shm_open(shm.constData(), O_RDWR, 0);
}

void* MapViewOfFile(MappingHandle handle, std::size_t size)
{
    struct stat st {};
    if (fstat(handle, &st) != 0)
        return nullptr;
    if (static_cast<std::size_t>(st.st_size) < size && ftruncate(handle, static_cast<off_t>(size)) != 0)
        return nullptr;
    void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, handle, 0);
    return view == MAP_FAILED ? nullptr : view;
}

void UnmapViewOfFile(void* view, std::size_t size)
{
    munmap(view, size);
}

void CloseHandle(MappingHandle handle)
{
    close(handle);
}

NamedLock::NamedLock(const QString& name)
    : fd_(open(LockPath(name).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
{
    if (fd_ < 0)
        RaiseLastOSError();
}

NamedLock::~NamedLock()
{
    close(fd_);
}

void NamedLock::Exclusive()
{
    Flock(fd_, LOCK_EX);
}

bool NamedLock::TryExclusive()
{
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return false;
        if (errno != EINTR)
            RaiseLastOSError();
    }
    return true;
}

void NamedLock::Shared()
{
    Flock(fd_, LOCK_SH);
}

void NamedLock::Unlock()
{
    Flock(fd_, LOCK_UN);
}
