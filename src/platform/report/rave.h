#pragma once
// The report engine: projects, their components, data connections and the run settings.
#include "report/components.h"
#include "report/connection.h"
#include "report/dataset_connection.h"
#include "report/project.h"
#include "report/system.h"
