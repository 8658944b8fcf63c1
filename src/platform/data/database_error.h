#pragma once
// Failures of the data layer: the engine's own message, or the data set's name, ": " and the reason.
#include "system/sysutils.h"

class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};
