#include "online/email_address.h"

#include <algorithm>

bool valid_email_chars(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == '-' || c == '.' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
               (c >= 'a' && c <= 'z');
    });
}

bool is_valid_email(const QString& text)
{
    const qsizetype at = text.indexOf('@');
    if (at < 0)
        return false;
    const QString local = text.left(at);
    const QString domain = text.mid(at + 1);
    if (local.isEmpty() || domain.size() < 5)
        return false;
    const qsizetype dot = domain.indexOf('.');
    // Two characters at least after the domain's first dot.
    if (dot < 0 || dot + 1 > domain.size() - 2)
        return false;
    return valid_email_chars(local) && valid_email_chars(domain);
}
