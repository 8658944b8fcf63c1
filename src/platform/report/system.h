#pragma once
// The report engine's run settings: where a report goes, and the captions and texts of its
// status and preview windows and of its print jobs.
#include "report/document.h"
#include "report/print_spool.h"

#include <QSizeF>
#include <functional>
#include <memory>

class TRvStatusWindow;

enum TReportDest {
    rdPreview, // the preview window, modal and maximised
    rdPrinter, // the default print queue
    rdFile     // a PDF file at OutputFileName
};

class TRvSystem {
public:
    TRvSystem();
    ~TRvSystem();
    TRvSystem(const TRvSystem&) = delete;
    TRvSystem& operator=(const TRvSystem&) = delete;

    TReportDest DefaultDest = rdPreview;
    QString OutputFileName; // for rdFile
    QString TitleStatus = "Report Status";
    QString TitlePreview = "Report Preview";
    struct {
        QString StatusFormat = "Generating page %p";
    } SystemFiler;
    struct {
        QString StatusFormat = "Printing page %p";
        QString Title = "ReportPrinter Report"; // the print job's title
    } SystemPrinter;

    // When set, a preview run hands its sheets here instead of showing the window (for tests,
    // which cannot close a modal window).
    static inline std::function<void(const TRvDocument&)> PreviewHook;
    // When set, a printer run hands its sheets here instead of the print queue (for tests of
    // what goes to the printer where no print server runs).
    static inline std::function<void(const TRvDocument&)> PrinterHook;
    // When set, a printer run that wrote its PDF file hands it here instead of to the print
    // server, in place of the submission only (for the benchmark and tests of the jobs' order).
    static inline std::function<void(const QString& pdfPath, const QString& title, QSizeF paperInches)>
        SubmitHook;

    // Generates the report and sends it to DefaultDest, showing the status window meanwhile.
    void Run(const TRaveReport& report);

private:
    friend class TRvPrintBatch;
    std::unique_ptr<TRvStatusWindow> status_; // made at the first run, hidden between runs
    TPrintSpool* spool_ = nullptr;            // the open batch's
};

// A run of print jobs, each still a job of its own: while it is open, the system's printer runs
// write their files in the background and submit them in order (the status and the user's input
// stay where they are in a run: only the writing moves). Finish before it closes to have every
// job submitted; closing waits for the writes in flight and submits nothing more.
class TRvPrintBatch : public TPrintSpool {
public:
    explicit TRvPrintBatch(TRvSystem& system);
    ~TRvPrintBatch();

private:
    TRvSystem& system_;
    TPrintSpool* outer_; // the system's batch before this one opened
};
