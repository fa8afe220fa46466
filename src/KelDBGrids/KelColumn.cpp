// TKelColumn, core: construction and the owned parts, field binding by name, the lookup kind,
// the display name, the assignable settings with their defaults, the fonts that follow their
// defaults, the plain setters, component references, Assign and RestoreDefaults.
//
// Setters follow one discipline: an unchanged value does nothing; otherwise store, then report
// the smallest change that is correct: the column repaints (ColumnChanged), the editor is
// refreshed too (EditorChanged), or the grid lays out again (ColumnChanged(true)).
#include "KelDBGrids/KelColumn.h"

#include <functional>
#include <optional>

#include "KelDBGrids/KelCellTextPrivate.h"
#include "KelDBGrids/KelDBGridFilter.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/db/DB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// Characters of a title caption shown in a display name.
constexpr int DisplayNameCaptionLength = 20;

constexpr TKelColumnValues TitleValues{cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont};

bool IsTextField(const TField* Field) {
  switch (Field->DataType()) {
    case ftString: case ftMemo: case ftFmtMemo: case ftWideString: case ftWideMemo:
      return true;
    default:
      return false;
  }
}

// The platform's texts for true and false joined by ";".
String DefaultCheckBoxText() { return BoolToStr(true, true) + ";" + BoolToStr(false, true); }

std::unique_ptr<TStringList> MakeList(std::function<void()> Changed) {
  auto list = std::make_unique<TStringList>();
  list->OnChange = [Changed = std::move(Changed)](TObject*) { Changed(); };
  return list;
}

}  // namespace

// ---- Construction ------------------------------------------------------------------------------

TKelColumn::TKelColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FCheckBoxValues(DefaultCheckBoxText()) {
  RefreshDefaultFont();
  FPickText = MakeList([this] { PickChanged(); });
}

TKelColumn::~TKelColumn() = default;

TKelCustomDBGrid* TKelColumn::Grid() const {
  TKelDBGridColumns* columns = Columns();
  return columns ? columns->Grid() : nullptr;
}

TKelDBGridColumns* TKelColumn::Columns() const { return dynamic_cast<TKelDBGridColumns*>(Collection()); }

TKelColumnTitle* TKelColumn::Title() const {
  if (!FTitle) FTitle = const_cast<TKelColumn*>(this)->CreateTitle();
  return FTitle.get();
}

TKelColumnTotalHeader* TKelColumn::TotalHeader() const {
  if (!FTotalHeader) FTotalHeader = const_cast<TKelColumn*>(this)->CreateTotalHeader();
  return FTotalHeader.get();
}

TKelColumnTotalValues* TKelColumn::TotalValues() const {
  if (!FTotalValues) FTotalValues = const_cast<TKelColumn*>(this)->CreateTotalValues();
  return FTotalValues.get();
}

TKelColumnTotalFields* TKelColumn::TotalFields() const {
  if (!FTotalFields) FTotalFields = const_cast<TKelColumn*>(this)->CreateTotalFields();
  return FTotalFields.get();
}

TKelColumnTotalFooter* TKelColumn::TotalFooter() const {
  if (!FTotalFooter) FTotalFooter = const_cast<TKelColumn*>(this)->CreateTotalFooter();
  return FTotalFooter.get();
}

std::unique_ptr<TKelColumnTitle> TKelColumn::CreateTitle() {
  return std::make_unique<TKelColumnTitle>(this);
}
std::unique_ptr<TKelColumnTotalFields> TKelColumn::CreateTotalFields() {
  return std::make_unique<TKelColumnTotalFields>(this);
}
std::unique_ptr<TKelColumnTotalFooter> TKelColumn::CreateTotalFooter() {
  return std::make_unique<TKelColumnTotalFooter>(this);
}
std::unique_ptr<TKelColumnTotalHeader> TKelColumn::CreateTotalHeader() {
  return std::make_unique<TKelColumnTotalHeader>(this);
}
std::unique_ptr<TKelColumnTotalValues> TKelColumn::CreateTotalValues() {
  return std::make_unique<TKelColumnTotalValues>(this);
}

// ---- Field binding -----------------------------------------------------------------------------

