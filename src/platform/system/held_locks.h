#pragma once
// What the kernel says about this process's file locks.
#include <QByteArray>
#include <initializer_list>
#include <optional>

// Whether this process holds a record lock on every one of the files; nothing when the kernel's list
// of locks cannot be read.
std::optional<bool> ProcessHoldsLocks(std::initializer_list<QByteArray> paths);
