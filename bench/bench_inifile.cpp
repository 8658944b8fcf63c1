// Settings file costs per settings object on a 30-key file: a load that reads every key, a save
// that writes every key unchanged, and a save that changes one value (atomic replace with fsync).
#include "system/inifiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double MedianMicroseconds(int runs, const std::function<void(int)>& run)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run(i);
        times.push_back(t.nsecsElapsed() / 1000.0);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

QString Key(int i)
{
    return QString("key_%1").arg(i);
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("krv.ini");
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("[Config]\n");
        for (int i = 0; i < 30; ++i)
            f.write((Key(i) + "=value number " + QString::number(i) + "\n").toUtf8());
    }
    const double load = MedianMicroseconds(500, [&](int) {
        TIniFile ini(path);
        for (int i = 0; i < 30; ++i)
            ini.ReadString("Config", Key(i), "");
    });
    const double unchanged = MedianMicroseconds(500, [&](int) {
        TIniFile ini(path);
        for (int i = 0; i < 30; ++i)
            ini.WriteString("Config", Key(i), "value number " + QString::number(i));
    });
    const double changed = MedianMicroseconds(50, [&](int run) {
        TIniFile ini(path);
        ini.WriteString("Config", Key(0), QString::number(run));
    });
    std::printf("ini_load_30_keys_us: %.1f\n", load);
    std::printf("ini_save_unchanged_30_keys_us: %.1f\n", unchanged);
    std::printf("ini_save_changed_us: %.1f\n", changed);
    return 0;
}
