#pragma once
// What a cell or a label lays out of its text: no window shows more than a few thousand
// characters of one text, and laying out a text of millions froze the window for a minute.
#include <QString>

constexpr qsizetype kShownCharacters = 4096;

// The text, or its first kShownCharacters UTF-16 units without splitting a character.
QString ShownText(const QString& text);
