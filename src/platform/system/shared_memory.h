#pragma once
// Named blocks of shared memory, and the advisory file locks that guard them.
#include <QString>
#include <cstddef>

using MappingHandle = int;
constexpr MappingHandle kNoMapping = -1;

// Creates the named object of `size` bytes, or opens the one of that name with read-write access;
// `already_existed` tells which. Returns kNoMapping on failure, with errno set.
MappingHandle CreateFileMapping(const QString& name, std::size_t size, bool& already_existed);
// Maps `size` bytes read-write. An object still shorter than that (its creator ended before
// sizing it) is first grown with zero bytes. Returns nullptr on failure, with errno set.
void* MapViewOfFile(MappingHandle handle, std::size_t size);
void UnmapViewOfFile(void* view, std::size_t size);
void CloseHandle(MappingHandle handle);

// An advisory lock on a file named `name` beside the shared-memory objects. The kernel drops it
// when the process ends, however it ends, so it tells live holders from leftovers of dead ones.
class NamedLock {
public:
    // Raises the system error when the lock file cannot be opened.
    explicit NamedLock(const QString& name);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // Waits until no one else holds the lock.
    void Exclusive();
    // False at once while anyone else holds the lock, shared or exclusive.
    bool TryExclusive();
    // Waits until no one holds the lock exclusively.
    void Shared();
    void Unlock();

private:
    int fd_;
};
