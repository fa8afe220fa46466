// Element names of the data layer's enumerations, for the published-property tables (streaming
// and access by name). Included by the sources that publish such properties.
#pragma once

#include "platform/classes/Properties.h"
#include "platform/db/DBTypes.h"

namespace kel {

// The names of TFieldType come from FieldTypeName (DBTypes.h).
TEnumNames EnumNamesOf(TFieldType);

KEL_ENUM_NAMES(TFieldKind, "fkData", "fkCalculated", "fkLookup", "fkInternalCalc", "fkAggregate")
KEL_ENUM_NAMES(TIndexOption, "ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive",
               "ixExpression", "ixNonMaintained")
KEL_ENUM_NAMES(TFilterOption, "foCaseInsensitive", "foNoPartialCompare")

}  // namespace kel
