#pragma once
// The default print queue of the system's print server.
#include <QSizeF>
#include <QString>

// The default queue's name; raises "No printer is installed." when there is none.
QString DefaultPrintQueue();
// Hands a PDF file to the queue as one job of the given title and paper size (inches); raises
// when the queue refuses it.
void SubmitPrintJob(const QString& queue, const QString& pdfPath, const QString& title, QSizeF paperInches);
