// What a total object shows: its bound field, its caption with the "|" variant of a selection,
// its display text by TotalResult, the formatting of a calculated value and the name the total
// shows at design time.
//
// A total finds its field lazily, like a column: trDataField and trCalcValue in the grid's data
// set, trTotalField in the totals data set. The binding is dropped whenever FieldName or
// TotalResult changes and at every layout, and when the field is freed.
#include <cassert>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnTitle.h"
#include "KelDBGrids/KelColumnTotal.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

namespace {

// Of "first|second": the first, or the second while the grid's totals are selected.
String SelectionVariant(const String& Text, const TKelCustomDBGrid* Grid) {
  const std::size_t bar = Text.find('|');
  if (bar == String::npos) return Text;
  const bool selected = Grid && Grid->Totals() && Grid->Totals()->Selected();
  return selected ? Text.substr(bar + 1) : Text.substr(0, bar);
}

// Prefix, the part between the first two "%" and suffix of a date or Boolean format; aborts
// silently without two marks.
struct TFormatParts {
  String Prefix, Middle, Suffix;
};

TFormatParts SplitAtMarks(const String& Format) {
  const std::size_t first = Format.find('%');
  const std::size_t second = first == String::npos ? String::npos : Format.find('%', first + 1);
  if (second == String::npos) Abort();
  return {Format.substr(0, first), Format.substr(first + 1, second - first - 1), Format.substr(second + 1)};
}

String FormatBoolean(const String& Format, bool Value) {
  const TFormatParts parts = SplitAtMarks(Format);
  const std::size_t semicolon = parts.Middle.find(';');
  const String text = Value ? parts.Middle.substr(0, semicolon)
                            : (semicolon == String::npos ? String() : parts.Middle.substr(semicolon + 1));
  return parts.Prefix + text + parts.Suffix;
}

String FormatDate(const String& Format, TDateTime Value) {
  const TFormatParts parts = SplitAtMarks(Format);
  return parts.Prefix + FormatDateTime(parts.Middle, Value) + parts.Suffix;
}

// A non-empty format applied by the value's kind.
String FormatByKind(const String& Format, const Variant& Value) {
  switch (Value.Kind()) {
    case Variant::vkShortInt: case Variant::vkByte: case Variant::vkSmallInt: case Variant::vkWord:
    case Variant::vkInteger: case Variant::vkLongWord:
      return kel::Format(Format, {static_cast<int>(Value.AsInt64())});
    case Variant::vkInt64: return kel::Format(Format, {static_cast<long long>(Value.AsInt64())});
    case Variant::vkSingle: case Variant::vkDouble: case Variant::vkCurrency:
      return kel::Format(Format, {Value.AsDouble()});
    case Variant::vkDate: return FormatDate(Format, Value.AsDateTime());
    case Variant::vkBoolean: return FormatBoolean(Format, Value.AsBoolean());
    default: return kel::Format(Format, {Value.AsString()});
  }
}

// Puts a data link's active record back when the scope ends.
class TLinkRecordGuard {
 public:
  explicit TLinkRecordGuard(TDataLink* Link) : FLink(Link), FSaved(Link->ActiveRecord()) {}
  ~TLinkRecordGuard() {
    try {
      FLink->SetActiveRecord(FSaved);
    } catch (...) {
      // Moving inside the window reads no record; nothing is left to undo.
    }
  }
  TLinkRecordGuard(const TLinkRecordGuard&) = delete;
  TLinkRecordGuard& operator=(const TLinkRecordGuard&) = delete;

 private:
  TDataLink* FLink;
  int FSaved;
};

}  // namespace

// ---- Field binding -----------------------------------------------------------------------------

TDataSet* TKelColumnTotal::FieldDataSet() const {
  TKelCustomDBGrid* grid = Grid();
  if (!grid) return nullptr;
  if (FTotalResult == trTotalField) return grid->Totals()->DataLink()->DataSet();
  if (FTotalResult == trDataField || FTotalResult == trCalcValue) return grid->DataSet();
  return nullptr;
}

