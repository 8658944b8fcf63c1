// A batch print of 500 guests from the print control window: each card job loads the card
// project, adds the guest's texts, renders the card and closes the project; each card's PDF file
// is written as for the printer, and only its submission to the print server is left out.
#include "app/KRV.h"
#include "app/Unit1.h"
#include "data/ado.h"
#include "designer/print_now_control.h"
#include "report/rave.h"
#include "support/program_fixture.h"
#include "system/sysutils.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

int main()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    test_application();
    constexpr int kCards = 500;
    ProgramFolder folder;
    // The batch prints from the current guest on: one name for all keeps the first guest first.
    QString guests = "BEGIN;";
    for (int i = 1; i <= kCards; ++i)
        guests += QString("INSERT INTO member (userid, name, lastname, other_txt) "
                          "VALUES (%1, 'Guest', 'No %1', 'Table %2');")
                      .arg(i)
                      .arg(i % 40);
    folder.sql(guests + "COMMIT;");
    start_program(folder);

    int written = 0;
    TRvSystem::SubmitHook = [&](const QString& path, const QString&, QSizeF) {
        if (QFileInfo(path).size() > 0)
            ++written;
    };
    Form1->print_nowClick(Form1->print_now);
    QElapsedTimer clock;
    clock.start();
    Form6->print_start->Click();
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (written != kCards) {
        std::fprintf(stderr, "printed %d cards instead of %d\n", written, kCards);
        return 1;
    }
    std::printf("batch_500_cards_s: %.2f\n", seconds);
    TRvSystem::SubmitHook = nullptr;
    destroy_windows();
    return 0;
}
