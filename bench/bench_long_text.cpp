// A register in which one guest holds a 50 MB text, as another tool may write it: the real
// program's time from its start until the guest list and the card have been painted, and its
// memory then (resident and the most it has used).
#include "guest_seed.h"
#include "real_program.h"

#include <QCoreApplication>
#include <cstdio>

int main(int, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int c = 1;
    QCoreApplication app(c, argv);
    RealProgram program(seed(50) + "UPDATE member SET lastname = lastname || ' ' || "
                                   "replace(hex(zeroblob(25000000)), '0', 'x') WHERE userid = 1;");
    double rss = 0, peak = 0;
    const double ms = program.start(
        [&](qint64 pid) {
            rss = memory_mb(pid, "VmRSS");
            peak = memory_mb(pid, "VmHWM");
        },
        300000);
    std::printf("long_text_start_ms: %.1f\n", ms);
    std::printf("long_text_rss_mb: %.1f\n", rss);
    std::printf("long_text_peak_mb: %.1f\n", peak);
    return 0;
}
