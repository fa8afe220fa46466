// The total-row objects of a column: the assignable colour, alignment and font with their
// defaults, the plain settings, the value of a value total (as the pseudo-property "Value"),
// Assign and RestoreDefaults, and the collection of value rows.
//
// Every change is reported to the owning column (TotalChanged), which repaints the band.
#include "KelDBGrids/KelColumnTotal.h"

#include <cassert>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/classes/Streaming.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

TKelColumn* ColumnOf(TCollection* ACollection) {
  auto* values = dynamic_cast<TKelColumnTotalValues*>(ACollection);
  assert(values && "a value total is made by its column's value rows");
  return values->Column();
}

// The spellings of a value's kind in the pseudo-property "Value".
constexpr const char* NullKind = "Null";
constexpr const char* BooleanKind = "Boolean";
constexpr const char* IntegerKind = "Integer";
constexpr const char* DoubleKind = "Double";
constexpr const char* CurrencyKind = "Currency";
constexpr const char* DateKind = "Date";
constexpr const char* StringKind = "String";

}  // namespace

// ---- TKelColumnTotal ---------------------------------------------------------------------------

TKelColumnTotal::TKelColumnTotal(TCollection* ACollection)
    : TCollectionItem(ACollection), FColumn(ColumnOf(ACollection)) {
  Init();
}

TKelColumnTotal::TKelColumnTotal(TKelColumn* AColumn) : TCollectionItem(nullptr), FColumn(AColumn) {
  Init();
}

TKelColumnTotal::~TKelColumnTotal() = default;

void TKelColumnTotal::Init() { RefreshDefaultFont(); }

TKelCustomDBGrid* TKelColumnTotal::Grid() const { return FColumn->Grid(); }

TPersistent* TKelColumnTotal::GetOwner() {
  if (Collection()) return Collection();
  return FColumn;
}

// A value row reports through its collection, which holds the reports of an update back.
void TKelColumnTotal::TotalChanged() {
  if (Collection())
    Changed(false);
  else
    FColumn->TotalChanged(this);
}

TAlignment TKelColumnTotal::Alignment() const {
  return FAssignedValues.Contains(cvTotalAlignment) ? FAlignment : DefaultAlignment();
}

TAlignment TKelColumnTotal::DefaultAlignment() const { return FColumn->Alignment(); }

void TKelColumnTotal::SetAlignment(TAlignment Value) {
  if (AssignSetting(FAssignedValues, cvTotalAlignment, FAlignment, Value)) TotalChanged();
}

TColor TKelColumnTotal::Color() const {
  return FAssignedValues.Contains(cvTotalColor) ? FColor : DefaultColor();
}

TColor TKelColumnTotal::DefaultColor() const {
  TKelCustomDBGrid* grid = Grid();
  return grid && grid->Totals() ? grid->Totals()->Color() : clBtnFace;
}

void TKelColumnTotal::SetColor(TColor Value) {
  if (AssignSetting(FAssignedValues, cvTotalColor, FColor, Value)) TotalChanged();
}

TFont* TKelColumnTotal::Font() {
  RefreshDefaultFont();
  return FFont.Get();
}

TFont* TKelColumnTotal::DefaultFont() const {
  TKelCustomDBGrid* grid = Grid();
  return grid && grid->Totals() ? grid->Totals()->Font() : FColumn->Font();
}

void TKelColumnTotal::RefreshDefaultFont() { FFont.Follow(DefaultFont(), FAssignedValues.Contains(cvTotalFont)); }

void TKelColumnTotal::FontChanged() {
  FAssignedValues += cvTotalFont;
  TotalChanged();
}

TFont* TKelColumnTotal::FontForStreaming() {
  return FFont.ForStreaming(DefaultFont(), FAssignedValues.Contains(cvTotalFont), FColumn->GridReading());
}

bool TKelColumnTotal::IsAlignmentStored() const {
  return FAssignedValues.Contains(cvTotalAlignment) && FAlignment != DefaultAlignment();
}
bool TKelColumnTotal::IsColorStored() const {
  return FAssignedValues.Contains(cvTotalColor) && FColor != DefaultColor();
}
bool TKelColumnTotal::IsFontStored() const {
  return FFont.Stored(DefaultFont(), FAssignedValues.Contains(cvTotalFont));
}

void TKelColumnTotal::SetEllipsis(bool Value) {
  if (FEllipsis == Value) return;
  FEllipsis = Value;
  TotalChanged();
}

void TKelColumnTotal::SetHint(const String& Value) { FHint = Value; }

void TKelColumnTotal::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  FPopupMenu = Value;
  if (Value)
    if (TKelCustomDBGrid* grid = Grid()) Value->FreeNotification(grid);
}

void TKelColumnTotal::RegisterMenus(TKelCustomDBGrid* Grid) const {
  if (FPopupMenu) FPopupMenu->FreeNotification(Grid);
  if (FField) FField->FreeNotification(Grid);
}

