#pragma once
// A file system of a few pages of its own (a tmpfs, which needs root), for what a full disk does.
#include <QString>
#include <QTemporaryDir>

class SmallFileSystem {
public:
    explicit SmallFileSystem(int kib = 64);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    // Empty when mounted; otherwise why not (the test then skips).
    QString unavailable() const { return why_; }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // Takes every free byte with a file of its own; free_space() removes it again.
    void fill() const;
    void free_space() const;

private:
    QTemporaryDir dir_;
    QString why_;
};
