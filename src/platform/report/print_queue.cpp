#include "report/print_queue.h"

#include "system/sysutils.h"

#include <cups/cups.h>

QString DefaultPrintQueue()
{
    // Forget the server found for an earlier job: the environment and client settings decide anew.
    cupsSetServer(nullptr);
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        throw Exception("No printer is installed.");
    const QString name = QString::fromLocal8Bit(dest->name);
    cupsFreeDests(1, dest);
    return name;
}

void SubmitPrintJob(const QString& queue, const QString& pdfPath, const QString& title, QSizeF paperInches)
{
    const QByteArray media = "Custom." + QByteArray::number(paperInches.width(), 'f', 3) + "x" +
                             QByteArray::number(paperInches.height(), 'f', 3) + "in";
    cups_option_t* options = nullptr;
    int count = cupsAddOption("media", media.constData(), 0, &options);
    count = cupsAddOption("fit-to-page", "false", count, &options);
    const int job = cupsPrintFile(queue.toLocal8Bit().constData(), pdfPath.toLocal8Bit().constData(),
                                  title.toLocal8Bit().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw Exception("The printer \"" + queue +
                        "\" did not accept the print job: " + QString::fromLocal8Bit(cupsLastErrorString()));
}
