#include "support/golden_image.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdlib>

namespace {

// A channel may differ this much (antialiasing, rounding); only this share of pixels may differ
// beyond it (a shadow moved by one pixel or recoloured changes several times as many).
constexpr int kChannelTolerance = 40;
constexpr double kDifferingShare = 0.0002;

bool close(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= kChannelTolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= kChannelTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kChannelTolerance &&
           std::abs(qAlpha(a) - qAlpha(b)) <= kChannelTolerance;
}

QString failure_path(const QString& golden, const QString& suffix)
{
    const QString dir = QCoreApplication::applicationDirPath() + "/golden_failures/";
    QDir().mkpath(dir);
    return dir + QFileInfo(golden).completeBaseName() + suffix;
}

} // namespace

::testing::AssertionResult MatchesGolden(const QImage& picture, const QString& golden)
{
    const QString path = QStringLiteral(KRV_SOURCE_DIR "/tests/") + golden;
    const QImage actual = picture.convertToFormat(QImage::Format_ARGB32);
    if (qEnvironmentVariableIntValue("KRV_REGENERATE_GOLDEN") == 1) {
        if (!actual.save(path))
            return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
        return ::testing::AssertionSuccess() << "regenerated " << path.toStdString();
    }
    const QImage expected = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const QString actual_path = failure_path(golden, ".actual.png");
    if (expected.isNull() || expected.size() != actual.size()) {
        actual.save(actual_path);
        return ::testing::AssertionFailure()
               << (expected.isNull() ? "no golden image " : "another size than ") << path.toStdString()
               << "; the actual picture is " << actual_path.toStdString();
    }
    QImage diff(actual.size(), QImage::Format_ARGB32);
    qint64 differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(diff.scanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            const bool same = close(a[x], e[x]);
            differing += !same;
            // The golden picture faded, with the differing pixels in red over it.
            const int faded = 128 + qGray(e[x]) / 2;
            d[x] = same ? qRgb(faded, faded, faded) : qRgb(255, 0, 0);
        }
    }
    const double share = double(differing) / (qint64(actual.width()) * actual.height());
    if (share <= kDifferingShare)
        return ::testing::AssertionSuccess();
    const QString diff_path = failure_path(golden, ".diff.png");
    actual.save(actual_path);
    diff.save(diff_path);
    return ::testing::AssertionFailure()
           << differing << " pixels (" << share * 100 << "%) differ from " << path.toStdString()
           << "; actual " << actual_path.toStdString() << ", diff " << diff_path.toStdString();
}

QImage RasterisePdf(const QString& pdf, int dpi)
{
    const QString root = pdf + ".page";
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-f", "1", "-l", "1", "-singlefile", "-png", pdf, root});
    p.waitForFinished(30000);
    const QImage page(root + ".png");
    QFile::remove(root + ".png");
    return page;
}
