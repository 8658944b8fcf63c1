#include "data/case_fold.h"

#include <QList>
#include <QString>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cstring>
#include <memory>
#include <vector>

namespace {

inline bool IsAscii(const unsigned char* s, int n)
{
    // Eight bytes at a time: a guest's texts are mostly short ASCII.
    quint64 any = 0;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, s + i, 8);
        any |= word;
    }
    if (i + 4 <= n) {
        quint32 word;
        std::memcpy(&word, s + i, 4);
        any |= word;
        i += 4;
    }
    for (; i < n; ++i)
        any |= s[i];
    return (any & 0x8080808080808080ull) == 0;
}

inline unsigned char LowerAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c | 0x20 : c;
}

// Both pure ASCII: folding is lowering A to Z, so bytes order as folded texts do.
int CompareAscii(const unsigned char* a, int na, const unsigned char* b, int nb)
{
    const int n = na < nb ? na : nb;
    for (int i = 0; i < n; ++i) {
        const int d = int(LowerAscii(a[i])) - int(LowerAscii(b[i]));
        if (d)
            return d;
    }
    return na - nb;
}

int Collate(void*, int na, const void* pa, int nb, const void* pb)
{
    auto a = static_cast<const unsigned char*>(pa);
    auto b = static_cast<const unsigned char*>(pb);
    if (IsAscii(a, na) && IsAscii(b, nb))
        return CompareAscii(a, na, b, nb);
    return QString::fromUtf8(reinterpret_cast<const char*>(a), na)
        .toCaseFolded()
        .compare(QString::fromUtf8(reinterpret_cast<const char*>(b), nb).toCaseFolded());
}

// '%' any run, '_' one character, esc (if >= 0) makes the next pattern character literal.
// Backtracks to the last '%' only, which is enough for these two wildcards.
template <class C, class Fold>
bool Like(const C* p, const C* pe, const C* s, const C* se, long esc, Fold fold)
{
    const C* star_p = nullptr;
    const C* star_s = nullptr;
    while (s < se) {
        if (p < pe) {
            const long c = long(*p);
            if (c == esc) {
                if (p + 1 < pe && fold(p[1]) == fold(*s)) {
                    p += 2;
                    ++s;
                    continue;
                }
            } else if (c == '%') {
                while (p < pe && long(*p) == '%')
                    ++p;
                if (p == pe)
                    return true;
                star_p = p;
                star_s = s;
                continue;
            } else if (c == '_' || fold(*p) == fold(*s)) {
                ++p;
                ++s;
                continue;
            }
        }
        if (!star_p)
            return false;
        p = star_p;
        s = ++star_s;
    }
    while (p < pe && long(*p) == '%')
        ++p;
    return p == pe;
}

// A like() pattern prepared once: the engine keeps it with the statement while the pattern is a
// constant or a bound value, so a search pays for reading and folding it once, not once a row.
struct Pattern {
    enum Shape { kEqual, kContains, kOther };
    QByteArray text; // as given
    long esc = -1;
    bool ascii = false;
    Shape shape = kOther;
    QByteArray literal;  // kEqual and kContains: the text without its '%', letters lowered
    bool numeral = true; // the literal has only characters of an integer's text: digits and '-'
    QList<uint> folded;
    long folded_esc = -1;
};

bool IsWildcard(char c)
{
    return c == '%' || c == '_';
}

