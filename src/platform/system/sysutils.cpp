#include "system/sysutils.h"

#include <QFile>
#include <QFileInfo>
#include <climits>
#include <unistd.h>

QString Trim(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 32)
        ++b;
    while (e > b && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

QString LowerCase(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= 'A' && c <= 'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    return out;
}

bool TryStrToInt(const QString& s, int& value)
{
    bool ok = false;
    // Surrounding blanks are accepted, as the original conversion did. Qt's own conversion stops at a
    // NUL character and would take "1<NUL>2" for 1.
    const int v = Trim(s).toInt(&ok, 10);
    if (!ok || s.contains(QChar(0)))
        return false;
    value = v;
    return true;
}

int StrToInt(const QString& s)
{
    int v = 0;
    if (!TryStrToInt(s, v))
        throw EConvertError(QString("'%1' is not a valid integer value").arg(s));
    return v;
}

QString IntToStr(long long v)
{
    return QString::number(v);
}

bool FileExists(const QString& path)
{
    QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

QString ExtractFilePath(const QString& path)
{
    const qsizetype i = path.lastIndexOf('/');
    return i < 0 ? QString() : path.left(i + 1);
}

static QString executable_override;

void SetExecutablePath(const QString& path)
{
    executable_override = path;
}

QByteArray ExecutableFileName()
{
    if (!executable_override.isEmpty())
        return QFile::encodeName(executable_override);
    // The bytes of the path: text would lose a folder name that is not UTF-8.
    QByteArray path(PATH_MAX, '\0');
    const ssize_t n = readlink("/proc/self/exe", path.data(), static_cast<size_t>(path.size()));
    path.truncate(n > 0 ? n : 0);
    return path;
}

QString ExecutablePath()
{
    return QFile::decodeName(ExecutableFileName());
}
