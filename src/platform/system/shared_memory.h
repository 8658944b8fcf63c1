#pragma once
// Named blocks of shared memory of the current user, and the byte locks that guard them.
#include <QString>
#include <cstddef>

using MappingHandle = int;
constexpr MappingHandle kNoMapping = -1;

// The folder of this user's named objects: the session's runtime folder when it is the user's own and
// private, else a private folder of the user's own in the temporary folder, else (another user took
// that name) one in the user's home. Raises the system error when none can be had; a folder that
// another user owns or may write is never used.
QString UserObjectFolder();

// Creates this user's object `name` of `size` bytes, or opens the existing one read-write;
// `already_existed` tells which. Returns kNoMapping on failure, with errno set.
MappingHandle CreateFileMapping(const QString& name, std::size_t size, bool& already_existed);
// False once the object was removed (or replaced) since `handle` was opened.
bool MappingStillNamed(MappingHandle handle, const QString& name);
// Removes the name; processes that still have the object open keep it until they close it.
void DeleteFileMapping(const QString& name);
// Maps `size` bytes read-write. An object still shorter than that (its creator ended before sizing it) is
// first grown with zero bytes. Returns nullptr on failure, with errno set.
void* MapViewOfFile(MappingHandle handle, std::size_t size);
void UnmapViewOfFile(void* view, std::size_t size);
void CloseHandle(MappingHandle handle);

// Advisory locks on single bytes of an object, held per handle. The kernel drops them when the handle
// is closed or the process ends, however it ends, so they tell live holders from leftovers of dead ones.
enum class ByteLock { Unlocked, Shared, Exclusive };
// Sets the lock on the byte at `offset` (which may lie past the object's end). With `wait` it waits while
// another handle holds a conflicting lock; without, it returns false at once. Raises other failures.
bool LockByte(MappingHandle handle, long offset, ByteLock kind, bool wait);