void TKelColumnTotal::SetToolTips(bool Value) { FToolTips = Value; }
void TKelColumnTotal::SetToolTipsWidth(TToolTipsWidth Value) { FToolTipsWidth = Value; }

void TKelColumnTotal::SetTotalBox(TTotalBox Value) {
  if (FTotalBox == Value) return;
  FTotalBox = Value;
  TotalChanged();
}

void TKelColumnTotal::SetVAlignment(TVAlignment Value) {
  if (FVAlignment == Value) return;
  FVAlignment = Value;
  TotalChanged();
}

void TKelColumnTotal::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  TotalChanged();
}

void TKelColumnTotal::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  TotalChanged();
}

void TKelColumnTotal::SetCaption(const String& Value) {
  if (FAssignedValues.Contains(cvTotalCaption) && FCaption == Value) return;
  FCaption = Value;
  FAssignedValues += cvTotalCaption;
  TotalChanged();
}

void TKelColumnTotal::SetFieldName(const String& Value) {
  if (FFieldName == Value) return;
  FFieldName = Value;
  FField = nullptr;
  CalcSettingChanged();
}

// A calculated total recalculates (as far as the grid updates totals automatically); any
// other total only repaints.
void TKelColumnTotal::CalcSettingChanged() {
  TotalChanged();
  if (FTotalResult != trCalcValue) return;
  if (TKelCustomDBGrid* grid = Grid()) grid->UpdateTotals(true);
}

void TKelColumnTotal::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  TotalChanged();
}

void TKelColumnTotal::SetTotalResult(TTotalResult Value) {
  if (FTotalResult == Value) return;
  FTotalResult = Value;
  FField = nullptr;
  CalcSettingChanged();
}

void TKelColumnTotal::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelColumnTotal*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (source == this) return;
  FAssignedValues = source->FAssignedValues - cvTotalFont;
  FAlignment = source->FAlignment;
  FColor = source->FColor;
  if (source->FAssignedValues.Contains(cvTotalFont)) {
    FFont.Get()->Assign(source->FFont.Get());
    FAssignedValues += cvTotalFont;
  } else {
    RefreshDefaultFont();
  }
  FCaption = source->FCaption;
  FEllipsis = source->FEllipsis;
  FHint = source->FHint;
  SetPopupMenu(source->FPopupMenu);
  FToolTips = source->FToolTips;
  FToolTipsWidth = source->FToolTipsWidth;
  FTotalBox = source->FTotalBox;
  FVAlignment = source->FVAlignment;
  FVisible = source->FVisible;
  FWordWrap = source->FWordWrap;
  FFieldName = source->FFieldName;
  FField = nullptr;
  FImageIndex = source->FImageIndex;
  FTotalResult = source->FTotalResult;
  TotalChanged();
}

void TKelColumnTotal::RestoreDefaults() {
  FAssignedValues = {};
  RefreshDefaultFont();
  FCaption.clear();
  FEllipsis = true;
  FHint.clear();
  FPopupMenu = nullptr;
  FToolTips = true;
  FToolTipsWidth = ttAutoWidth;
  FTotalBox = tbAuto;
  FVAlignment = tvCenter;
  FVisible = true;
  FWordWrap = true;
  FFieldName.clear();
  FField = nullptr;
  FImageIndex = -1;
  FTotalResult = trCaption;
  TotalChanged();
}

// ---- TKelColumnTotalValue ----------------------------------------------------------------------

void TKelColumnTotalValue::SetCalcApply(TCalcApply Value) {
  if (FCalcApply == Value) return;
  FCalcApply = Value;
  CalcSettingChanged();
}

void TKelColumnTotalValue::SetCalcValue(TCalcValue Value) {
  if (FCalcValue == Value) return;
  FCalcValue = Value;
  CalcSettingChanged();
}

void TKelColumnTotalValue::SetCaption(const String& Value) {
  FValue = Variant();
  TKelColumnTotal::SetCaption(Value);
}

void TKelColumnTotalValue::SetFormat(const String& Value) {
  if (FFormat == Value) return;
  FFormat = Value;
  TotalChanged();
}

void TKelColumnTotalValue::SetFormatAsFloat(bool Value) {
  if (FFormatAsFloat == Value) return;
  FFormatAsFloat = Value;
  TotalChanged();
}

void TKelColumnTotalValue::SetNullValue(TNullValue Value) {
  if (FNullValue == Value) return;
  FNullValue = Value;
  CalcSettingChanged();
}

void TKelColumnTotalValue::SetTotalRecNo(int Value) {
  Value = std::max(Value, 1);
  if (FTotalRecNo == Value) return;
  FTotalRecNo = Value;
  TotalChanged();
}

// A date or Boolean format without its two "%" marks aborts silently: the text stays.
void TKelColumnTotalValue::SetValue(const Variant& Value) {
  FValue = Value;
  try {
    FCaption = FormatValue(Value);
  } catch (const EAbort&) {
  }
  FAssignedValues -= cvTotalCaption;
  TotalChanged();
}