TField* TKelColumn::Field() const {
  if (FField || FFieldName.empty()) return FField;
  TKelCustomDBGrid* grid = Grid();
  TDataSet* dataSet = grid ? grid->DataSet() : nullptr;
  if (!dataSet) return nullptr;
  // A closed data set without persistent fields has no fields to find.
  if (!dataSet->Active() && dataSet->FieldCount() == 0) return nullptr;
  FField = dataSet->FindField(FFieldName);
  if (FField) FField->FreeNotification(grid);
  return FField;
}

void TKelColumn::SetField(TField* Value) {
  if (FField == Value) return;
  FField = Value;
  if (Value) {
    FFieldName = Value->FullName();
    if (TKelCustomDBGrid* grid = Grid()) Value->FreeNotification(grid);
  }
  ColumnChanged();
}

void TKelColumn::SetFieldName(const String& Value) {
  TField* field = nullptr;
  TKelCustomDBGrid* grid = Grid();
  TDataSet* dataSet = grid ? grid->DataSet() : nullptr;
  if (dataSet && !grid->ComponentState().Contains(csLoading) && !Value.empty())
    field = dataSet->FindField(Value);
  FFieldName = Value;
  FField = field;
  if (field) field->FreeNotification(grid);
  ColumnChanged();
}

TField* TKelColumn::LookupFieldOf() const {
  TField* field = Field();
  return field && field->FieldKind() == fkLookup ? field : nullptr;
}

TKelLookupColumn TKelColumn::LookupColumn() const {
  TField* field = Field();
  if (!field) return lcNotDefined;
  if (field->FieldKind() == fkLookup) return lcLookupField;
  if (!LookupDataSet() || LookupKeyField().empty()) return lcNotDefined;
  if (!SameText(KeyField(), FFieldName))
    return LookupResultField().empty() ? lcNotDefined : lcLookupResultField;
  return SameText(LookupKeyField(), LookupResultField()) ? lcLookupKeyField : lcLookupValueField;
}

TField* TKelColumn::ResultField() const {
  if (LookupColumn() != lcLookupValueField) return Field();
  TDataSet* lookup = LookupDataSet();
  if (!lookup->Active() && lookup->FieldCount() == 0) return nullptr;
  return lookup->FindField(LookupResultField());
}

String TKelColumn::GetDisplayName() {
  TField* field = Field();
  const bool nested = field && field->ParentField();
  String name = nested ? field->FieldName() : FFieldName;
  if (!name.empty() && LookupColumn() == lcLookupValueField)
    name = LookupResultField() + "[" + name + "]";
  if (name.empty()) {
    String caption = Title()->Caption();
    if (caption.empty()) return TCollectionItem::GetDisplayName();
    if (CharLength(caption) > DisplayNameCaptionLength)
      caption = Copy(caption, 1, DisplayNameCaptionLength) + "...";
    return "(" + caption + ")";
  }
  if (TKelColumn* parent = nested ? ParentColumn() : nullptr) return parent->DisplayName() + "." + name;
  return name;
}

// ---- Lookup settings ---------------------------------------------------------------------------

TDataSet* TKelColumn::LookupDataSet() const {
  if (FLookupDataSet) return FLookupDataSet;
  TField* lookup = LookupFieldOf();
  return lookup ? lookup->LookupDataSet() : nullptr;
}

void TKelColumn::SetLookupDataSet(TDataSet* Value) { SetReference(FLookupDataSet, Value); }

String TKelColumn::KeyField() const {
  if (!FKeyField.empty()) return FKeyField;
  TField* lookup = LookupFieldOf();
  return lookup ? lookup->KeyFields() : String();
}

void TKelColumn::SetKeyField(const String& Value) {
  if (FKeyField == Value) return;
  FKeyField = Value;
  ColumnChanged();
}

String TKelColumn::LookupKeyField() const {
  if (!FLookupKeyField.empty()) return FLookupKeyField;
  TField* lookup = LookupFieldOf();
  return lookup ? lookup->LookupKeyFields() : String();
}

void TKelColumn::SetLookupKeyField(const String& Value) {
  if (FLookupKeyField == Value) return;
  FLookupKeyField = Value;
  ColumnChanged();
}

