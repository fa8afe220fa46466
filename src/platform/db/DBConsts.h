// The data layer's error texts and the routines that raise them.
//
// Texts with "%s" take their arguments through DatabaseErrorFmt (Format's grammar). An error
// raised on behalf of a named component is prefixed with "<Name>: ".
#pragma once

#include <initializer_list>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"

namespace kel {

class TComponent;

// Data sets and links.
inline constexpr const char* SDataSetUnidirectional = "Operation not allowed on a unidirectional dataset";
inline constexpr const char* SCircularDataLink = "Circular datalinks are not allowed";
inline constexpr const char* STooManyColumns = "Grid requested to display more than 268435455 columns";
inline constexpr const char* SDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* SDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* SDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* SDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* SNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* SRecordNotFound = "Record not found";
inline constexpr const char* SBookmarkNotFound = "Bookmark not found";
inline constexpr const char* SDataSourceChange = "DataSource cannot be changed";
inline constexpr const char* SNoFieldDefs = "No fields defined. Cannot create dataset";
inline constexpr const char* SFilterExpression = "Filter expression: %s";

// Questions the data-aware controls ask.
inline constexpr const char* SDeleteRecordQuestion = "Delete record?";
inline constexpr const char* SDeleteMultipleRecordsQuestion = "Delete all selected records?";

// Fields and field definitions.
inline constexpr const char* SFieldNotFound = "Field '%s' not found";
inline constexpr const char* SFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* SFieldRequired = "Field '%s' must have a value";
inline constexpr const char* SDuplicateFieldName = "Duplicate field name '%s'";
inline constexpr const char* SFieldNameMissing = "Field name missing";
inline constexpr const char* SFieldIndexError = "Field index out of range";
inline constexpr const char* SFieldOfObjectField = "Field '%s' belongs to an object field";
inline constexpr const char* SFieldTypeMismatch = "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr const char* SFieldAccessError = "Cannot access field '%s' as type %s";
inline constexpr const char* SUnknownFieldType = "Field '%s' is of an unknown type";
inline constexpr const char* SUnsupportedFieldType = "Unsupported field type (%s) in field %s";
inline constexpr const char* SInvalidFieldSize = "Invalid field size";
inline constexpr const char* SInvalidFieldKind = "Invalid FieldKind";
inline constexpr const char* SDataSetMissing = "Field '%s' has no dataset";
inline constexpr const char* SLookupInfoError = "Lookup information for field '%s' is incomplete";
inline constexpr const char* SCircularLookup = "Field '%s' cannot look itself up";

// Values typed into fields.
inline constexpr const char* SNotAnInteger = "'%s' is not a valid integer value for field '%s'";
inline constexpr const char* SNotAFloat = "'%s' is not a valid floating point value for field '%s'";
inline constexpr const char* SNotABoolean = "'%s' is not a valid boolean value for field '%s'";
inline constexpr const char* SNotADate = "'%s' is not a valid date and time for field '%s'";
inline constexpr const char* SNotABcd = "'%s' is not a valid BCD value for field '%s'";
inline constexpr const char* SFieldRangeError = "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline constexpr const char* SFieldOutOfRange = "Value of field '%s' is out of range";
inline constexpr const char* SInvalidBoolDisplayValues = "'%s' is not a valid pair of Boolean display values";

// Indexes.
inline constexpr const char* SIndexNotFound = "Index '%s' not found";
inline constexpr const char* SDuplicateIndexName = "Duplicate index name '%s'";
inline constexpr const char* SIndexFieldMissing = "Index '%s' names no fields";
inline constexpr const char* SFieldNotIndexable = "Field '%s' cannot be used in an index";
inline constexpr const char* SMissingDataPacket = "Missing data provider or data packet";

// Data files.
inline constexpr const char* SInvalidDataFile = "Invalid data file: %s";
inline constexpr const char* SNoFileName = "No file name given";
inline constexpr const char* SFieldDefsChanged =
    "Field definitions differ from the rows held; call CreateDataSet or load a file";

// Raise EDatabaseError with `message`, prefixed by the component's name when it has one.
[[noreturn]] void DatabaseError(const String& message, const TComponent* component = nullptr);
[[noreturn]] void DatabaseErrorFmt(const String& message, std::initializer_list<TVarRec> args,
                                   const TComponent* component = nullptr);

}  // namespace kel
