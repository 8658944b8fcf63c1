#include "system/inifiles.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

constexpr qsizetype kMaxValueLength = 2047;
// No settings file comes near this; a larger file is not one, and is neither read nor written over.
constexpr off_t kMaxFileSize = 1024 * 1024;

struct Line {
    QByteArray text; // without its line end
    QByteArray eol;  // "\n", "\r\n", or empty for a last line without one
};

// What tells a file changed on disk since it was read: a replace changes the inode, an edit in place
// the size or the times.
struct Stamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{}, ctime{};

    static Stamp Of(const struct stat& st)
    {
        return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    }
    bool operator==(const Stamp& o) const
    {
        return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
               mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec &&
               ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

Stamp StampOf(const QByteArray& path)
{
    struct stat st {};
    return stat(path.constData(), &st) == 0 ? Stamp::Of(st) : Stamp{};
}

QString Fold(QByteArrayView name)
{
    return QString::fromUtf8(name.trimmed()).toCaseFolded();
}

QString KeyId(const QString& folded_section, const QString& folded_key)
{
    return folded_section + QChar('\n') + folded_key;
}

bool IsHeader(QByteArrayView trimmed)
{
    return trimmed.startsWith('[');
}

QByteArrayView Trimmed(const QByteArray& text, bool first_line)
{
    QByteArrayView t(text);
    if (first_line && t.startsWith("\xEF\xBB\xBF"))
        t = t.sliced(3);
    return t.trimmed();
}

QByteArrayView HeaderName(QByteArrayView header)
{
    const qsizetype close = header.indexOf(']');
    return header.sliced(1, (close < 0 ? header.size() : close) - 1);
}

// Root writes through permission bits; a file or folder without any write bit still counts as read-only.
bool Writable(const QByteArray& path, const struct stat& st, int mode)
{
    return access(path.constData(), mode) == 0 && (st.st_mode & 0222);
}

bool WriteAll(int fd, const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

bool Rewrite(int fd, const QByteArray& data, off_t size)
{
    return lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, data) && ftruncate(fd, size) == 0 && fsync(fd) == 0;
}

// A settings file's content: only a regular file (a FIFO would block, a device never end) and only up
// to kMaxFileSize; none otherwise.
std::optional<QByteArray> ReadSettings(int fd)
{
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileSize)
        return std::nullopt;
    QByteArray data;
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return data;
        data.append(buffer, n);
        if (data.size() > kMaxFileSize)
            return std::nullopt;
    }
}

// Writes data over the file itself, for a file that may be written in a folder that may not. The room
// for the new content is taken before any old byte is overwritten, and a write that fails all the same
// puts the old content back. A shorter content is padded with line ends to the old length before the
// file is cut, so a process ended in between leaves blank lines, never old lines after the new ones.
bool WriteInPlace(const QByteArray& target, const QByteArray& data)
{
    const int fd = open(target.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const std::optional<QByteArray> old = ReadSettings(fd);
    bool ok = old.has_value();
    if (ok) {
        QByteArray padded = data;
        if (padded.size() < old->size())
            padded.append(old->size() - padded.size(), '\n');
        const bool room = padded.size() <= old->size() ||
                          fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(padded.size())) == 0 ||
                          errno == EOPNOTSUPP;
        ok = room && Rewrite(fd, padded, static_cast<off_t>(data.size()));
        if (room && !ok)
            Rewrite(fd, *old, static_cast<off_t>(old->size()));
    }
    ok = close(fd) == 0 && ok;
    return ok;
}

QByteArray TempPrefix(const QByteArray& target)
{
    return target + ".tmp-";
}