String TKelColumn::LookupResultField() const {
  if (!FLookupResultField.empty()) return FLookupResultField;
  TField* lookup = LookupFieldOf();
  return lookup ? lookup->LookupResultField() : String();
}

void TKelColumn::SetLookupResultField(const String& Value) {
  if (FLookupResultField == Value) return;
  FLookupResultField = Value;
  ColumnChanged();
}

String TKelColumn::LookupListFields() const {
  if (!FLookupListFields.empty()) return FLookupListFields;
  TField* lookup = LookupFieldOf();
  return lookup ? lookup->LookupResultField() : String();
}

void TKelColumn::SetLookupListFields(const String& Value) {
  if (FLookupListFields == Value) return;
  FLookupListFields = Value;
  EditorChanged();
}

void TKelColumn::SetLookupListTitles(const String& Value) {
  if (FLookupListTitles == Value) return;
  FLookupListTitles = Value;
  EditorChanged();
}

void TKelColumn::SetLookupListWidths(const String& Value) {
  if (FLookupListWidths == Value) return;
  FLookupListWidths = Value;
  EditorChanged();
}

// ---- Assignable settings -----------------------------------------------------------------------

TAlignment TKelColumn::Alignment() const {
  return IsAssigned(cvAlignment) ? FAlignment : DefaultAlignment();
}

TAlignment TKelColumn::DefaultAlignment() const {
  TField* field = ResultField();
  return field ? field->Alignment() : taLeftJustify;
}

void TKelColumn::SetAlignment(TAlignment Value) {
  if (AssignSetting(FAssignedValues, cvAlignment, FAlignment, Value)) ColumnChanged();
}

TColor TKelColumn::Color() const { return IsAssigned(cvColor) ? FColor : DefaultColor(); }

TColor TKelColumn::DefaultColor() const {
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->Color() : clWindow;
}

void TKelColumn::SetColor(TColor Value) {
  if (AssignSetting(FAssignedValues, cvColor, FColor, Value)) ColumnChanged();
}

TImeMode TKelColumn::ImeMode() const { return IsAssigned(cvImeMode) ? FImeMode : DefaultImeMode(); }

TImeMode TKelColumn::DefaultImeMode() const {
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->ImeMode() : imDontCare;
}

void TKelColumn::SetImeMode(TImeMode Value) {
  if (AssignSetting(FAssignedValues, cvImeMode, FImeMode, Value)) EditorChanged();
}

TImeName TKelColumn::ImeName() const { return IsAssigned(cvImeName) ? FImeName : DefaultImeName(); }

TImeName TKelColumn::DefaultImeName() const {
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->ImeName() : TImeName();
}

void TKelColumn::SetImeName(const TImeName& Value) {
  if (AssignSetting(FAssignedValues, cvImeName, FImeName, Value)) EditorChanged();
}

bool TKelColumn::ReadOnly() const { return IsAssigned(cvReadOnly) ? FReadOnly : DefaultReadOnly(); }

bool TKelColumn::DefaultReadOnly() const {
  TKelCustomDBGrid* grid = Grid();
  if (grid && grid->ReadOnly()) return true;
  TField* field = Field();
  return field && field->ReadOnly();
}

void TKelColumn::SetReadOnly(bool Value) {
  if (AssignSetting(FAssignedValues, cvReadOnly, FReadOnly, Value)) EditorChanged();
}

bool TKelColumn::IsAlignmentStored() const {
  return IsAssigned(cvAlignment) && FAlignment != DefaultAlignment();
}
bool TKelColumn::IsColorStored() const { return IsAssigned(cvColor) && FColor != DefaultColor(); }
bool TKelColumn::IsImeModeStored() const { return IsAssigned(cvImeMode) && FImeMode != DefaultImeMode(); }
bool TKelColumn::IsImeNameStored() const { return IsAssigned(cvImeName) && FImeName != DefaultImeName(); }
bool TKelColumn::IsReadOnlyStored() const {
  return IsAssigned(cvReadOnly) && FReadOnly != DefaultReadOnly();
}

// ---- Fonts -------------------------------------------------------------------------------------

TFont* TKelColumn::Font() {
  RefreshDefaultFont();
  return FFont.Get();
}

TFont* TKelColumn::DefaultFont() const {
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->Font() : FFont.Get();
}

