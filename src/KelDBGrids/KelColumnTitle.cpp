// TKelColumnTitle: the assignable caption, colour, alignment and font with their defaults, the
// plain title settings, the sort marker values, and the header band segments.
#include "KelDBGrids/KelColumnTitle.h"

#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// Segment Index of a "|"-separated text; empty when missing.
String Segment(const String& Text, int Index) {
  std::size_t start = 0;
  for (int i = 0; i < Index; ++i) {
    const std::size_t bar = Text.find('|', start);
    if (bar == String::npos) return String();
    start = bar + 1;
  }
  const std::size_t end = Text.find('|', start);
  return Text.substr(start, end == String::npos ? String::npos : end - start);
}

}  // namespace

TKelColumnTitle::TKelColumnTitle(TKelColumn* AColumn) : FColumn(AColumn) { RefreshDefaultFont(); }

TKelColumnTitle::~TKelColumnTitle() = default;

TKelCustomDBGrid* TKelColumnTitle::Grid() const { return FColumn->Grid(); }
TPersistent* TKelColumnTitle::GetOwner() { return FColumn; }

bool TKelColumnTitle::IsAssigned(TKelColumnValue Value) const { return FColumn->IsAssigned(Value); }
void TKelColumnTitle::Assigned(TKelColumnValue Value) { FColumn->Assigned(Value); }

// ---- Assignable settings -----------------------------------------------------------------------

TAlignment TKelColumnTitle::Alignment() const {
  return IsAssigned(cvTitleAlignment) ? FAlignment : taLeftJustify;
}

void TKelColumnTitle::SetAlignment(TAlignment Value) {
  if (AssignSetting(FColumn->FAssignedValues, cvTitleAlignment, FAlignment, Value)) FColumn->ColumnChanged();
}

String TKelColumnTitle::Caption() const { return IsAssigned(cvTitleCaption) ? FCaption : DefaultCaption(); }

String TKelColumnTitle::DefaultCaption() const {
  if (TField* field = FColumn->ResultField()) return field->DisplayName();
  return FColumn->FieldName();
}

void TKelColumnTitle::SetCaption(const String& Value) {
  if (AssignSetting(FColumn->FAssignedValues, cvTitleCaption, FCaption, Value)) FColumn->ColumnChanged();
}

TColor TKelColumnTitle::Color() const { return IsAssigned(cvTitleColor) ? FColor : DefaultColor(); }

TColor TKelColumnTitle::DefaultColor() const {
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->FixedColor() : clBtnFace;
}

void TKelColumnTitle::SetColor(TColor Value) {
  if (AssignSetting(FColumn->FAssignedValues, cvTitleColor, FColor, Value)) FColumn->ColumnChanged();
}

TFont* TKelColumnTitle::Font() {
  RefreshDefaultFont();
  return FFont.Get();
}

TFont* TKelColumnTitle::DefaultFont() const {
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->TitleFont() : FColumn->Font();
}

void TKelColumnTitle::RefreshDefaultFont() { FFont.Follow(DefaultFont(), IsAssigned(cvTitleFont)); }

// The title font sets the height of the title rows.
void TKelColumnTitle::FontChanged() {
  Assigned(cvTitleFont);
  FColumn->ColumnChanged(true);
}

TFont* TKelColumnTitle::FontForStreaming() {
  return FFont.ForStreaming(DefaultFont(), IsAssigned(cvTitleFont), FColumn->GridReading());
}

bool TKelColumnTitle::IsAlignmentStored() const {
  return IsAssigned(cvTitleAlignment) && FAlignment != taLeftJustify;
}
bool TKelColumnTitle::IsCaptionStored() const {
  return IsAssigned(cvTitleCaption) && FCaption != DefaultCaption();
}
bool TKelColumnTitle::IsColorStored() const { return IsAssigned(cvTitleColor) && FColor != DefaultColor(); }
bool TKelColumnTitle::IsFontStored() const { return FFont.Stored(DefaultFont(), IsAssigned(cvTitleFont)); }

// ---- Plain settings ----------------------------------------------------------------------------

