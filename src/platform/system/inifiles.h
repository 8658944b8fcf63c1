#pragma once
// Private-profile settings files: "[section]" header lines and "key=value" lines.
#include <QString>

class IniDocument;

// An open settings file. Every object on one path shares one document, so a read sees every write the
// program made before it, also through another object. Writes reach the file when an object is
// released, in one atomic replace and only when a value changed; a failing replace leaves the file as
// it was and goes unreported. For the GUI thread only.
class TIniFile {
public:
    explicit TIniFile(const QString& path);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    // Names compare without regard to case; a value is read up to 2047 characters; an absent key
    // (or file) reads as def.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Replaces the key's line in place, or adds the key (and its section); other lines stay as they were.
    void WriteString(const QString& section, const QString& key, const QString& value);

private:
    IniDocument* doc_;
};
