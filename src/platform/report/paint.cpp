#include "report/paint.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QSvgRenderer>

QFont ReportFont(const TFont& f)
{
    QFont font(f.Name);
    font.setPointSizeF(f.Size);
    font.setHintingPreference(QFont::PreferNoHinting); // exact outlines: pages are scaled, not screen pixels
    font.setBold(f.Style & fsBold);
    font.setItalic(f.Style & fsItalic);
    font.setUnderline(f.Style & fsUnderline);
    font.setStrikeOut(f.Style & fsStrikeOut);
    return font;
}

namespace {

struct Painter {
    QPainter& p;
    double dpx, dpy; // device units per inch

    QPointF at(double x, double y) const { return {x * dpx, y * dpy}; }
    QRectF rect(const QRectF& r) const { return {at(r.left(), r.top()), at(r.right(), r.bottom())}; }
    QPen pen(double points, TColor c) const { return QPen(ToQColor(c), points * dpx / 72.0); }

    void operator()(const TRvDrawnText& t) const
    {
        const QFont font(ReportFont(t.Font), p.device());
        const QFontMetricsF fm(font, p.device());
        const QString text = t.Elide ? fm.elidedText(t.Text, Qt::ElideRight, t.Width * dpx) : t.Text;
        double x = t.Left * dpx;
        const double room = t.Width * dpx - fm.horizontalAdvance(text);
        if (t.Justify == pjCenter)
            x += room / 2;
        else if (t.Justify == pjRight)
            x += room;
        p.setFont(font);
        p.setPen(ToQColor(t.Font.Color));
        p.drawText(QPointF(x, t.Top * dpy + fm.ascent()), text);
    }

    void operator()(const TRvDrawnLine& l) const
    {
        p.setPen(pen(l.LineWidth, l.Color));
        p.drawLine(at(l.X1, l.Y1), at(l.X2, l.Y2));
    }

    void operator()(const TRvDrawnRectangle& r) const
    {
        p.setPen(r.LineWidth > 0 ? pen(r.LineWidth, r.Color) : QPen(Qt::NoPen));
        p.setBrush(r.Filled ? QBrush(ToQColor(r.FillColor)) : QBrush(Qt::NoBrush));
        p.drawRect(rect(r.Rect));
        p.setBrush(Qt::NoBrush);
    }

    void operator()(const TRvDrawnPicture& pic) const
    {
        if (pic.FileName.endsWith(".svg", Qt::CaseInsensitive)) {
            QSvgRenderer svg(pic.FileName);
            if (svg.isValid())
                svg.render(&p, rect(pic.Rect));
            return;
        }
        const QImage image = QImageReader(pic.FileName).read();
        if (!image.isNull())
            p.drawImage(rect(pic.Rect), image);
    }
};

} // namespace

void PaintSheet(QPainter& painter, const TRvSheet& sheet)
{
    const Painter draw{painter, double(painter.device()->logicalDpiX()),
                       double(painter.device()->logicalDpiY())};
    painter.save();
    for (const TRvDrawing& d : sheet.Drawings)
        std::visit(draw, d);
    painter.restore();
}
