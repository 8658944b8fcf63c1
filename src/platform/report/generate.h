#pragma once
// Lays a report out into sheets: every page of the report gives one sheet, or more when its
// regions' bands overflow; data bands repeat for every row of their connection.
#include "report/document.h"

#include <functional>

// `onSheet` runs as each sheet is begun (1-based), so the caller can show progress and process
// window messages. A data item naming no existing connection prints nothing.
TRvDocument GenerateReport(const TRaveReport& report, const std::function<void(int sheet)>& onSheet);
