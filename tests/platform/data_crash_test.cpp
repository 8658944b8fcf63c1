// A writer killed at any moment leaves a sound file that holds every row whose Post returned.
#include "support/temp_database.h"

#include <QProcess>
#include <QStringList>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <random>

TEST(DataCrash, KilledWriterLosesNoPostedRow)
{
    TempDatabase db;
    std::mt19937 rng(20240601);
    QStringList posted;
    for (int round = 0; round < 30; ++round) {
        QProcess writer;
        writer.setWorkingDirectory(db.dir());
        writer.start(DATA_POSTER, QStringList());
        ASSERT_TRUE(writer.waitForStarted());
        ASSERT_TRUE(writer.waitForReadyRead(10000)) << writer.readAllStandardError().toStdString();
        QThread::usleep(rng() % 20000); // somewhere in the middle of a post
        ::kill(pid_t(writer.processId()), SIGKILL);
        writer.waitForFinished();
        QStringList keys = QString::fromUtf8(writer.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_TRUE(!keys.isEmpty() && keys.takeFirst().startsWith("open "));
        posted += keys;

        ASSERT_EQ(db.scalar("PRAGMA integrity_check"), "ok") << "round " << round;
        const QString found = db.scalar(QString("SELECT count(*) FROM member WHERE userid IN (%1) "
                                                "AND name = 'Guest ' || userid AND money = userid")
                                            .arg(posted.join(',')));
        ASSERT_EQ(found.toInt(), posted.size()) << "round " << round;
    }
}
