#include "toolkit/shown_text.h"

QString ShownText(const QString& text)
{
    if (text.size() <= kShownCharacters)
        return text;
    const qsizetype cut = text[kShownCharacters].isLowSurrogate() ? kShownCharacters - 1 : kShownCharacters;
    return text.left(cut);
}
