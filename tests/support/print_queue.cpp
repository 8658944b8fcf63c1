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
#include <cstring>
#include <cups/cups.h>
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

// The server's record of one queue's jobs, finished ones too: one line a job with its id, title,
// state and why, and the ids.
QString queue_jobs(const QString& queue, std::vector<int>& ids)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    const QByteArray uri = "ipp://localhost/printers/" + queue.toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    // The owner sees the titles and reasons that the server hides from others.
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    static const char* const wanted[] = {
        "job-id",           "job-name",         "job-state", "job-state-reasons", "job-printer-state-message",
        "time-at-creation", "time-at-completed"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", std::size(wanted),
                  nullptr, wanted);
    cupsSetServer(nullptr);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response)
        return "the server did not list the jobs: " + QString::fromLocal8Bit(cupsLastErrorString()) + "\n";
    QString out;
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        if (ippGetGroupTag(a) != IPP_TAG_JOB || !ippGetName(a)) {
            if (!out.isEmpty() && !out.endsWith('\n'))
                out += '\n';
            continue;
        }
        char value[1024];
        ippAttributeString(a, value, sizeof value);
        if (!strcmp(ippGetName(a), "job-id"))
            ids.push_back(ippGetInteger(a, 0));
        out += QString(" %1=%2").arg(ippGetName(a), QString::fromUtf8(value));
    }
    ippDelete(response);
    return out.isEmpty() ? "none\n" : out + (out.endsWith('\n') ? "" : "\n");
}

// The lines of a log that name one of these jobs or the queue.
QString log_lines(const QString& path, const std::vector<int>& ids, const QString& queue)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
        return "(" + path + " unreadable)\n";
    QString out;
    while (!log.atEnd()) {
        const QString line = QString::fromLocal8Bit(log.readLine());
        bool ours = line.contains(queue);
        for (int id : ids)
            ours = ours || line.contains(QString("[Job %1]").arg(id)) ||
                   line.contains(QString("-job_%1.").arg(id));
        if (ours)
            out += line;
    }
    return out;
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

// What the print server did with this queue's jobs, for a test that waited in vain.
void report_missing_jobs(const QString& queue, const QString& folder, const QString& token, size_t count,
                         const std::vector<QueuedJob>& jobs)
{
    QString state =
        QString("%1 of %2 jobs with %3 reached %4\n").arg(jobs.size()).arg(count).arg(token, folder);
    for (const QueuedJob& job : jobs)
        state += "  " + job.path + "\n";
    std::vector<int> ids;
    state += "--- jobs of " + queue + ":\n" + queue_jobs(queue, ids);
    // The files of those jobs as they are now.
    for (int id : ids)
        for (QDirIterator it(folder, {QString("*-job_%1.pdf").arg(id)}, QDir::Files); it.hasNext();) {
            const QString path = it.next();
            state += QString("  %1: %2 bytes, text \"%3\"\n")
                         .arg(path)
                         .arg(QFileInfo(path).size())
                         .arg(run("pdftotext", {path, "-"}).simplified().left(200));
        }
    state += "--- server: " + run("lpstat", {"-r", "-p", queue});
    state += "--- error_log:\n" + log_lines("/var/log/cups/error_log", ids, queue);
    state += "--- cups-pdf log:\n" + log_lines("/var/log/cups/cups-pdf-" + queue + "_log", ids, queue);
    qWarning().noquote() << state;
}

} // namespace

QString print_token()
{
    return "run" + QString::number(QRandomGenerator::global()->generate());
}

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

std::vector<QueuedJob> OwnPrintQueue::wait_for_jobs(const QString& token, size_t count) const
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
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QueuedJob> jobs;
    for (auto& [id, job] : found)
        jobs.push_back(job);
    if (jobs.size() < count)
        report_missing_jobs(name_, folder, token, count, jobs);
    return jobs;
}