Pattern Prepare(const unsigned char* pat, int np, long esc)
{
    Pattern p;
    p.text = QByteArray(reinterpret_cast<const char*>(pat), np);
    p.esc = esc;
    p.ascii = IsAscii(pat, np) && esc < 0x80;
    const QByteArray& t = p.text;
    if (p.ascii && esc < 0) {
        const bool contains = np >= 2 && t.front() == '%' && t.back() == '%';
        const QByteArray inner = contains ? t.mid(1, np - 2) : t;
        if (std::none_of(inner.begin(), inner.end(), IsWildcard)) {
            p.shape = contains ? Pattern::kContains : Pattern::kEqual;
            p.literal = inner;
            for (char& c : p.literal)
                c = char(LowerAscii(uchar(c)));
            p.numeral = std::all_of(inner.begin(), inner.end(),
                                    [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
        }
    }
    p.folded = QString::fromUtf8(t).toCaseFolded().toUcs4();
    if (esc >= 0) {
        const char32_t e32 = char32_t(esc);
        p.folded_esc = long(QString::fromUcs4(&e32, 1).toCaseFolded().toUcs4()[0]);
    }
    return p;
}

// Case-insensitive search for an ASCII literal: a hit is a hit after folding too, since ASCII
// letters fold to ASCII and stay next to each other, while a miss is final only for an ASCII text.
enum class Found { kYes, kNoInAscii, kNo };

[[gnu::always_inline]] inline Found ContainsAscii(const Pattern& p, const unsigned char* s, int ns)
{
    const auto* lit = reinterpret_cast<const unsigned char*>(p.literal.constData());
    const int nl = int(p.literal.size());
    if (nl == 0)
        return Found::kYes;
    // A letter's two cases differ only in bit 0x20, and no other byte reaches a lowered letter so.
    const unsigned char first = lit[0];
    const unsigned char mask = first >= 'a' && first <= 'z' ? 0x20 : 0;
    for (int at = 0; at + nl <= ns; ++at) {
        if ((s[at] | mask) != first)
            continue;
        int i = 1;
        while (i < nl && LowerAscii(s[at + i]) == lit[i])
            ++i;
        if (i == nl)
            return Found::kYes;
    }
    return IsAscii(s, ns) ? Found::kNoInAscii : Found::kNo;
}

// The texts folded last, found by their bytes: a search reads each column for two terms, so a text
// that needs folding is folded once a row, not once a term.
const QList<uint>& Folded(const unsigned char* s, int ns)
{
    struct Entry {
        QByteArray text;
        QList<uint> folded;
    };
    thread_local std::array<Entry, 8> recent;
    thread_local size_t next = 0;
    for (const Entry& e : recent)
        if (e.text.size() == ns && std::memcmp(e.text.constData(), s, size_t(ns)) == 0)
            return e.folded;
    Entry& e = recent[next];
    next = (next + 1) % recent.size();
    e.text = QByteArray(reinterpret_cast<const char*>(s), ns);
    e.folded = QString::fromUtf8(e.text).toCaseFolded().toUcs4();
    return e.folded;
}

// Kept out of line, so the common ASCII path stays a small function.
[[gnu::noinline]] bool MatchFolded(const Pattern& p, const unsigned char* s, int ns)
{
    const QList<uint>& fs = Folded(s, ns);
    return Like(p.folded.constData(), p.folded.constData() + p.folded.size(), fs.constData(),
                fs.constData() + fs.size(), p.folded_esc, [](char32_t c) { return c; });
}

// Inlined, as are ContainsAscii and SetMatch: on the per-row path the calls themselves were a good
// part of a term's cost.
[[gnu::always_inline]] inline bool Match(const Pattern& p, const unsigned char* s, int ns)
{
    if (p.ascii) {
        switch (p.shape) {
        case Pattern::kEqual:
            if (ns != p.literal.size()) {
                if (IsAscii(s, ns))
                    return false;
                break;
            }
            [[fallthrough]]; // of equal length, equal is contained
        case Pattern::kContains: {
            const Found found = ContainsAscii(p, s, ns);
            if (found != Found::kNo)
                return found == Found::kYes;
            break;
        }
        default:
            if (IsAscii(s, ns)) {
                const auto* pat = reinterpret_cast<const unsigned char*>(p.text.constData());
                return Like(pat, pat + p.text.size(), s, s + ns, p.esc, LowerAscii);
            }
        }
    }
    return MatchFolded(p, s, ns);
}

// Counts the statement runs of the process; a keeping of patterns made in an earlier run is stale.
std::atomic<quint64> statement_runs{0};

// Patterns bound as values, kept by their call site while a statement runs: such a pattern stays
// the same until a statement runs again, and the keeping is forgotten whenever one starts (a call
// site's address may be reused by the next statement). This spares the engine's own keeping, whose
// look-up costs more, on each of the ten terms of every row. Other patterns are kept by the engine.
class BoundPatterns {
public:
    // Rows call the sites in the same order, so the site after the one found last is tried first.
    const Pattern* Find(const sqlite3_context* ctx, long esc)
    {
        const size_t i = next_ < sites_.size() ? next_ : 0;
        if (i < sites_.size() && sites_[i].ctx == ctx && sites_[i].esc == esc &&
            run_ == statement_runs.load(std::memory_order_relaxed)) {
            next_ = i + 1;
            return sites_[i].pattern.get();
        }
        return Search(ctx, esc);
    }
    const Pattern* Keep(const sqlite3_context* ctx, std::unique_ptr<Pattern> p)
    {
        std::erase_if(sites_, [&](const Site& s) { return s.ctx == ctx; });
        const long esc = p->esc;
        sites_.push_back({ctx, esc, std::move(p)});
        return sites_.back().pattern.get();
    }

private:
    struct Site {
        const sqlite3_context* ctx;
        long esc;
        std::unique_ptr<Pattern> pattern;
    };

    [[gnu::noinline]] const Pattern* Search(const sqlite3_context* ctx, long esc)
    {
        const quint64 run = statement_runs.load(std::memory_order_relaxed);
        if (run != run_) {
            sites_.clear();
            run_ = run;
        }
        for (size_t i = 0; i < sites_.size(); ++i) {
            if (sites_[i].ctx == ctx && sites_[i].esc == esc) {
                next_ = i + 1;
                return sites_[i].pattern.get();
            }
        }
        return nullptr;
    }

    std::vector<Site> sites_;
    size_t next_ = 0;
    quint64 run_ = 0;
};

// The engine's text of an integer, written here so the value is left as it is.
[[gnu::noinline]] bool MatchInteger(const Pattern& p, sqlite3_value* number)
{
    // A searched word with a letter or a blank is in no amount's text.
    if (p.shape != Pattern::kOther && !p.numeral)
        return false;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, sqlite3_value_int64(number)).ptr;
    return Match(p, reinterpret_cast<const unsigned char*>(digits), int(end - digits));
}

// The result for a text: 1 or 0, or none (NULL) when the text is NULL.
[[gnu::always_inline]] inline void SetMatch(sqlite3_context* ctx, const Pattern& p, sqlite3_value* text)
{
    bool match;
    if (sqlite3_value_type(text) == SQLITE_INTEGER) {
        match = MatchInteger(p, text);
    } else {
        const auto str = sqlite3_value_text(text);
        if (!str)
            return;
        match = Match(p, str, sqlite3_value_bytes(text));
    }
    sqlite3_result_int(ctx, match);
}

// A call whose pattern is not kept yet, or that has an escape character.
[[gnu::noinline]] void LikePreparing(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    long esc = -1;
    if (argc == 3) {
        const auto e = sqlite3_value_text(argv[2]);
        if (!e)
            return;
        const QString es = QString::fromUtf8(reinterpret_cast<const char*>(e));
        const auto ucs = es.toUcs4();
        if (ucs.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = long(ucs[0]);
    }
    auto* patterns = static_cast<BoundPatterns*>(sqlite3_user_data(ctx));
    const bool bound = sqlite3_value_frombind(argv[0]);
    const Pattern* kept =
        bound ? patterns->Find(ctx, esc) : static_cast<Pattern*>(sqlite3_get_auxdata(ctx, 0));
    std::unique_ptr<Pattern> made;
    if (!kept || kept->esc != esc) {
        const auto pat = sqlite3_value_text(argv[0]);
        if (!pat)
            return; // NULL
        made = std::make_unique<Pattern>(Prepare(pat, sqlite3_value_bytes(argv[0]), esc));
        if (bound)
            kept = patterns->Keep(ctx, std::move(made));
    }
    SetMatch(ctx, made ? *made : *kept, argv[1]);
    // The engine may free the pattern at once, so it is handed over last.
    if (made)
        sqlite3_set_auxdata(ctx, 0, made.release(), [](void* d) { delete static_cast<Pattern*>(d); });
}

// The search's ten terms call this once a row each: a bound pattern kept for the site goes
// straight to the match.
void LikeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc == 2)
        if (const Pattern* p = static_cast<BoundPatterns*>(sqlite3_user_data(ctx))->Find(ctx, -1))
            return SetMatch(ctx, *p, argv[1]);
    LikePreparing(ctx, argc, argv);
}

} // namespace

void RegisterCaseFolding(sqlite3* db)
{
    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, Collate);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    // One keeping of patterns for the connection, released with it through like() of two arguments.
    auto* patterns = new BoundPatterns;
    sqlite3_create_function_v2(db, "like", 2, flags, patterns, LikeFunction, nullptr, nullptr,
                               [](void* p) { delete static_cast<BoundPatterns*>(p); });
    sqlite3_create_function_v2(db, "like", 3, flags, patterns, LikeFunction, nullptr, nullptr, nullptr);
}

void StatementRunStarts()
{
    statement_runs.fetch_add(1, std::memory_order_relaxed);
}
