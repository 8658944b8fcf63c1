#include "system/os_error.h"

#include "system/sysutils.h"

#include <cerrno>
#include <cstring>

void RaiseLastOSError()
{
    const int code = errno;
    throw Exception(
        QString("System Error.  Code: %1.\n%2").arg(code).arg(QString::fromLocal8Bit(std::strerror(code))));
}
