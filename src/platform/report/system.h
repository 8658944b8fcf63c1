#pragma once
// The report engine's run settings: where a report goes, and the captions and texts of its
// status and preview windows and of its print jobs.
#include "report/document.h"

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

    // Generates the report and sends it to DefaultDest, showing the status window meanwhile.
    void Run(const TRaveReport& report);

private:
    std::unique_ptr<TRvStatusWindow> status_; // made at the first run, hidden between runs
};
