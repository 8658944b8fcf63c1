#include "support/wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

bool wait_until(const std::function<bool()>& done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // Other tests run beside this one: poll without spinning.
        QThread::msleep(5);
    }
    return true;
}
