#pragma once
// A generated report: its sheets with what is drawn on each, in inches from the sheet's top-left
// corner, in drawing order. Preview, printer and PDF file all paint this same description.
#include "report/components.h"

#include <QRectF>
#include <variant>

struct TRvDrawnText {
    QString Text;
    double Left, Top, Width; // the text's top at Top; justified within Left .. Left + Width
    TPrintJustify Justify;
    TFont Font;
    bool Elide; // cut to Width with an ellipsis
    bool Fit;   // wider than Width: printed smaller, to fill Width
};

struct TRvDrawnLine {
    double X1, Y1, X2, Y2;
    double LineWidth; // points
    TColor Color;
};

struct TRvDrawnRectangle {
    QRectF Rect;
    double LineWidth; // points; 0 draws no frame
    TColor Color;
    bool Filled;
    TColor FillColor;
};

struct TRvDrawnPicture {
    QRectF Rect;
    QString FileName;
};

using TRvDrawing = std::variant<TRvDrawnText, TRvDrawnLine, TRvDrawnRectangle, TRvDrawnPicture>;

struct TRvSheet {
    double Width, Height; // inches
    std::vector<TRvDrawing> Drawings;
};

struct TRvDocument {
    std::vector<TRvSheet> Sheets;
};