void TKelColumn::RefreshDefaultFont() { FFont.Follow(DefaultFont(), IsAssigned(cvFont)); }

void TKelColumn::FontChanged() {
  Assigned(cvFont);
  if (FTitle) FTitle->RefreshDefaultFont();
  if (FTotalHeader) FTotalHeader->RefreshDefaultFont();
  if (FTotalValues)
    for (TKelColumnTotalValue* total : *FTotalValues) total->RefreshDefaultFont();
  if (FTotalFields) FTotalFields->RefreshDefaultFont();
  if (FTotalFooter) FTotalFooter->RefreshDefaultFont();
  ColumnChanged();
}

bool TKelColumn::IsFontStored() const { return FFont.Stored(DefaultFont(), IsAssigned(cvFont)); }

TFont* TKelColumn::FontForStreaming() { return FFont.ForStreaming(DefaultFont(), IsAssigned(cvFont), GridReading()); }

// ---- Plain setters -----------------------------------------------------------------------------

void TKelColumn::EditorChanged() {
  ColumnChanged();
  if (TKelCustomDBGrid* grid = Grid()) grid->InvalidateEditor();
}

template <typename T>
void TKelColumn::SetReference(T*& Field, T* Value) {
  if (Field == Value) return;
  Field = Value;
  if (Value)
    if (TKelCustomDBGrid* grid = Grid()) Value->FreeNotification(grid);
  ColumnChanged();
}

void TKelColumn::ComponentRemoved(TComponent* AComponent) {
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FLookupDataSet) FLookupDataSet = nullptr;
  if (FTitle) FTitle->MenuRemoved(AComponent);
  if (FTotalHeader) FTotalHeader->ComponentRemoved(AComponent);
  if (FTotalValues)
    for (TKelColumnTotalValue* total : *FTotalValues) total->ComponentRemoved(AComponent);
  if (FTotalFields) FTotalFields->ComponentRemoved(AComponent);
  if (FTotalFooter) FTotalFooter->ComponentRemoved(AComponent);
}

void TKelColumn::RegisterReferences(TKelCustomDBGrid* Grid) {
  for (TComponent* reference : {static_cast<TComponent*>(FDropDownMenu), static_cast<TComponent*>(FPopupMenu),
                                static_cast<TComponent*>(FImages), static_cast<TComponent*>(FLookupDataSet),
                                static_cast<TComponent*>(FField)})
    if (reference) reference->FreeNotification(Grid);
  if (FTitle) FTitle->RegisterMenus(Grid);
  if (FTotalHeader) FTotalHeader->RegisterMenus(Grid);
  if (FTotalValues)
    for (TKelColumnTotalValue* total : *FTotalValues) total->RegisterMenus(Grid);
  if (FTotalFields) FTotalFields->RegisterMenus(Grid);
  if (FTotalFooter) FTotalFooter->RegisterMenus(Grid);
}

void TKelColumn::SetCollection(TCollection* Value) {
  TCollectionItem::SetCollection(Value);
  if (TKelCustomDBGrid* grid = Grid()) RegisterReferences(grid);
}

void TKelColumn::SetDropDownMenu(TPopupMenu* Value) { SetReference(FDropDownMenu, Value); }
void TKelColumn::SetPopupMenu(TPopupMenu* Value) { SetReference(FPopupMenu, Value); }
void TKelColumn::SetImages(TImageList* Value) { SetReference(FImages, Value); }

void TKelColumn::SetAutoNumber(bool Value) {
  if (FAutoNumber == Value) return;
  FAutoNumber = Value;
  EditorChanged();
}

void TKelColumn::SetButtonStyle(TKelColumnButtonStyle Value) {
  if (FButtonStyle == Value) return;
  FButtonStyle = Value;
  EditorChanged();
}

void TKelColumn::SetCalendarDepth(TCalendarDepth Value) { FCalendarDepth = Value; }

void TKelColumn::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  EditorChanged();
}

void TKelColumn::LimitImageDraw() {
  if (FImageDraw != idAlignment && FImageDraw != idOpposite) FImageDraw = idCenter;
}