bool TKelColumnTotalValue::IsCaptionStored() const {
  return FAssignedValues.Contains(cvTotalCaption) && !FCaption.empty();
}

bool TKelColumnTotalValue::IsValueStored() const {
  return !VarIsEmpty(FValue) && !IsCaptionStored() && FTotalResult != trCalcValue;
}

void TKelColumnTotalValue::DefineProperties(TFiler* Filer) {
  TKelColumnTotal::DefineProperties(Filer);
  Filer->DefineProperty(
      "Value", [this](TReader* Reader) { ReadValue(Reader); },
      [this](TWriter* Writer) { WriteValue(Writer); }, IsValueStored());
}

void TKelColumnTotalValue::WriteValue(TWriter* Writer) const {
  Writer->WriteListBegin();
  switch (FValue.Kind()) {
    case Variant::vkNull:
      Writer->WriteIdent(NullKind);
      break;
    case Variant::vkBoolean:
      Writer->WriteIdent(BooleanKind);
      Writer->WriteBoolean(FValue.AsBoolean());
      break;
    case Variant::vkShortInt: case Variant::vkByte: case Variant::vkSmallInt: case Variant::vkWord:
    case Variant::vkInteger: case Variant::vkLongWord: case Variant::vkInt64:
      Writer->WriteIdent(IntegerKind);
      Writer->WriteInteger(FValue.AsInt64());
      break;
    case Variant::vkSingle: case Variant::vkDouble:
      Writer->WriteIdent(DoubleKind);
      Writer->WriteFloat(FValue.AsDouble());
      break;
    case Variant::vkCurrency:
      Writer->WriteIdent(CurrencyKind);
      Writer->WriteInteger(FValue.AsCurrency().Value);
      break;
    case Variant::vkDate:
      Writer->WriteIdent(DateKind);
      Writer->WriteFloat(FValue.AsDateTime());
      break;
    default:
      Writer->WriteIdent(StringKind);
      Writer->WriteString(FValue.AsString());
      break;
  }
  Writer->WriteListEnd();
}

void TKelColumnTotalValue::ReadValue(TReader* Reader) {
  Reader->ReadListBegin();
  const String kind = Reader->ReadIdent();
  Variant value;
  if (kind == NullKind)
    value = Null();
  else if (kind == BooleanKind)
    value = Reader->ReadBoolean();
  else if (kind == IntegerKind)
    value = Reader->ReadInteger();
  else if (kind == DoubleKind)
    value = Reader->ReadFloat();
  else if (kind == CurrencyKind)
    value = Currency::FromRaw(Reader->ReadInteger());
  else if (kind == DateKind)
    value = Variant::FromDate(Reader->ReadFloat());
  else if (kind == StringKind)
    value = Reader->ReadString();
  else
    throw EReadError("Value of a total: '" + kind + "' is not a kind of value");
  Reader->ReadListEnd();
  SetValue(value);
}

void TKelColumnTotalValue::Assign(TPersistent* Source) {
  TKelColumnTotal::Assign(Source);
  auto* source = dynamic_cast<TKelColumnTotalValue*>(Source);
  if (!source || source == this) return;
  FCalcApply = source->FCalcApply;
  FCalcValue = source->FCalcValue;
  FFormat = source->FFormat;
  FFormatAsFloat = source->FFormatAsFloat;
  FNullValue = source->FNullValue;
  FTotalRecNo = source->FTotalRecNo;
  FValue = source->FValue;
  TotalChanged();
}

void TKelColumnTotalValue::RestoreDefaults() {
  FCalcApply = caBoth;
  FCalcValue = cvSum;
  FFormat.clear();
  FFormatAsFloat = false;
  FNullValue = nvExclude;
  FTotalRecNo = 1;
  FValue = Variant();
  TKelColumnTotal::RestoreDefaults();
}

// ---- TKelColumnTotalFields ---------------------------------------------------------------------

TKelColumnTotalFields::TKelColumnTotalFields(TKelColumn* AColumn) : TKelColumnTotal(AColumn) {
  FTotalResult = trTotalField;
}

void TKelColumnTotalFields::RestoreDefaults() {
  TKelColumnTotal::RestoreDefaults();
  FTotalResult = trTotalField;
}

// ---- TKelColumnTotalValues ---------------------------------------------------------------------

TKelColumnTotalValues::TKelColumnTotalValues(TKelColumn* AColumn)
    : TCollectionOf<TKelColumnTotalValue>(AColumn), FColumn(AColumn) {}

// Item by item: the rows stay, so only their cells repaint.
void TKelColumnTotalValues::RestoreDefaults() {
  for (TKelColumnTotalValue* total : *this) total->RestoreDefaults();
}

void TKelColumnTotalValues::Update(TCollectionItem* Item) {
  FColumn->TotalChanged(static_cast<TKelColumnTotal*>(Item));
}

}  // namespace kel
