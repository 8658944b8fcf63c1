// The client-side order of the fetched rows.
#include "data/case_fold.h"
#include "data/dataset.h"
#include "data/datasource.h"

#include <QStringList>
#include <algorithm>

namespace {

// NULL, then numbers, then texts, then blobs, as the engine orders them.
int Rank(const QVariant& v)
{
    if (v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Double:
        return 1;
    case QMetaType::QString:
        return 2;
    default:
        return 3;
    }
}

int CompareValues(const QVariant& a, const QVariant& b)
{
    const int ra = Rank(a), rb = Rank(b);
    if (ra != rb || ra == 0)
        return ra - rb;
    if (ra == 1) {
        if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong)
            return a.toLongLong() < b.toLongLong() ? -1 : a.toLongLong() > b.toLongLong();
        return a.toDouble() < b.toDouble() ? -1 : a.toDouble() > b.toDouble();
    }
    if (ra == 2)
        return CompareFolded(a.toString(), b.toString());
    return a.toByteArray().compare(b.toByteArray());
}

QString Unquoted(QString name)
{
    if (name.size() >= 2 &&
        ((name.front() == '[' && name.back() == ']') || (name.front() == '"' && name.back() == '"')))
        return name.mid(1, name.size() - 2);
    return name;
}

} // namespace

void TDataSet::SetSort(const QString& order)
{
    CheckActive();
    CheckBrowseMode();
    struct Key {
        int field;
        bool descending;
    };
    std::vector<Key> keys;
    for (QString part : order.split(',', Qt::SkipEmptyParts)) {
        part = part.trimmed();
        bool descending = false;
        for (const char* dir : {" ASC", " DESC"})
            if (part.endsWith(QLatin1String(dir), Qt::CaseInsensitive)) {
                descending = dir[1] == 'D';
                part.chop(qsizetype(strlen(dir)));
            }
        keys.push_back({FieldByName(Unquoted(part.trimmed()))->Index(), descending});
    }
    const long long current = current_ >= 0 ? rows_[current_].seq : -1;
    // Ties keep the fetched order, so the same order always gives the same rows.
    std::sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        for (const Key& k : keys)
            if (const int c = CompareValues(a.values[k.field], b.values[k.field]))
                return k.descending ? c > 0 : c < 0;
        return a.seq < b.seq;
    });
    current_ = int(std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.seq == current; }) -
                   rows_.begin());
    if (current_ == int(rows_.size()))
        current_ = -1;
    sort_ = order;
    Notify(TDataEvent::RowsChanged);
}