void TKelColumn::SetCheckBox(bool Value) {
  if (FCheckBox == Value) return;
  FCheckBox = Value;
  if (Value) {
    FExpandBox = false;
    LimitImageDraw();
  }
  EditorChanged();
}

void TKelColumn::SetCheckBoxKind(TCheckBoxKind Value) {
  if (FCheckBoxKind == Value) return;
  FCheckBoxKind = Value;
  ColumnChanged();
}

void TKelColumn::SetCheckBoxStyle(TCheckBoxStyle Value) {
  if (FCheckBoxStyle == Value) return;
  FCheckBoxStyle = Value;
  ColumnChanged();
}

void TKelColumn::SetCheckBoxThemed(bool Value) {
  if (FCheckBoxThemed == Value) return;
  FCheckBoxThemed = Value;
  ColumnChanged();
}

void TKelColumn::SetCheckBoxToggle(TCheckBoxToggle Value) { FCheckBoxToggle = Value; }

void TKelColumn::SetCheckBoxValues(const String& Value) {
  const String values = Value.empty() ? DefaultCheckBoxText() : Value;
  if (FCheckBoxValues == values) return;
  FCheckBoxValues = values;
  ColumnChanged();
}

bool TKelColumn::IsCheckBoxValuesStored() const { return FCheckBoxValues != DefaultCheckBoxText(); }

void TKelColumn::SetDelimiterChar(Char Value) {
  if (FDelimiterChar == Value) return;
  FDelimiterChar = Value;
  ColumnChanged();
}

void TKelColumn::SetDelimiterLine(bool Value) {
  if (FDelimiterLine == Value) return;
  FDelimiterLine = Value;
  ColumnChanged();
}

void TKelColumn::SetDialogOptions(TDialogOptions Value) { FDialogOptions = Value; }

void TKelColumn::SetDropDownRows(int Value) { FDropDownRows = Value; }
void TKelColumn::SetDropDownWidth(int Value) { FDropDownWidth = Value; }

void TKelColumn::SetEditMemo(bool Value) {
  if (FEditMemo == Value) return;
  FEditMemo = Value;
  EditorChanged();
}

void TKelColumn::SetEditorHint(const String& Value) { FEditorHint = Value; }

void TKelColumn::SetEllipsis(bool Value) {
  if (FEllipsis == Value) return;
  FEllipsis = Value;
  ColumnChanged();
}

void TKelColumn::SetExpandBox(bool Value) {
  if (FExpandBox == Value) return;
  FExpandBox = Value;
  if (Value) {
    FCheckBox = false;
    FTransparent = true;
    LimitImageDraw();
  }
  EditorChanged();
}

void TKelColumn::SetExpandBoxSize(TExpandBoxSize Value) {
  if (FExpandBoxSize == Value) return;
  FExpandBoxSize = Value;
  ColumnChanged();
}

void TKelColumn::SetExpandBoxThemed(bool Value) {
  if (FExpandBoxThemed == Value) return;
  FExpandBoxThemed = Value;
  ColumnChanged();
}

void TKelColumn::SetExpandBoxToggle(TExpandBoxToggle Value) { FExpandBoxToggle = Value; }

void TKelColumn::SetExpandStyle(TKelColumnExpandStyle Value) {
  if (FExpandStyle == Value) return;
  FExpandStyle = Value;
  if (TKelCustomDBGrid* grid = Grid()) grid->InvalidateTitles();
}

TStrings* TKelColumn::FilterList() const {
  if (!FFilterList) {
    auto* self = const_cast<TKelColumn*>(this);
    self->FFilterList = MakeList([self] { self->FilterChanged(); });
    self->FFilterList->SetSorted(true);
    self->FFilterList->SetDuplicates(dupIgnore);
  }
  return FFilterList.get();
}

void TKelColumn::SetFilterList(TStrings* Value) { FilterList()->Assign(Value); }

void TKelColumn::SetFilterText(const String& Value) {
  if (FFilterText == Value) return;
  FFilterText = Value;
  FilterChanged();
}

bool TKelColumn::Filtered() const {
  return (FFilterList && FFilterList->Count() > 0) || !FFilterText.empty();
}

void TKelColumn::FilterChanged() {
  TKelCustomDBGrid* grid = Grid();
  if (!grid || grid->Columns() != Columns() || grid->ComponentState().Contains(csLoading)) return;
  grid->InvalidateTitles();
  grid->UpdateFilter();
}

