#include "support/wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>

bool wait_until(const std::function<bool()>& done, int ms)
{
    const QDeadlineTimer deadline(ms);
    // Quick at first; then gentler, as other tests run beside this one and a check may start a tool.
    unsigned long nap = 1;
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(nap);
        nap = std::min(nap * 2, 20UL);
    }
    return true;
}
