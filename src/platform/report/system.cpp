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

TRvPrintBatch::TRvPrintBatch(TRvSystem& system) : system_(system), outer_(system.spool_)
{
    system_.spool_ = this;
}

TRvPrintBatch::~TRvPrintBatch()
{
    system_.spool_ = outer_;
}

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
    const QString queue = dest == rdPrinter && !PrinterHook && !SubmitHook ? DefaultPrintQueue() : QString();
    if (!status_)
        status_ = std::make_unique<TRvStatusWindow>();
    TRvStatusWindow& status = *status_;
    status.SetCaption(TitleStatus);
    const StatusShown shown{status};
    TRvDocument doc =
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
        // The file goes when the job is submitted or dropped, after its write has ended.
        auto file = std::make_shared<QTemporaryFile>(QDir::tempPath() + "/krv-print-XXXXXX.pdf");
        if (!file->open())
            throw Exception("The print job could not be prepared in \"" + QDir::tempPath() + "\".");
        file->close();
        const QString path = file->fileName(), title = SystemPrinter.Title;
        const QSizeF paper(doc.Sheets.front().Width, doc.Sheets.front().Height);
        auto submit = [file, queue, title, paper] {
            if (SubmitHook)
                SubmitHook(file->fileName(), title, paper);
            else
                SubmitPrintJob(queue, file->fileName(), title, paper);
        };
        if (!spool_) {
            WritePdf(doc, path, title, printing);
            submit();
            break;
        }
        // The status shows each page as it is handed over: the same messages are processed then.
        for (size_t page = 1; page <= doc.Sheets.size(); ++page)
            printing(int(page));
        spool_->Add([doc = std::move(doc), path, title] { WritePdf(doc, path, title, [](int) {}); },
                    std::move(submit));
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
