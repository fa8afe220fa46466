// The data layer: the buffered data set engine, fields, field definitions, data sources and
// links, the in-memory client data set, and the SQLite connection and query.
#pragma once

#include "platform/db/BlobFields.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/DBConsts.h"
#include "platform/db/DBTypes.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/ObjectFields.h"
#include "platform/db/SQLiteConnection.h"
#include "platform/db/SQLiteParams.h"
#include "platform/db/SQLiteQuery.h"
#include "platform/db/StdFields.h"