void TKelColumn::SetHint(const String& Value) { FHint = Value; }

void TKelColumn::SetImageDraw(TImageDraw Value) {
  if ((FCheckBox || FExpandBox) && Value != idAlignment && Value != idOpposite) Value = idCenter;
  if (FImageDraw == Value) return;
  FImageDraw = Value;
  ColumnChanged();
}

void TKelColumn::SetImageMargin(int Value) {
  if (FImageMargin == Value) return;
  FImageMargin = Value;
  ColumnChanged();
}

void TKelColumn::SetImageOffsetX(int Value) {
  if (FImageOffsetX == Value) return;
  FImageOffsetX = Value;
  ColumnChanged();
}

void TKelColumn::SetImageOffsetY(int Value) {
  if (FImageOffsetY == Value) return;
  FImageOffsetY = Value;
  ColumnChanged();
}

void TKelColumn::SetListOptions(TKelListOptions Value) {
  if (FListOptions == Value) return;
  FListOptions = Value;
  EditorChanged();
}

void TKelColumn::SwitchListOptions(TKelListOptions Value, bool On) {
  SetListOptions(On ? FListOptions + Value : FListOptions - Value);
}

void TKelColumn::SetMultiSelectText(TMultiSelectText Value) {
  if (FMultiSelectText == Value) return;
  FMultiSelectText = Value;
  ColumnChanged();
}

TStrings* TKelColumn::PickList() const {
  if (!FPickList) {
    auto* self = const_cast<TKelColumn*>(this);
    FPickList = MakeList([self] { self->PickChanged(); });
  }
  return FPickList.get();
}

void TKelColumn::SetPickList(TStrings* Value) { PickList()->Assign(Value); }

TStrings* TKelColumn::PickText() const { return FPickText.get(); }

void TKelColumn::SetPickText(TStrings* Value) { FPickText->Assign(Value); }

void TKelColumn::SetPickOptions(TKelPickOptions Value) {
  if (FPickOptions == Value) return;
  FPickOptions = Value;
  EditorChanged();
}

void TKelColumn::SwitchPickOptions(TKelPickOptions Value, bool On) {
  SetPickOptions(On ? FPickOptions + Value : FPickOptions - Value);
}

void TKelColumn::SetPickTextFormat(const String& Value) {
  if (FPickTextFormat == Value) return;
  FPickTextFormat = Value;
  PickChanged();
}

void TKelColumn::PickChanged() {
  FFormattedPickText.reset();
  EditorChanged();
}

bool TKelColumn::PickListActive() const { return FPickList && FPickList->Count() > 0; }

bool TKelColumn::PickTextActive() const {
  return FPickOptions.Contains(poSelectPickText) && FPickText->Count() > 0;
}

// With pick text active the lines are the pick texts or their formatted forms, one per text.
bool TKelColumn::PickDataActive() const { return PickTextActive() || PickListActive(); }

bool TKelColumn::GetMultiSelectList() const {
  if (!FListOptions.Contains(loMultiSelectList)) return false;
  TField* field = Field();
  if (!field || !IsTextField(field)) return false;
  return LookupColumn() == lcLookupKeyField || PickDataActive();
}

void TKelColumn::SetQuickDraw(bool Value) {
  if (FQuickDraw == Value) return;
  FQuickDraw = Value;
  ColumnChanged();
}

void TKelColumn::SetShowBlob(bool Value) {
  if (FShowBlob == Value) return;
  FShowBlob = Value;
  ColumnChanged();
}

void TKelColumn::SetShowEdit(bool Value) {
  if (FShowEdit == Value) return;
  FShowEdit = Value;
  EditorChanged();
}

void TKelColumn::SetSuppressRTL(bool Value) {
  if (FSuppressRTL == Value) return;
  FSuppressRTL = Value;
  ColumnChanged();
}

void TKelColumn::SetToolTips(bool Value) { FToolTips = Value; }
void TKelColumn::SetToolTipsWidth(TToolTipsWidth Value) { FToolTipsWidth = Value; }

void TKelColumn::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  ColumnChanged();
}

