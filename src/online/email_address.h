#pragma once
// The address check of the e-mail dialog.
#include <QString>

// True when every character is a hyphen, dot, underscore, digit or ASCII letter; true for "".
bool valid_email_chars(const QString& text);
// One at-sign with a non-empty local part before it, a domain of five characters or more
// after it whose first dot has at least two characters after it, and only the plain
// characters above on either side.
bool is_valid_email(const QString& text);
