// The report engine alone on the card project: 500 jobs, each opening op.rav, adding six text
// items, rendering one PDF file and closing the project.
#include "report/rave.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TRvSystem engine;
    engine.DefaultDest = rdFile;
    engine.TitleStatus = "Envelope card";
    TRvProject project;
    project.Engine = &engine;
    project.ProjectFile = KRV_PROGRAM_DIR "/op.rav";

    QElapsedTimer clock;
    clock.start();
    for (int job = 0; job < 500; ++job) {
        engine.OutputFileName = dir.filePath(QString("card%1.pdf").arg(job));
        project.Open();
        auto* page = dynamic_cast<TRavePage*>(project.FindRaveComponent("Report1.Page1", nullptr));
        page->PageWidth = 6.26;
        page->PageHeight = 4.25;
        auto* band = project.FindRaveComponent("Band1", project.FindRaveComponent("Region1", page));
        const char* bases[] = {"Text98", "Text99", "Text100", "Text110", "Text111", "Text112"};
        for (int i = 0; i < 6; ++i) {
            auto* t = new TRaveText(band);
            t->SetParent(page);
            t->Name = project.GetUniqueName(bases[i], page);
            t->FontJustify = i < 2 ? pjLeft : pjCenter;
            t->Top = 1.0 + 0.6 * (i / 2);
            t->Left = i < 2 ? 1.25 : 0;
            t->Width = i < 2 ? 1.0 : 6.26;
            t->Height = 1.0;
            t->Text = i < 2   ? QString("Invite")
                      : i < 4 ? QString("Guest %1 Lastname").arg(job)
                              : QString("Table 7");
            t->Font.Name = i < 2 ? "Verdana" : "Times New Roman";
            t->Font.Size = i < 2 ? 26 : 20;
            t->Font.Style = i < 2 ? fsBold : 0;
            t->Font.Color = i % 2 ? 0xFF00FF : 0xC0C0C0;
        }
        project.ExecuteReport("Report1");
        project.Close();
    }
    std::printf("report_500_pdf_jobs_s: %.2f\n", clock.elapsed() / 1000.0);
    return 0;
}