// Temporary files that a process ended during a save left beside target: "<target>.tmp-<pid>-<n>".
void RemoveLeftovers(const QByteArray& folder, const QByteArray& target)
{
    const QString prefix = QFile::decodeName(TempPrefix(target).mid(folder.size() + 1));
    const QDir dir(QFile::decodeName(folder));
    for (const QString& name : dir.entryList({prefix + "*"}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QStringList parts = name.mid(prefix.size()).split('-');
        bool ok = false;
        const pid_t pid = parts.value(0).toInt(&ok);
        if (ok && parts.size() == 2 && pid > 0 && pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH)
            unlink(QFile::encodeName(dir.filePath(name)).constData());
    }
}

// Writes data to a new file beside path and renames it over path, so that a crash leaves the old file
// or the new one, never a mix. False, with path untouched, when anything fails.
bool ReplaceFile(const QByteArray& path, const QByteArray& data)
{
    QByteArray target = path;
    struct stat st {};
    const bool exists = stat(path.constData(), &st) == 0;
    if (exists) {
        // Replace what a symbolic link of the user's own points to, not the link; never write through
        // another user's link.
        struct stat link {};
        if (lstat(path.constData(), &link) != 0 || (S_ISLNK(link.st_mode) && link.st_uid != geteuid()))
            return false;
        if (char* real = realpath(path.constData(), nullptr)) {
            target = real;
            free(real);
        }
        if (!S_ISREG(st.st_mode) || st.st_size > kMaxFileSize || !Writable(target, st, W_OK))
            return false;
    } else if (errno != ENOENT) {
        return false;
    }
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash <= 0 ? QByteArray("/") : target.left(slash);
    struct stat fst {};
    if (stat(folder.constData(), &fst) != 0)
        return false;
    if (!Writable(folder, fst, W_OK | X_OK))
        return exists && WriteInPlace(target, data);
    RemoveLeftovers(folder, target);

    static unsigned serial = 0;
    QByteArray temp;
    int fd = -1;
    do {
        temp = TempPrefix(target) + QByteArray::number(getpid()) + "-" + QByteArray::number(serial++);
        fd = open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0)
        return false;
    if (exists) {
        if ((st.st_uid != geteuid() || st.st_gid != getegid()) && fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Keeping the owner is a courtesy; the replace goes on under ours.
        }
        fchmod(fd, st.st_mode & 07777);
    }
    bool ok = WriteAll(fd, data) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && exists) {
        // The file may have been made read-only while the new one was written.
        struct stat now {};
        ok = stat(target.constData(), &now) == 0 && Writable(target, now, W_OK);
    }
    ok = ok && rename(temp.constData(), target.constData()) == 0;
    if (!ok)
        unlink(temp.constData());
    return ok;
}

} // namespace

// One settings file as the program sees it: the disk content plus every write not yet stored.
class IniDocument {
public:
    explicit IniDocument(QByteArray path) : path_(std::move(path)) {}

    // Reads the file again when it changed on disk, unless writes of this program still wait for it.
    void Refresh()
    {
        if (!dirty_ && (!loaded_ || *loaded_ != StampOf(path_)))
            Load();
    }

    QString Read(const QString& section, const QString& key, const QString& def) const
    {
        const auto it = keys_.constFind(KeyId(section.toCaseFolded(), key.toCaseFolded()));
        if (it == keys_.cend())
            return def;
        return QString::fromUtf8(ValueOf(lines_[*it].text)).left(kMaxValueLength);
    }

    void Write(const QString& section, const QString& key, const QString& value)
    {
        const QByteArray v = value.toUtf8();
        const QString folded_section = section.toCaseFolded();
        const auto it = keys_.constFind(KeyId(folded_section, key.toCaseFolded()));
        if (it != keys_.cend()) {
            QByteArray& text = lines_[*it].text;
            if (ValueOf(text) == v)
                return;
            text = text.left(text.indexOf('=')).trimmed() + '=' + v;
        } else {
            InsertKey(folded_section, section.toUtf8(), key.toUtf8() + '=' + v);
        }
        dirty_ = true;
    }

    bool Dirty() const { return dirty_; }

    // Stores the document; when that fails it drops back to what the disk holds.
    void Flush()
    {
        QByteArray data;
        for (const Line& line : lines_)
            data += line.text + line.eol;
        dirty_ = false;
        if (ReplaceFile(path_, data))
            loaded_ = StampOf(path_);
        else
            Load();
    }

private:
    static QByteArray ValueOf(const QByteArray& text) { return text.mid(text.indexOf('=') + 1).trimmed(); }

