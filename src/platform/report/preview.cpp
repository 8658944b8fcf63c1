#include "report/preview.h"

#include "report/paint.h"
#include "toolkit/application.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

// The whole sheet, without margins, as the sheet is shaped (never turned).
static QPageLayout sheetLayout(const TRvSheet& s)
{
    return QPageLayout(QPageSize(QSizeF(s.Width, s.Height), QPageSize::Inch, {}, QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF());
}

void ShowPreview(const TRvDocument& doc, const QString& caption, const QString& jobTitle)
{
    if (doc.Sheets.empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    // It belongs to the main window as every dialog does: minimised, restored and stacked with it.
    QWidget* owner = Application && Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setObjectName("ReportPreviewWindow");
    dialog.setWindowTitle(caption);
    // Each paint, for the preview as for the print dialog's printer (which has its own paper size
    // and margins by then), gives every sheet its own size again.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&doc](QPrinter* target) {
        target->setFullPage(true);
        target->setPageLayout(sheetLayout(doc.Sheets.front()));
        QPainter painter(target);
        for (size_t i = 0; i < doc.Sheets.size(); ++i) {
            if (i > 0) {
                target->setPageLayout(sheetLayout(doc.Sheets[i]));
                target->newPage();
            }
            PaintSheet(painter, doc.Sheets[i]);
        }
    });
    dialog.setWindowState(Qt::WindowMaximized);
    dialog.exec();
}
