#include "report/system.h"

#include "report/generate.h"
#include "report/pdf_output.h"
#include "report/preview.h"
#include "report/print_queue.h"
#include "report/status_window.h"
#include "system/sysutils.h"
#include "toolkit/busy_cursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryFile>

TRvSystem::TRvSystem() = default;
TRvSystem::~TRvSystem() = default;

namespace {
// Hides the status window however the run ends.
struct StatusShown {
    TRvStatusWindow& window;
    ~StatusShown() { window.Hide(); }
};
} // namespace

void TRvSystem::Run(const TRaveReport& report)
{
    // Handlers run while messages are processed below: the run keeps the destination it began with.
    const TReportDest dest = DefaultDest;
    // A missing queue fails before any work is done.
    const QString queue = dest == rdPrinter && !PrinterHook ? DefaultPrintQueue() : QString();
    if (!status_)
        status_ = std::make_unique<TRvStatusWindow>();
    TRvStatusWindow& status = *status_;
    status.SetCaption(TitleStatus);
    const StatusShown shown{status};
    const TRvDocument doc =
        GenerateReport(report, [&](int page) { status.Show(StatusText(SystemFiler.StatusFormat, page)); });
    const auto printing = [&](int page) { status.Show(StatusText(SystemPrinter.StatusFormat, page)); };
    switch (dest) {
    case rdPreview: {
        status.Hide();
        const TUserWait browsing;
        if (PreviewHook)
            PreviewHook(doc);
        else
            ShowPreview(doc, TitlePreview, SystemPrinter.Title);
        break;
    }
    case rdPrinter: {
        if (doc.Sheets.empty())
            break;
        if (PrinterHook) {
            PrinterHook(doc);
            break;
        }
        QTemporaryFile spool(QDir::tempPath() + "/krv-print-XXXXXX.pdf");
        if (!spool.open())
            throw Exception("The print job could not be prepared in \"" + QDir::tempPath() + "\".");
        spool.close();
        WritePdf(doc, spool.fileName(), SystemPrinter.Title, printing);
        const TRvSheet& first = doc.Sheets.front();
        SubmitPrintJob(queue, spool.fileName(), SystemPrinter.Title, QSizeF(first.Width, first.Height));
        break;
    }
    case rdFile:
        WritePdf(doc, OutputFileName, SystemPrinter.Title, printing);
        break;
    }
    // Input that arrived while the sheets were painted and handed over (a Pause, say) is taken
    // before the run returns, not only when the next run shows its status.
    QCoreApplication::processEvents();
}
