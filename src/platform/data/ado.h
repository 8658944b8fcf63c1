#pragma once
// The data layer: connection, data sets, fields and data sources over the database file.
#include "data/connection.h"
#include "data/currency.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/datasource.h"
#include "data/field.h"
#include "data/query.h"
