#include "system/shared_memory.h"

#include "system/os_error.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder that only this user can write: not a link, owned by the user, no access for others.
bool OwnPrivateFolder(const QByteArray& path)
{
    struct stat st {};
    return path.startsWith('/') && lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

QByteArray ObjectPath(const QString& name)
{
    return QFile::encodeName(UserObjectFolder() + '/' + name);
}

// The folder, created private when absent, if it is a private folder of the user's own.
bool MadePrivate(const QByteArray& path)
{
    return (mkdir(path.constData(), 0700) == 0 || errno == EEXIST) && OwnPrivateFolder(path);
}

QByteArray HomeFolder()
{
    const QByteArray home = qgetenv("HOME");
    if (!home.isEmpty())
        return home;
    const passwd* pw = getpwuid(geteuid());
    return pw ? QByteArray(pw->pw_dir) : QByteArray();
}

} // namespace

QString UserObjectFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (OwnPrivateFolder(runtime))
        return QFile::decodeName(runtime);
    const QByteArray own = QFile::encodeName(QDir::tempPath()) + "/krv-" + QByteArray::number(geteuid());
    if (MadePrivate(own))
        return QFile::decodeName(own);
    // Anyone may take that name in the shared temporary folder first; no other user can make a folder
    // in the user's home. The host's name keeps machines that share a home apart.
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const QByteArray cache = HomeFolder() + "/.cache";
    const QByteArray fallback = cache + "/krv-" + host;
    if ((mkdir(cache.constData(), 0700) == 0 || errno == EEXIST) && MadePrivate(fallback))
        return QFile::decodeName(fallback);
    errno = EACCES;
    RaiseLastOSError();
}

MappingHandle CreateFileMapping(const QString& name, std::size_t size, bool& already_existed)
{
    const QByteArray path = ObjectPath(name);
    already_existed = false;
    MappingHandle h = open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (h >= 0) {
        if (ftruncate(h, static_cast<off_t>(size)) != 0) {
            const int e = errno;
            close(h);
            unlink(path.constData());
            errno = e;
            return kNoMapping;
        }
        return h;
    }
    if (errno != EEXIST)
        return kNoMapping;
    already_existed = true;
    h = open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (h >= 0 && (fstat(h, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid())) {
        close(h);
        errno = EACCES;
        return kNoMapping;
    }
    return h;
}

bool MappingStillNamed(MappingHandle handle, const QString& name)
{
    struct stat open_st {
    }, named_st{};
    return fstat(handle, &open_st) == 0 && stat(ObjectPath(name).constData(), &named_st) == 0 &&
           open_st.st_dev == named_st.st_dev && open_st.st_ino == named_st.st_ino;
}

void DeleteFileMapping(const QString& name)
{
    unlink(ObjectPath(name).constData());
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

bool LockByte(MappingHandle handle, long offset, ByteLock kind, bool wait)
{
    struct flock lock {};
    lock.l_type = kind == ByteLock::Exclusive ? F_WRLCK : kind == ByteLock::Shared ? F_RDLCK : F_UNLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    while (fcntl(handle, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) != 0) {
        if (!wait && (errno == EAGAIN || errno == EACCES))
            return false;
        if (errno != EINTR)
            RaiseLastOSError();
    }
    return true;
}