// Switching ExpandBox on sets Transparent, so an expand box column streams Transparent only when
// it was switched off again.
bool TKelColumn::IsTransparentStored() const { return FTransparent != FExpandBox; }

void TKelColumn::SetTransparentColor(TColor Value) {
  if (FTransparentColor == Value) return;
  FTransparentColor = Value;
  ColumnChanged();
}

void TKelColumn::SetVAlignment(TVAlignment Value) {
  if (FVAlignment == Value) return;
  FVAlignment = Value;
  ColumnChanged();
}

void TKelColumn::SetWallpaper(bool Value) {
  if (FWallpaper == Value) return;
  FWallpaper = Value;
  ColumnChanged();
}

void TKelColumn::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  ColumnChanged();
}

// ---- Derived queries ---------------------------------------------------------------------------

bool TKelColumn::CalendarActive() const {
  if (FButtonStyle == cbsCalendar) return true;
  if (FButtonStyle != cbsAuto || PickDataActive() || LookupActive()) return false;
  TField* field = Field();
  if (!field) return false;
  const TFieldType type = field->DataType();
  return type == ftDate || type == ftDateTime || type == ftTimeStamp;
}

bool TKelColumn::HasExpandableButton() const { return Expandable() && FExpandStyle == cesAuto; }

bool TKelColumn::HasDropDownButton() const {
  return FExpandStyle == cesDropDown || (FExpandStyle == cesDropDownMenu && Title()->DropDownMenu());
}

// A title offers the column's filter list when asked to by the expand style, or when the grid
// offers filter lists and nothing else claims the title button.
bool TKelColumn::HasFilterButton() const {
  if (!Field() || !Title()->AutoFilter()) return false;
  if (FExpandStyle == cesFilterList) return true;
  TKelCustomDBGrid* grid = Grid();
  return FExpandStyle == cesAuto && !Expandable() && grid && grid->FilterGrid()->AutoFilter();
}

bool TKelColumn::HasExpandButton() const {
  return HasExpandableButton() || HasDropDownButton() || HasFilterButton();
}

bool TKelColumn::UseRightToLeftAlignment() const {
  TKelCustomDBGrid* grid = Grid();
  return !FSuppressRTL && grid && grid->UseRightToLeftAlignment();
}

bool TKelColumn::CanEditShow() const { return FShowEdit && !FCheckBox && !FExpandBox && !FAutoNumber; }

// ---- Grid settings the columns follow ----------------------------------------------------------

void TKelCustomDBGrid::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  InvalidateEditor();
}

// The platform has no input method editors: the settings are kept for the columns to follow.
void TKelCustomDBGrid::SetImeMode(TImeMode Value) { FImeMode = Value; }
void TKelCustomDBGrid::SetImeName(const TImeName& Value) { FImeName = Value; }

void TKelCustomDBGrid::CMFontChanged(TMessage& Message) {
  TCustomGrid::CMFontChanged(Message);
  if (!FColumns) return;
  TGridLayoutGuard layout(this);
  for (TKelColumn* column : *FColumns) column->RefreshDefaultFont();
  layout.Close();
}

// ---- Assign and RestoreDefaults ----------------------------------------------------------------

