// The statistics report over 1,000 guests (about 25 sheets): the figures, the header row, the
// report project laid out and written as one PDF file.
#include "app/KRV.h"
#include "app/Unit1.h"
#include "guest_seed.h"
#include "report/rave.h"
#include "support/program_fixture.h"
#include "system/sysutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

int main()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    test_application();
    constexpr int kGuests = 1000;
    ProgramFolder folder;
    folder.sql(seed(kGuests));
    start_program(folder);

    const QString pdf = folder.file("statistics.pdf");
    Form1->RvSystem1->DefaultDest = rdFile;
    Form1->RvSystem1->OutputFileName = pdf;
    QElapsedTimer clock;
    clock.start();
    Form1->Button8Click(Form1->Image5);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (QFileInfo(pdf).size() == 0) {
        std::fprintf(stderr, "no report was written\n");
        return 1;
    }
    std::printf("statistics_1000_guests_pdf_s: %.2f\n", seconds);
    destroy_windows();
    return 0;
}