void TKelColumnTitle::SetAutoFilter(bool Value) {
  if (FAutoFilter == Value) return;
  FAutoFilter = Value;
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetAutoToggle(bool Value) { FAutoToggle = Value; }

void TKelColumnTitle::SetButton(bool Value) {
  if (FButton == Value) return;
  FButton = Value;
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetDropDownMenu(TPopupMenu* Value) {
  if (FDropDownMenu == Value) return;
  FDropDownMenu = Value;
  if (Value)
    if (TKelCustomDBGrid* grid = Grid()) Value->FreeNotification(grid);
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetEllipsis(bool Value) {
  if (FEllipsis == Value) return;
  FEllipsis = Value;
  FColumn->ColumnChanged();
}

// The band count sets the height of the title rows; equal segments of neighbours merge, so a
// change of the text repaints every title.
void TKelColumnTitle::SetHeader(const String& Value) {
  if (FHeader == Value) return;
  const int rows = GetHeaderRowCount();
  FHeader = Value;
  if (GetHeaderRowCount() != rows) {
    FColumn->ColumnChanged(true);
    return;
  }
  if (TKelCustomDBGrid* grid = Grid()) grid->InvalidateTitles();
}

void TKelColumnTitle::SetHeaderHint(const String& Value) { FHeaderHint = Value; }
void TKelColumnTitle::SetHint(const String& Value) { FHint = Value; }

void TKelColumnTitle::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  FPopupMenu = Value;
  if (Value)
    if (TKelCustomDBGrid* grid = Grid()) Value->FreeNotification(grid);
}

void TKelColumnTitle::SetVAlignment(TVAlignment Value) {
  if (FVAlignment == Value) return;
  FVAlignment = Value;
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetMarker(TMarker Value) {
  if (FMarker == Value) return;
  FMarker = Value;
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetMarkerIndex(int Value) {
  if (FMarkerIndex == Value) return;
  FMarkerIndex = Value;
  FColumn->ColumnChanged();
}

void TKelColumnTitle::SetOrderIndex(int Value) { FOrderIndex = Value; }

void TKelColumnTitle::MenuRemoved(TComponent* AComponent) {
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TKelColumnTitle::RegisterMenus(TKelCustomDBGrid* Grid) const {
  if (FDropDownMenu) FDropDownMenu->FreeNotification(Grid);
  if (FPopupMenu) FPopupMenu->FreeNotification(Grid);
}

// ---- Header bands ------------------------------------------------------------------------------

int TKelColumnTitle::GetHeaderRowCount() const {
  if (FHeader.empty()) return 0;
  return static_cast<int>(std::count(FHeader.begin(), FHeader.end(), '|')) + 1;
}

String TKelColumnTitle::GetHeaderRows(int Index) const {
  return Index < 0 ? String() : Segment(FHeader, Index);
}

String TKelColumnTitle::GetHeaderHintRows(int Index) const {
  return Index < 0 ? String() : Segment(FHeaderHint, Index);
}

bool TKelColumnTitle::SharesHeaderWith(int Offset, int Index) const {
  if (Index < 0 || Index >= GetHeaderRowCount() || GetHeaderRows(Index).empty()) return false;
  const TCollection* columns = FColumn->Collection();
  if (!columns) return false;
  int i = FColumn->Index() + Offset;
  auto showing = [columns](int index) { return static_cast<TKelColumn*>(columns->Items(index))->Showing(); };
  while (i >= 0 && i < columns->Count() && !showing(i)) i += Offset;
  if (i < 0 || i >= columns->Count()) return false;
  const TKelColumnTitle* other = static_cast<TKelColumn*>(columns->Items(i))->Title();
  for (int level = 0; level <= Index; ++level)
    if (other->GetHeaderRows(level) != GetHeaderRows(level)) return false;
  return true;
}

bool TKelColumnTitle::HeaderLeft(int Index) const { return SharesHeaderWith(-1, Index); }
bool TKelColumnTitle::HeaderRight(int Index) const { return SharesHeaderWith(1, Index); }

// ---- Assign and RestoreDefaults ----------------------------------------------------------------

void TKelColumnTitle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelColumnTitle*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  constexpr TKelColumnValues titleValues{cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont};
  FColumn->FAssignedValues -= titleValues;
  FColumn->FAssignedValues += source->FColumn->FAssignedValues * titleValues - cvTitleFont;
  FCaption = source->FCaption;
  FColor = source->FColor;
  FAlignment = source->FAlignment;
  if (source->IsAssigned(cvTitleFont)) {
    FFont.Get()->Assign(source->FFont.Get());
    Assigned(cvTitleFont);
  } else {
    RefreshDefaultFont();
  }
  FAutoFilter = source->FAutoFilter;
  FAutoToggle = source->FAutoToggle;
  FButton = source->FButton;
  SetDropDownMenu(source->FDropDownMenu);
  FEllipsis = source->FEllipsis;
  FHeader = source->FHeader;
  FHeaderHint = source->FHeaderHint;
  FHint = source->FHint;
  FImageIndex = source->FImageIndex;
  FMarker = source->FMarker;
  FMarkerIndex = source->FMarkerIndex;
  FOrderIndex = source->FOrderIndex;
  SetPopupMenu(source->FPopupMenu);
  FVAlignment = source->FVAlignment;
  FWordWrap = source->FWordWrap;
  FColumn->ColumnChanged(true);
}

void TKelColumnTitle::RestoreDefaults() {
  const TKelColumnTitle defaults(FColumn);
  const bool fontAssigned = IsAssigned(cvTitleFont);
  FColumn->FAssignedValues -= TKelColumnValues{cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont};
  FCaption.clear();
  RefreshDefaultFont();
  FAutoFilter = defaults.FAutoFilter;
  FAutoToggle = defaults.FAutoToggle;
  FButton = defaults.FButton;
  FDropDownMenu = nullptr;
  FEllipsis = defaults.FEllipsis;
  FHeader.clear();
  FHeaderHint.clear();
  FHint.clear();
  FImageIndex = defaults.FImageIndex;
  FMarker = defaults.FMarker;
  FMarkerIndex = defaults.FMarkerIndex;
  FOrderIndex = defaults.FOrderIndex;
  FPopupMenu = nullptr;
  FVAlignment = defaults.FVAlignment;
  FWordWrap = defaults.FWordWrap;
  FColumn->ColumnChanged(fontAssigned);
}

}  // namespace kel
