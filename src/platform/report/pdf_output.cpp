#include "report/pdf_output.h"

#include "report/paint.h"
#include "system/sysutils.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

static QPageSize sheetSize(const TRvSheet& s)
{
    return QPageSize(QSizeF(s.Width, s.Height), QPageSize::Inch, {}, QPageSize::ExactMatch);
}

void WritePdf(const TRvDocument& doc, const QString& path, const QString& title,
              const std::function<void(int)>& onPage)
{
    if (doc.Sheets.empty())
        return;
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(title);
    writer.setResolution(1200);
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(sheetSize(doc.Sheets.front()));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Exception("The report could not be written to \"" + path + "\".");
    for (size_t i = 0; i < doc.Sheets.size(); ++i) {
        onPage(int(i) + 1);
        if (i > 0) {
            writer.setPageSize(sheetSize(doc.Sheets[i]));
            writer.newPage();
        }
        PaintSheet(painter, doc.Sheets[i]);
    }
    if (!painter.end())
        throw Exception("The report could not be written to \"" + path + "\".");
}
