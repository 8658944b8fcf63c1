#pragma once
// Failures and the small text and file helpers every layer and unit shares.
#include <QByteArray>
#include <QString>
#include <stdexcept>

// A failure with a message for the user; what escapes an event handler is shown
// in the default error box.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// Ends a handler silently: the default error box shows nothing for it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// A text that is not a number where one is needed.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Removes every leading and trailing character whose code is 32 or below.
QString Trim(const QString& s);
// Turns the letters A to Z into a to z; every other character stays as it is.
QString LowerCase(const QString& s);

// Decimal integer text to int; anything else raises EConvertError with
// "'<text>' is not a valid integer value".
int StrToInt(const QString& s);
// The same conversion without raising: false, value unchanged, where StrToInt would raise.
bool TryStrToInt(const QString& s, int& value);
QString IntToStr(long long v);

bool FileExists(const QString& path);
// The folder part of a path, with its trailing separator.
QString ExtractFilePath(const QString& path);
// Full path of the running executable, as the file system gives its bytes.
QByteArray ExecutableFileName();
// The same as text, for showing and for paths made from it.
QString ExecutablePath();
// Tests run the program from a folder of their own: a non-empty path stands in for the
// executable's; empty restores it.
void SetExecutablePath(const QString& path);
