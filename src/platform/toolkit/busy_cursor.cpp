#include "toolkit/busy_cursor.h"

#include <QApplication>

TBusyCursor::TBusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusyCursor::~TBusyCursor()
{
    QApplication::restoreOverrideCursor();
}

TUserWait::TUserWait() : busy_(QApplication::overrideCursor() != nullptr)
{
    if (busy_)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
}

TUserWait::~TUserWait()
{
    if (busy_)
        QApplication::restoreOverrideCursor();
}
