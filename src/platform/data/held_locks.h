#pragma once
// What the kernel says about this process's file locks.
#include <QByteArray>
#include <initializer_list>

// True when this process holds a record lock on every one of the files; also when the kernel's
// list of locks cannot be read, as nothing can then be told.
bool ProcessHoldsLocks(std::initializer_list<QByteArray> paths);
