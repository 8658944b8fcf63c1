#pragma once
// Whole-file operations that report the system's failure (see RaiseLastOSError). A file that this
// process holds locks on is refused as busy.
#include <QByteArray>
#include <QString>

// Creates the file empty, or empties it.
void RewriteFile(const QString& path);
// Adds the bytes at the end of an existing file and closes it again, so they are in the file when
// it returns. A failure leaves the file as it was before the call.
void AppendToFile(const QString& path, const QByteArray& bytes);
QByteArray ReadWholeFile(const QString& path);
