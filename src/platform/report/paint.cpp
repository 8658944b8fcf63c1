#include "report/paint.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
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
        const double width = t.Width * dpx;
        const QFont font(ReportFont(t.Font), p.device());
        // A shrunk text keeps the baseline of its own size.
        const double baseline = t.Top * dpy + QFontMetricsF(font, p.device()).ascent();
        const QFont used = t.Fit && width > 0 ? fitted(font, t.Text, width) : font;
        const QFontMetricsF fm(used, p.device());
        const QString text = t.Elide ? fm.elidedText(t.Text, Qt::ElideRight, width) : t.Text;
        double x = t.Left * dpx;
        const double room = width - fm.horizontalAdvance(text);
        if (t.Justify == pjCenter)
            x += room / 2;
        else if (t.Justify == pjRight)
            x += room;
        // A recorded page (the preview) lays its texts out again from the line's top as it plays
        // them back, which lowers a line whose substituted glyphs (Thai) stand taller than the
        // face's own: outlines stay where they are drawn.
        if (p.paintEngine()->type() == QPaintEngine::Picture) {
            QPainterPath outline;
            outline.addText(QPointF(x, baseline), used, text);
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.fillPath(outline, ToQColor(t.Font.Color));
            p.restore();
            return;
        }
        p.setFont(used);
        p.setPen(ToQColor(t.Font.Color));
        p.drawText(QPointF(x, baseline), text);
    }

    // The font at its own size, or at the size at which the text fills the width.
    QFont fitted(QFont font, const QString& text, double width) const
    {
        for (int step = 0; step < 8; ++step) {
            const double advance = QFontMetricsF(font, p.device()).horizontalAdvance(text);
            if (advance <= width)
                break;
            font.setPointSizeF(font.pointSizeF() * width / advance * 0.999);
        }
        return font;
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
