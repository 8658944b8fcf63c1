// The client-side order of the fetched rows.
#include "data/collation.h"
#include "data/dataset.h"
#include "data/datasource.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <numeric>

namespace {

// NULL, then numbers, then texts, then blobs, as the engine orders them.
enum Rank : unsigned char { kNull, kNumber, kText, kBlob };

// One row's value in a column, prepared once per sort so that comparing two rows copies nothing.
struct SortKey {
    Rank rank = kNull;
    bool integer = false;
    qint64 i = 0;
    double d = 0;
    qsizetype size = 0; // the blob's bytes
    const char* bytes = nullptr;
    quint32 text_order = 0; // place of the text in the language's order
};

struct SortColumn {
    std::vector<SortKey> keys;
    std::vector<char16_t> folded;                       // the folded texts one after another
    std::vector<std::pair<qsizetype, qsizetype>> spans; // each folded text's start and length
    std::vector<qsizetype> sizes;                       // and the length of the text it came from
    bool descending = false;
};

template <class T> int Order(T a, T b)
{
    return a < b ? -1 : a > b;
}

// Folding first lets equal texts of any letter case share one collation key.
void AppendFolded(std::vector<char16_t>& out, const QString& s)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(s.utf16());
    const char16_t* e = p + s.size();
    bool ascii = true;
    for (const char16_t* q = p; q < e; ++q)
        ascii = ascii && *q < 0x80;
    if (ascii) {
        for (; p < e; ++p)
            out.push_back(*p >= 'A' && *p <= 'Z' ? char16_t(*p | 0x20) : *p);
        return;
    }
    const QString f = s.toCaseFolded();
    const char16_t* fp = reinterpret_cast<const char16_t*>(f.utf16());
    out.insert(out.end(), fp, fp + f.size());
}

// Guest lists repeat names a lot: each distinct text gets its collation key once, and rows then
// compare numbers. Texts that the language orders alike share a place, so their rows keep the
// fetched order. On entry a text key's text_order holds its slot.
void OrderTexts(SortColumn& col)
{
    std::vector<quint32> distinct_of(col.spans.size());
    std::vector<QStringView> distinct;
    QHash<QStringView, quint32> seen;
    for (size_t i = 0; i < col.spans.size(); ++i) {
        const QStringView t(col.folded.data() + col.spans[i].first, col.spans[i].second);
        const auto it = seen.constFind(t);
        distinct_of[i] = it != seen.cend() ? *it : quint32(distinct.size());
        if (it == seen.cend()) {
            seen.insert(t, quint32(distinct.size()));
            distinct.push_back(t);
        }
    }
    const QCollator& collator = TextCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    for (const QStringView t : distinct)
        keys.push_back(collator.sortKey(t.toString()));
    std::vector<quint32> order(distinct.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<quint32> place(distinct.size());
    quint32 at = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && keys[order[i - 1]].compare(keys[order[i]]) != 0)
            ++at;
        place[order[i]] = at;
    }
    for (SortKey& k : col.keys)
        if (k.rank == kText)
            k.text_order = place[distinct_of[k.text_order]];
}

// value(r) gives row r's value in the column.
template <class Value> SortColumn KeysOf(size_t n, Value value, bool descending)
{
    SortColumn col;
    col.descending = descending;
    col.keys.resize(n);
    // Equal texts of a fetched column mostly share one string: each shared string is folded once.
    QHash<const QChar*, quint32> slot_of;
    for (size_t r = 0; r < n; ++r) {
        const QVariant& v = value(r);
        SortKey& k = col.keys[r];
        if (v.isNull())
            continue;
        switch (v.typeId()) {
        case QMetaType::LongLong:
            k.rank = kNumber;
            k.integer = true;
            k.i = *static_cast<const qint64*>(v.constData());
            k.d = double(k.i);
            break;
        case QMetaType::Double:
            k.rank = kNumber;
            k.d = *static_cast<const double*>(v.constData());
            break;
        case QMetaType::QString: {
            k.rank = kText;
            const QString& text = *static_cast<const QString*>(v.constData());
            const auto it = slot_of.constFind(text.constData());
            if (it != slot_of.cend() && col.sizes[*it] == text.size()) {
                k.text_order = *it;
                break;
            }
            k.text_order = quint32(col.spans.size());
            slot_of.insert(text.constData(), k.text_order);
            const qsizetype begin = qsizetype(col.folded.size());
            AppendFolded(col.folded, text);
            col.spans.emplace_back(begin, qsizetype(col.folded.size()) - begin);
            col.sizes.push_back(text.size());
            break;
        }
        default: {
            // The QVariant keeps the bytes alive for the whole sort.
            k.rank = kBlob;
            if (v.typeId() == QMetaType::QByteArray) {
                const auto* b = static_cast<const QByteArray*>(v.constData());
                k.bytes = b->constData();
                k.size = b->size();
            }
        }
        }
    }
    OrderTexts(col);
    return col;
}

