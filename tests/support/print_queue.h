#pragma once
// The real print server for printing tests: scripts/start_print_queue.sh sets up a cups-pdf test
// queue, which CTest names in PRINTER and which writes each job as a PDF file.
#include <QSizeF>
#include <QString>
#include <vector>

// Starts the server and its queue; false (with the script's words) where that is not possible.
bool start_print_queue(QString& why);

struct QueuedJob {
    QString path;
    QString text; // as pdftotext reads it
    QSizeF page;  // points, as a viewer shows the page
};

// Waits (up to 90 s) for the PDFs of the jobs whose text contains `token` (unique to one test run),
// in the order the queue numbered them; the files stay for the caller to remove. The machine's clock
// is not consulted: it may be set back while a test runs.
std::vector<QueuedJob> wait_for_jobs(const QString& token, size_t count);
