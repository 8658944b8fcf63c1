#include "data/case_fold.h"

#include <QList>
#include <QString>
#include <sqlite3.h>

#include <cstring>

namespace {

inline bool IsAscii(const unsigned char* s, int n)
{
    unsigned char any = 0;
    for (int i = 0; i < n; ++i)
        any |= s[i];
    return any < 0x80;
}

inline unsigned char LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c | 0x20 : c; }

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

void LikeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
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
    const auto pat = sqlite3_value_text(argv[0]);
    const auto str = sqlite3_value_text(argv[1]);
    if (!pat || !str)
        return; // NULL
    const int np = sqlite3_value_bytes(argv[0]);
    const int ns = sqlite3_value_bytes(argv[1]);
    bool match;
    if (IsAscii(pat, np) && IsAscii(str, ns) && esc < 0x80) {
        match = Like(pat, pat + np, str, str + ns, esc, LowerAscii);
    } else {
        const auto fold = [](const char* t, int n) {
            return QString::fromUtf8(t, n).toCaseFolded().toUcs4();
        };
        const auto fp = fold(reinterpret_cast<const char*>(pat), np);
        const auto fs = fold(reinterpret_cast<const char*>(str), ns);
        if (esc >= 0) {
            const char32_t e32 = char32_t(esc);
            esc = long(QString::fromUcs4(&e32, 1).toCaseFolded().toUcs4()[0]);
        }
        match = Like(fp.constData(), fp.constData() + fp.size(), fs.constData(), fs.constData() + fs.size(),
                     esc, [](char32_t c) { return c; });
    }
    sqlite3_result_int(ctx, match);
}

} // namespace

int CompareFolded(QStringView a, QStringView b)
{
    const auto ascii = [](QStringView t) {
        for (QChar c : t)
            if (c.unicode() >= 0x80)
                return false;
        return true;
    };
    if (!ascii(a) || !ascii(b))
        return a.toString().toCaseFolded().compare(b.toString().toCaseFolded());
    const qsizetype n = a.size() < b.size() ? a.size() : b.size();
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(LowerAscii(uchar(a[i].unicode()))) - int(LowerAscii(uchar(b[i].unicode())));
        if (d)
            return d;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void RegisterCaseFolding(sqlite3* db)
{
    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, Collate);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "like", 2, flags, nullptr, LikeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, LikeFunction, nullptr, nullptr);
}
