// Start-up: from process start to the end of the main window's first activation, offscreen, on a
// fresh program folder with one guest (median of 20); and the real program on a full register,
// from exec until its guest list has been painted (median of 10 on 10,000 guests), with its
// resident memory once 100,000 guests are listed.
#include "app/KRV.h"
#include "app/Unit1.h"
#include "guest_seed.h"
#include "real_program.h"
#include "support/program_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

long long now_us()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

// In the child: start like the program does and report the time since the parent spawned it.
int child(long long spawned_us)
{
    test_application();
    create_windows();
    Unit1::app_path = QDir::currentPath() + "/";
    Form1->Show();
    std::printf("%lld\n", now_us() - spawned_us);
    return 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double in_process_start_ms()
{
    std::vector<double> ms;
    for (int i = 0; i < 20; ++i) {
        ProgramFolder folder;
        folder.sql("INSERT INTO member (userid, name, lastname) VALUES (1, 'Ann', 'Lee');");
        QProcess p;
        p.setWorkingDirectory(folder.path());
        const long long t = now_us();
        p.start(QCoreApplication::applicationFilePath(), {"--child", QString::number(t)});
        p.waitForFinished(30000);
        ms.push_back(QString(p.readAllStandardOutput()).trimmed().toLongLong() / 1000.0);
    }
    return median(ms);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && QString(argv[1]) == "--child")
        return child(QString(argv[2]).toLongLong());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int c = 1;
    QCoreApplication app(c, argv);
    std::printf("startup_ms_median: %.1f\n", in_process_start_ms());

    {
        RealProgram program(seed(10000));
        program.start([](qint64) {}); // the first start writes the settings file and warms the caches
        std::vector<double> ms;
        for (int i = 0; i < 10; ++i)
            ms.push_back(program.start([](qint64) {}));
        std::printf("start_10k_ms: %.1f\n", median(ms));
    }
    RealProgram program(seed(100000));
    double mb = 0;
    program.start([&](qint64 pid) { mb = memory_mb(pid, "VmRSS"); });
    std::printf("rss_100k_mb: %.1f\n", mb);
    return 0;
}
