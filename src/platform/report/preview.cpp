#include "report/preview.h"

#include "report/paint.h"

#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

static QPageSize sheetSize(const TRvSheet& s)
{
    return QPageSize(QSizeF(s.Width, s.Height), QPageSize::Inch, {}, QPageSize::ExactMatch);
}

void ShowPreview(const TRvDocument& doc, const QString& caption, const QString& jobTitle)
{
    if (doc.Sheets.empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF());
    printer.setPageSize(sheetSize(doc.Sheets.front()));
    QPrintPreviewDialog dialog(&printer);
    dialog.setObjectName("ReportPreviewWindow");
    dialog.setWindowTitle(caption);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&doc](QPrinter* target) {
        QPainter painter(target);
        for (size_t i = 0; i < doc.Sheets.size(); ++i) {
            if (i > 0) {
                target->setPageSize(sheetSize(doc.Sheets[i]));
                target->newPage();
            }
            PaintSheet(painter, doc.Sheets[i]);
        }
    });
    dialog.setWindowState(Qt::WindowMaximized);
    dialog.exec();
}
