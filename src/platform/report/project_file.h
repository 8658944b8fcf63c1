#pragma once
// Reads a report project file (docs/report-projects.md describes the format).
#include "report/components.h"

#include <memory>

// Raises "The following reporting project does not exist:\r"<full path>"" for a missing file and
// "Invalid Project Format" for a file that holds no project.
std::unique_ptr<TRaveProjectManager> LoadRaveProject(const QString& path);
