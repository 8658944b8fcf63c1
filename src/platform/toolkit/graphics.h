#pragma once
// Colours as Windows colour values (red in the low byte) and fonts by name, style and size.
#include <QFont>
#include <QString>
#include <cstdint>

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGreen = 0x008000;
// System colours: the high bit set, the low byte a system colour index.
constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);
constexpr TColor clWindow = static_cast<TColor>(0x80000005u);
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000Fu);

// A system colour becomes its current plain value; any other colour is returned unchanged.
TColor ColorToRGB(TColor c);
QColor ToQColor(TColor c);

enum class TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// Design values are in pixels at 96 dpi: Height is the character height in pixels,
// Size the point size; setting one sets the other.
struct TFont {
    QString Name = "MS Sans Serif";
    int Size = 8;
    TFontStyles Style = 0;
    TColor Color = clWindowText;

    int Height() const;         // character height in pixels, positive
    void SetHeight(int pixels); // sets Size from a pixel height
    // The same face, style and size for the window system; a missing face is substituted there.
    QFont ToQFont() const;
    bool operator==(const TFont&) const = default;
};

TFont MakeFont(const QString& name, int heightPixels, TFontStyles style = 0, TColor color = clWindowText);

// The width in pixels of a text written in a font, as the installed fonts draw it.
int TextWidth(const TFont& font, const QString& text);