void TKelColumn::CopySettings(const TKelColumn& Source) {
  FAutoNumber = Source.FAutoNumber;
  FButtonStyle = Source.FButtonStyle;
  FCalendarDepth = Source.FCalendarDepth;
  FCharCase = Source.FCharCase;
  FCheckBox = Source.FCheckBox;
  FCheckBoxKind = Source.FCheckBoxKind;
  FCheckBoxStyle = Source.FCheckBoxStyle;
  FCheckBoxThemed = Source.FCheckBoxThemed;
  FCheckBoxToggle = Source.FCheckBoxToggle;
  FCheckBoxValues = Source.FCheckBoxValues;
  FDelimiterChar = Source.FDelimiterChar;
  FDelimiterLine = Source.FDelimiterLine;
  FDialogOptions = Source.FDialogOptions;
  FDropDownRows = Source.FDropDownRows;
  FDropDownWidth = Source.FDropDownWidth;
  FEditMemo = Source.FEditMemo;
  FEditorHint = Source.FEditorHint;
  FEllipsis = Source.FEllipsis;
  FExpandBox = Source.FExpandBox;
  FExpandBoxSize = Source.FExpandBoxSize;
  FExpandBoxThemed = Source.FExpandBoxThemed;
  FExpandBoxToggle = Source.FExpandBoxToggle;
  FExpandStyle = Source.FExpandStyle;
  FFilterText = Source.FFilterText;
  FHint = Source.FHint;
  FImageDraw = Source.FImageDraw;
  FImageMargin = Source.FImageMargin;
  FImageOffsetX = Source.FImageOffsetX;
  FImageOffsetY = Source.FImageOffsetY;
  FListOptions = Source.FListOptions;
  FKeyField = Source.FKeyField;
  FLookupKeyField = Source.FLookupKeyField;
  FLookupResultField = Source.FLookupResultField;
  FLookupListFields = Source.FLookupListFields;
  FLookupListTitles = Source.FLookupListTitles;
  FLookupListWidths = Source.FLookupListWidths;
  FMultiSelectText = Source.FMultiSelectText;
  FPickOptions = Source.FPickOptions;
  FPickTextFormat = Source.FPickTextFormat;
  FQuickDraw = Source.FQuickDraw;
  FShowBlob = Source.FShowBlob;
  FShowEdit = Source.FShowEdit;
  FSuppressRTL = Source.FSuppressRTL;
  FToolTips = Source.FToolTips;
  FToolTipsWidth = Source.FToolTipsWidth;
  FTransparent = Source.FTransparent;
  FTransparentColor = Source.FTransparentColor;
  FVAlignment = Source.FVAlignment;
  FWallpaper = Source.FWallpaper;
  FWordWrap = Source.FWordWrap;
  FWidthMin = Source.FWidthMin;
  FWidthMax = Source.FWidthMax;
  FExpandCols = Source.FExpandCols;
  if (Source.FPickList)
    PickList()->Assign(Source.FPickList.get());
  else
    FPickList.reset();
  FPickText->Assign(Source.FPickText.get());
  if (Source.FFilterList || FFilterList) FilterList()->Assign(Source.FilterList());
  SetReference(FDropDownMenu, Source.FDropDownMenu);
  SetReference(FPopupMenu, Source.FPopupMenu);
  SetReference(FImages, Source.FImages);
  SetReference(FLookupDataSet, Source.FLookupDataSet);
}

void TKelColumn::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelColumn*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (source == this) return;
  std::optional<TCollectionUpdate> update;
  if (Collection()) update.emplace(Collection());
  SetFieldName(source->FFieldName);
  CopySettings(*source);
  FVisible = source->FVisible;
  FExpanded = source->FExpanded;
  FAlignment = source->FAlignment;
  FColor = source->FColor;
  FImeMode = source->FImeMode;
  FImeName = source->FImeName;
  FReadOnly = source->FReadOnly;
  FWidth = source->FWidth;
  FStretchBase = source->FStretchBase;
  FAssignedValues = source->FAssignedValues - TitleValues - cvFont;
  if (source->IsAssigned(cvFont)) {
    FFont.Get()->Assign(source->FFont.Get());
    Assigned(cvFont);
  } else {
    RefreshDefaultFont();
  }
  Title()->Assign(source->Title());
  TotalHeader()->Assign(source->TotalHeader());
  TotalValues()->Assign(source->TotalValues());
  TotalFields()->Assign(source->TotalFields());
  TotalFooter()->Assign(source->TotalFooter());
  ColumnChanged(true);
  if (update) update->Close();
}

void TKelColumn::RestoreDefaults() {
  const bool fontAssigned = IsAssigned(cvFont);
  std::optional<TCollectionUpdate> update;
  if (Collection()) update.emplace(Collection());
  const TKelColumn defaults(nullptr);
  CopySettings(defaults);
  FPickList.reset();
  FFormattedPickText.reset();
  FAssignedValues = {};
  RefreshDefaultFont();
  Title()->RestoreDefaults();
  TotalHeader()->RestoreDefaults();
  TotalValues()->RestoreDefaults();
  TotalFields()->RestoreDefaults();
  TotalFooter()->RestoreDefaults();
  ColumnChanged(fontAssigned);
  if (update) update->Close();
}

}  // namespace kel
