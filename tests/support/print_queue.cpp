#include "support/print_queue.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <QtDebug>
#include <algorithm>
#include <pwd.h>
#include <set>
#include <unistd.h>

namespace {

QString run(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Where cups-pdf puts the jobs of the user running the tests. It takes the home folder from the
// account, not from $HOME, which a test runner may have pointed elsewhere.
QString cups_pdf_folder()
{
    const passwd* account = getpwuid(getuid());
    const QString home = account ? QString::fromLocal8Bit(account->pw_dir) : QDir::homePath();
    QString out = "${HOME}/PDF";
    QFile conf("/etc/cups/cups-pdf.conf");
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromLocal8Bit(conf.readAll()).split('\n'))
            if (line.startsWith("Out "))
                out = line.mid(4).trimmed();
    }
    return out.replace("${HOME}", home);
}

// What the print server did with the jobs, for a test that waited in vain.
void report_queue_state(const QString& folder)
{
    // The server, the queue and its jobs, finished ones too.
    QString state =
        "no job reached " + folder + "\n" + run("lpstat", {"-r", "-d", "-v", "-a", "-p", "-W", "all", "-o"});
    QDir logs("/var/log/cups");
    for (const QString& log : logs.entryList({"error_log", "cups-pdf*_log"}, QDir::Files))
        state += "--- " + log + "\n" + run("tail", {"-n", "20", logs.filePath(log)});
    qWarning().noquote() << state;
}

// The page size as a viewer shows it: pdfinfo's size, turned by the page's rotation.
QSizeF shown_page_size(const QString& path)
{
    const QString info = run("pdfinfo", {path});
    const auto size = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(info);
    const auto rot = QRegularExpression(R"(Page rot:\s+(\d+))").match(info);
    const QSizeF s(size.captured(1).toDouble(), size.captured(2).toDouble());
    return rot.captured(1).toInt() % 180 ? s.transposed() : s;
}

} // namespace

OwnPrintQueue::OwnPrintQueue()
    : name_(QString("KRV_Test_%1_%2").arg(getpid()).arg(QRandomGenerator::global()->generate(), 0, 36)),
      previous_printer_(qgetenv("PRINTER"))
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("bash", {KRV_SOURCE_DIR "/scripts/start_print_queue.sh", name_});
    const bool ready =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ready)
        why_ = QString::fromLocal8Bit(p.readAll()).trimmed() + " (queue " + name_ + ")";
    else
        qputenv("PRINTER", name_.toLocal8Bit());
}

OwnPrintQueue::~OwnPrintQueue()
{
    if (previous_printer_.isNull())
        qunsetenv("PRINTER");
    else
        qputenv("PRINTER", previous_printer_);
    QProcess p;
    p.start("bash", {KRV_SOURCE_DIR "/scripts/start_print_queue.sh", "--remove", name_});
    p.waitForFinished(60000);
    // cups-pdf keeps a log for each queue.
    QFile::remove("/var/log/cups/cups-pdf-" + name_ + "_log");
}

std::vector<QueuedJob> wait_for_jobs(const QString& token, size_t count)
{
    // cups-pdf ends each file name with "-job_<id>".
    static const QRegularExpression job_id(R"(-job_(\d+)\.pdf$)");
    std::vector<std::pair<long long, QueuedJob>> found;
    std::set<QString> seen;
    const QString folder = cups_pdf_folder();
    QElapsedTimer clock;
    clock.start();
    while (found.size() < count && clock.elapsed() < 90000) {
        QThread::msleep(250);
        for (QDirIterator it(folder, {"*.pdf"}, QDir::Files); it.hasNext();) {
            const QString path = it.next();
            if (seen.count(path))
                continue;
            // A file still being written reads without the token and is read again next time.
            const QString text = run("pdftotext", {"-layout", path, "-"});
            if (!text.contains(token))
                continue;
            seen.insert(path);
            found.push_back(
                {job_id.match(path).captured(1).toLongLong(), {path, text, shown_page_size(path)}});
        }
    }
    if (found.size() < count)
        report_queue_state(folder);
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QueuedJob> jobs;
    for (auto& [id, job] : found)
        jobs.push_back(job);
    return jobs;
}
