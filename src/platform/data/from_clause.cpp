#include "data/from_clause.h"

#include <QStringList>

namespace {

struct Token {
    QString text;
    bool word = false; // identifier or keyword, quotes removed
    int depth = 0;     // parentheses around it
};

std::vector<Token> Tokenize(const QString& sql)
{
    std::vector<Token> out;
    int depth = 0;
    for (qsizetype i = 0; i < sql.size();) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            while (i < sql.size() && sql[i] != '\n')
                ++i;
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const QChar close = c == '[' ? QChar(']') : c;
            QString text;
            for (++i; i < sql.size(); ++i) {
                if (sql[i] == close) {
                    if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
                        text += close;
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += sql[i];
            }
            out.push_back({text, c != '\'', depth});
        } else if (c.isLetterOrNumber() || c == '_') {
            const qsizetype b = i;
            while (i < sql.size() && (sql[i].isLetterOrNumber() || sql[i] == '_' || sql[i] == '$'))
                ++i;
            out.push_back({sql.mid(b, i - b), true, depth});
        } else {
            if (c == ')')
                --depth;
            out.push_back({QString(c), false, depth});
            if (c == '(')
                ++depth;
            ++i;
        }
    }
    return out;
}

bool Is(const Token& t, const char* keyword)
{
    return t.word && t.text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool IsAnyOf(const Token& t, const QStringList& words)
{
    return t.word && words.contains(t.text, Qt::CaseInsensitive);
}

} // namespace

std::vector<FromTable> FromClauseTables(const QString& sql)
{
    static const QStringList end_words = {"WHERE", "GROUP",  "ORDER",  "HAVING",   "LIMIT",
                                          "UNION", "WINDOW", "EXCEPT", "INTERSECT"};
    static const QStringList join_words = {"JOIN", "INNER", "LEFT",  "RIGHT",
                                           "FULL", "OUTER", "CROSS", "NATURAL"};
    const std::vector<Token> t = Tokenize(sql);
    size_t i = 0;
    while (i < t.size() && !(t[i].depth == 0 && Is(t[i], "FROM")))
        ++i;
    std::vector<FromTable> out;
    bool expect_table = true;
    for (++i; i < t.size(); ++i) {
        const Token& k = t[i];
        if (k.depth > 0)
            continue;
        if (IsAnyOf(k, end_words) || k.text == ";")
            break;
        if (k.text == "," || IsAnyOf(k, join_words)) {
            expect_table = true;
        } else if (Is(k, "ON") || Is(k, "USING") || k.text == "(") {
            expect_table = false;
        } else if (expect_table && k.word) {
            FromTable ft{k.text, k.text};
            if (i + 2 < t.size() && t[i + 1].text == "." && t[i + 2].word) { // schema.table
                ft = {t[i + 2].text, t[i + 2].text};
                i += 2;
            }
            if (i + 1 < t.size() && Is(t[i + 1], "AS"))
                ++i;
            if (i + 1 < t.size() && t[i + 1].word && !IsAnyOf(t[i + 1], end_words) &&
                !IsAnyOf(t[i + 1], join_words) && !Is(t[i + 1], "ON") && !Is(t[i + 1], "USING"))
                ft.alias = t[++i].text;
            out.push_back(ft);
            expect_table = false;
        }
    }
    return out;
}
