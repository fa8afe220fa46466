// Raising the data layer's errors, and the names of the field types (for messages and for
// the published-property tables).
#include "platform/db/DBConsts.h"

#include "platform/classes/Component.h"
#include "platform/db/DBEnumNames.h"
#include "platform/rtl/Exceptions.h"

namespace kel {

void DatabaseError(const String& message, const TComponent* component) {
  if (component && !component->Name().empty())
    throw EDatabaseError(component->Name() + ": " + message);
  throw EDatabaseError(message);
}

void DatabaseErrorFmt(const String& message, std::initializer_list<TVarRec> args,
                      const TComponent* component) {
  DatabaseError(Format(message, args), component);
}

namespace {
constexpr const char* FieldTypeNames[FieldTypeCount] = {
      "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord",
      "ftBoolean", "ftFloat", "ftCurrency", "ftBCD", "ftDate",
      "ftTime", "ftDateTime", "ftBytes", "ftVarBytes", "ftAutoInc",
      "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftParadoxOle",
      "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString",
      "ftLargeint", "ftADT", "ftArray", "ftReference", "ftDataSet",
      "ftOraBlob", "ftOraClob", "ftVariant", "ftInterface", "ftIDispatch",
      "ftGuid", "ftTimeStamp", "ftFMTBcd", "ftFixedWideChar", "ftWideMemo",
      "ftOraTimeStamp", "ftOraInterval", "ftLongWord", "ftShortint", "ftByte",
      "ftExtended", "ftConnection", "ftParams", "ftStream", "ftTimeStampOffset",
      "ftObject", "ftSingle"};
}  // namespace

const char* FieldTypeName(TFieldType type) {
  return type < FieldTypeCount ? FieldTypeNames[type] : "ftUnknown";
}

TEnumNames EnumNamesOf(TFieldType) { return FieldTypeNames; }

}  // namespace kel