    void Load()
    {
        lines_.clear();
        loaded_ = StampOf(path_);
        // Without blocking: a FIFO put in the file's place opens at once and is then refused.
        if (loaded_->exists) {
            const int fd = open(path_.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (fd >= 0) {
                if (const std::optional<QByteArray> data = ReadSettings(fd))
                    Split(*data);
                close(fd);
            }
        }
        Index();
    }

    void Split(const QByteArray& data)
    {
        qsizetype from = 0;
        while (from < data.size()) {
            const qsizetype nl = data.indexOf('\n', from);
            const qsizetype end = nl < 0 ? data.size() : nl;
            const bool crlf = end > from && data[end - 1] == '\r';
            lines_.push_back({data.mid(from, end - from - (crlf ? 1 : 0)),
                              nl < 0 ? QByteArray() : QByteArray(crlf ? "\r\n" : "\n")});
            from = end + 1;
        }
    }

    // The first section of a name counts, and within it the first line of a key, as the services did.
    void Index()
    {
        sections_.clear();
        keys_.clear();
        QString current;
        bool counts = false;
        for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
            const QByteArrayView t = Trimmed(lines_[i].text, i == 0);
            if (IsHeader(t)) {
                current = Fold(HeaderName(t));
                counts = !sections_.contains(current);
                if (counts)
                    sections_.insert(current, i);
            } else if (counts && t.contains('=')) {
                const QString id = KeyId(current, Fold(t.first(t.indexOf('='))));
                if (!keys_.contains(id))
                    keys_.insert(id, i);
            }
        }
    }

    QByteArray Eol() const
    {
        for (const Line& line : lines_)
            if (!line.eol.isEmpty())
                return line.eol;
        return "\n";
    }

    // A new key goes after the last line of its section that is not blank; a new section at the end,
    // after a blank line.
    void InsertKey(const QString& folded_section, const QByteArray& section, const QByteArray& line)
    {
        const QByteArray eol = Eol();
        if (!lines_.empty() && lines_.back().eol.isEmpty())
            lines_.back().eol = eol;
        const auto header = sections_.constFind(folded_section);
        if (header == sections_.cend()) {
            if (!lines_.empty() && !lines_.back().text.trimmed().isEmpty())
                lines_.push_back({QByteArray(), eol});
            lines_.push_back({'[' + section + ']', eol});
            lines_.push_back({line, eol});
        } else {
            std::size_t last = *header;
            for (std::size_t i = last + 1; i < lines_.size(); ++i) {
                const QByteArrayView t = Trimmed(lines_[i].text, false);
                if (IsHeader(t))
                    break;
                if (!t.isEmpty())
                    last = i;
            }
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last) + 1, {line, eol});
        }
        Index();
    }

    QByteArray path_;
    std::vector<Line> lines_;
    std::optional<Stamp> loaded_; // the disk state lines_ came from; none before the first read
    bool dirty_ = false;
    QHash<QString, int> sections_; // folded name -> header line
    QHash<QString, int> keys_;     // KeyId -> line
};

namespace {

IniDocument& DocumentFor(const QString& path)
{
    static std::unordered_map<QString, std::unique_ptr<IniDocument>> documents;
    const QString full =
        QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + '/' + path);
    std::unique_ptr<IniDocument>& doc = documents[full];
    if (!doc)
        doc = std::make_unique<IniDocument>(QFile::encodeName(full));
    return *doc;
}

} // namespace

TIniFile::TIniFile(const QString& path) : doc_(&DocumentFor(path))
{
    doc_->Refresh();
}

TIniFile::~TIniFile()
{
    try {
        if (doc_->Dirty())
            doc_->Flush();
    } catch (...) {
        // Settings that cannot be stored are not reported.
    }
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    return doc_->Read(section, key, def);
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    doc_->Write(section, key, value);
}
