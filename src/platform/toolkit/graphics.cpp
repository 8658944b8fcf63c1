#include "toolkit/graphics.h"

#include <QColor>
#include <QFontMetrics>
#include <cmath>

TColor ColorToRGB(TColor c)
{
    if (c >= 0)
        return c;
    switch (c & 0xFF) {
    case 5:
        return 0xFFFFFF; // window
    case 8:
        return 0x000000; // window text
    case 15:
        return 0xF0F0F0; // button face
    default:
        return 0x000000;
    }
}

QColor ToQColor(TColor c)
{
    const TColor v = ColorToRGB(c);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

static int mulDiv(int a, int b, int c)
{
    return static_cast<int>(std::lround(double(a) * b / c));
}

int TFont::Height() const
{
    return mulDiv(Size, 96, 72);
}

void TFont::SetHeight(int pixels)
{
    Size = mulDiv(pixels, 72, 96);
}

QFont TFont::ToQFont() const
{
    QFont f(Name);
    f.setPixelSize(std::max(1, Height()));
    f.setBold(Style & fsBold);
    f.setItalic(Style & fsItalic);
    f.setUnderline(Style & fsUnderline);
    f.setStrikeOut(Style & fsStrikeOut);
    return f;
}

TFont MakeFont(const QString& name, int heightPixels, TFontStyles style, TColor color)
{
    TFont f;
    f.Name = name;
    f.SetHeight(heightPixels);
    f.Style = style;
    f.Color = color;
    return f;
}

int TextWidth(const TFont& font, const QString& text)
{
    return QFontMetrics(font.ToQFont()).horizontalAdvance(text);
}