TField* TKelColumnTotal::Field() const {
  if (FField) return FField;
  TDataSet* dataSet = FieldDataSet();
  // A closed data set without persistent fields has no fields to find.
  if (!dataSet || (!dataSet->Active() && dataSet->FieldCount() == 0)) return nullptr;
  const String& name = FFieldName.empty() && FTotalResult != trTotalField ? FColumn->FieldName() : FFieldName;
  if (name.empty()) return nullptr;
  FField = dataSet->FindField(name);
  if (FField && Grid()) FField->FreeNotification(Grid());
  return FField;
}

void TKelColumnTotal::SetField(TField* Value) {
  if (FField == Value) return;
  FField = Value;
  if (Value && Grid()) Value->FreeNotification(Grid());
}

void TKelColumnTotal::ComponentRemoved(TComponent* AComponent) {
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (AComponent == static_cast<TComponent*>(FField)) FField = nullptr;
}

// ---- Text --------------------------------------------------------------------------------------

String TKelColumnTotal::GetCaption() const { return SelectionVariant(FCaption, Grid()); }

String TKelColumnTotal::TotalFieldText(int Index) const {
  TKelCustomDBGrid* grid = Grid();
  TKelTotalDataLink* link = grid ? grid->Totals()->DataLink() : nullptr;
  TField* field = Field();
  if (!link || !link->Active() || !field || Index < 0 || Index >= link->RecordCount()) return String();
  TLinkRecordGuard keep(link);
  link->SetActiveRecord(Index);
  return field->DisplayText();
}

String TKelColumnTotal::GetDisplayText() {
  switch (FTotalResult) {
    case trNone: return String();
    case trDataField:
      if (FFieldName.empty()) return FColumn->GetDisplayText();
      return Field() ? Field()->DisplayText() : String();
    case trTotalField: {
      const auto* value = dynamic_cast<const TKelColumnTotalValue*>(this);
      return TotalFieldText(value ? value->TotalRecNo() - 1 : 0);
    }
    default: return GetCaption();  // trCaption, and trCalcValue whose caption is the result
  }
}

// ---- Formatting --------------------------------------------------------------------------------

String TKelColumnTotalValue::GetFormat() const { return SelectionVariant(FFormat, Grid()); }

String TKelColumnTotalValue::FormatValue(const Variant& Value) {
  if (VarIsEmpty(Value)) return String();
  if (VarIsNull(Value)) return NullValueString;
  const String format = GetFormat();
  Variant value = Value;
  if (VarIsSQLTimeStamp(value) || VarIsSQLTimeStampOffset(value)) value = Variant::FromDate(VarToDateTime(value));
  if (FFormatAsFloat || (VarIsFMTBcd(value) && !format.empty())) value = value.AsDouble();
  if (!format.empty()) return FormatByKind(format, value);
  if (value.Kind() == Variant::vkCurrency) return kel::Format("%m", {value.AsCurrency()});
  return value.AsString();
}

// ---- Design-time names -------------------------------------------------------------------------

String TKelColumnTotalValue::GetDisplayName() {
  String name = Field() ? Field()->FieldName() : FieldName();
  if (name.empty()) name = Column()->FieldName();
  if (name.empty() && TotalResult() == trDataField) name = "(" + Column()->Title()->Caption() + ")";
  if (name.empty()) name = "<Unknown>";
  switch (TotalResult()) {
    case trNone: return "<None>";
    case trCaption:
      if (!Caption().empty()) return Caption();
      return VarIsNull(FValue) ? "<Null>" : "<Empty>";
    case trDataField: return FieldName().empty() ? "ColumnData: " + name : "DataField: " + FieldName();
    case trTotalField:
      if (FieldName().empty()) return "TotalField: <Unknown>";
      return "TotalField: " + FieldName() + "[" + IntToStr(FTotalRecNo) + "]";
    default: break;
  }
  static const char* const Kinds[] = {"Sum(", "Avg(", "Count(", "Max(", "Min(", "First(", "Last(", "Unique(", "Custom("};
  return Kinds[FCalcValue] + name + ")";
}

}  // namespace kel