int CompareKeys(const SortKey& a, const SortKey& b)
{
    if (a.rank != b.rank || a.rank == kNull)
        return int(a.rank) - int(b.rank);
    switch (a.rank) {
    case kNumber:
        return a.integer && b.integer ? Order(a.i, b.i) : Order(a.d, b.d);
    case kText:
        return Order(a.text_order, b.text_order);
    default:
        return QByteArrayView(a.bytes, a.size).compare(QByteArrayView(b.bytes, b.size));
    }
}

bool TextsOnly(const SortColumn& col)
{
    return std::all_of(col.keys.begin(), col.keys.end(),
                       [](const SortKey& k) { return k.rank == kNull || k.rank == kText; });
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
    SortRows(order);
    Notify(TDataEvent::RowsChanged);
}

void TDataSet::SortRows(const QString& order)
{
    std::vector<std::pair<int, bool>> fields; // index, descending
    for (QString part : order.split(',', Qt::SkipEmptyParts)) {
        part = part.trimmed();
        bool descending = false;
        for (const char* dir : {" ASC", " DESC"})
            if (part.endsWith(QLatin1String(dir), Qt::CaseInsensitive)) {
                descending = dir[1] == 'D';
                part.chop(qsizetype(strlen(dir)));
            }
        fields.emplace_back(FieldByName(Unquoted(part.trimmed()))->Index(), descending);
    }
    const size_t n = rows_.size();
    std::vector<SortColumn> columns;
    for (const auto& [field, descending] : fields) {
        const auto value = [&, field = field](size_t r) -> const QVariant& { return rows_[r].values[field]; };
        columns.push_back(KeysOf(n, value, descending));
    }
    std::vector<long long> seq(n);
    for (size_t r = 0; r < n; ++r)
        seq[r] = rows_[r].seq;

    // Ties keep the fetched order, so the same order always gives the same rows.
    std::vector<int> sorted(n);
    std::iota(sorted.begin(), sorted.end(), 0);
    if (columns.size() == 1 && TextsOnly(columns[0])) {
        // The grid's usual sort: each row's place is one number, so rows compare plain integers.
        // Places run from 0 to n + 1 (a text's order is below the count of distinct texts).
        const SortColumn& col = columns[0];
        std::vector<quint32> place(n);
        for (size_t r = 0; r < n; ++r) {
            const quint32 p = col.keys[r].rank == kNull ? 0 : col.keys[r].text_order + 1;
            place[r] = col.descending ? quint32(n + 1) - p : p;
        }
        if (std::is_sorted(seq.begin(), seq.end())) {
            // Rows still in fetched order: counting them into their places keeps ties in that order.
            std::vector<size_t> start(n + 3, 0);
            for (size_t r = 0; r < n; ++r)
                ++start[place[r] + 1];
            std::partial_sum(start.begin(), start.end(), start.begin());
            for (size_t r = 0; r < n; ++r)
                sorted[start[place[r]]++] = int(r);
        } else {
            std::sort(sorted.begin(), sorted.end(), [&](int a, int b) {
                return place[a] != place[b] ? place[a] < place[b] : seq[a] < seq[b];
            });
        }
    } else {
        std::sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            for (const SortColumn& col : columns)
                if (const int c = CompareKeys(col.keys[a], col.keys[b]))
                    return col.descending ? c > 0 : c < 0;
            return seq[a] < seq[b];
        });
    }

    std::vector<Row> rows;
    rows.reserve(n);
    int current = -1;
    for (const int r : sorted) {
        if (r == current_)
            current = int(rows.size());
        rows.push_back(std::move(rows_[r]));
    }
    rows_ = std::move(rows);
    current_ = current;
    sort_ = order;
}
