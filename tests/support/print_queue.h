#pragma once
// The real print server for printing tests: scripts/start_print_queue.sh sets up a cups-pdf test
// queue, which writes each job as a PDF file.
#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <vector>

// A word unique to one test run, to find its jobs by: "run" and digits. Letters such as "ff" or "fl"
// a font may join into one glyph, which the queue's files give back as a ligature character or not at
// all, so that a random run of letters would now and then not be found.
QString print_token();

struct QueuedJob {
    QString path;
    QString text; // as pdftotext reads it
    QSizeF page;  // points, as a viewer shows the page
};

// A queue of this object's own, named in PRINTER while it lives and removed with it (the server
// stays). Test runs beside each other on one machine share no queue, so none removes or refuses
// jobs on a queue that another run still prints to.
class OwnPrintQueue {
public:
    // Starts the server where none runs (root only) and sets the queue up.
    OwnPrintQueue();
    ~OwnPrintQueue();
    OwnPrintQueue(const OwnPrintQueue&) = delete;
    OwnPrintQueue& operator=(const OwnPrintQueue&) = delete;
    // Empty when the queue is there; otherwise the script's words (the test then skips).
    QString unavailable() const { return why_; }
    QString name() const { return name_; }
    // Waits (up to 90 s) for the PDFs of the jobs whose text contains `token` (unique to one test
    // run), in the order the queue numbered them; the files stay for the caller to remove. Short of
    // `count`, says what the server did with this queue's jobs. The machine's clock is not consulted:
    // it may be set back while a test runs.
    std::vector<QueuedJob> wait_for_jobs(const QString& token, size_t count) const;

private:
    QString name_;
    QString why_;
    QByteArray previous_printer_;
};
