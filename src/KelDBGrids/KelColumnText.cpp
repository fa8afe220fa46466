// TKelColumn, cell text: the display and edit text of the active record and the writing back of
// edited text (all through the grid's text bridge), the ellipsis form of multi-value cells, the
// pick data views with their cached formatted lines, and check-box values and toggling.
#include <algorithm>

#include "KelDBGrids/KelCellTextPrivate.h"
#include "KelDBGrids/KelCheckBoxValues.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

namespace {

constexpr const char* EllipsisText = "...";

// Check states as the check-box glyph strip orders them.
enum TCheckState : int { csUnchecked = 0, csChecked = 1, csGrayed = 2 };
constexpr int CheckStateCount = 3;

}  // namespace

// ---- Display and edit text ---------------------------------------------------------------------

// An auto-number column needs no field: its text is the number alone.
String TKelColumn::GetDisplayText() const {
  TField* field = Field();
  if (!field && !AutoNumber()) return String();
  String text;
  if (field) text = ShowBlob() && IsMemoField(field) ? field->AsString() : field->DisplayText();
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->ColGetText(const_cast<TKelColumn*>(this), text, tkDisplay) : text;
}

String TKelColumn::GetEditText() const {
  TField* field = Field();
  if (!field && !AutoNumber()) return String();
  String text;
  if (field) text = EditMemo() && IsMemoField(field) && !field->OnGetText ? field->AsString() : field->EditText();
  TKelCustomDBGrid* grid = Grid();
  return grid ? grid->ColGetText(const_cast<TKelColumn*>(this), text, tkEdit) : text;
}

void TKelColumn::SetEditText(const String& Value) {
  if (Value == GetEditText()) return;
  TKelCustomDBGrid* grid = Grid();
  if (grid && grid->EditorMode() && ListOptions().Contains(loAutoCloseEditor) &&
      !(MultiSelectList() && ListOptions().Contains(loAutoApplyList)))
    grid->SetEditText(grid->Col(), grid->Row(), Value);
  const String text = grid ? grid->ColSetText(this, Value) : Value;
  if (TField* field = Field()) {
    if (EditMemo() && IsMemoField(field) && !field->OnSetText)
      field->SetAsString(text);
    else
      field->SetEditText(text);
  }
  if (grid) grid->ColTextChanged(this);
}

String TKelColumn::FormatText(const String& Text) const {
  if (!MultiSelectList() || MultiSelectText() != mstEllipsis) return Text;
  if (Text.empty()) return EllipsisText;
  const std::size_t second = Text.find(ValueDelimiter(this));
  return second == String::npos ? Text : Text.substr(0, second) + " " + EllipsisText;
}

// ---- Pick data ---------------------------------------------------------------------------------

String TKelColumn::FormatPickText(int Index) const {
  const auto itemOf = [Index](const TStrings* List) {
    return Index >= 0 && Index < List->Count() ? List->Strings(Index) : String();
  };
  const String& format = PickTextFormat().empty() ? DefPickTextFormat : PickTextFormat();
  return Format(format, {itemOf(PickText()), FPickList ? itemOf(FPickList.get()) : String(), Index});
}

TStrings* TKelColumn::FormattedPickText() const {
  if (!FFormattedPickText) {
    auto lines = std::make_unique<TStringList>();
    for (int i = 0; i < PickText()->Count(); ++i) lines->Add(FormatPickText(i));
    FFormattedPickText = std::move(lines);
  }
  return FFormattedPickText.get();
}

TStrings* TKelColumn::PickData() const {
  if (!PickTextActive()) return PickList();
  const bool formatted = PickOptions().Contains(poFormatPickText) && !PickOptions().Contains(poFormatListOnly);
  return formatted ? FormattedPickText() : PickText();
}

TStrings* TKelColumn::PickDataList() const {
  if (!PickTextActive()) return PickList();
  return PickOptions().Contains(poFormatPickText) ? FormattedPickText() : PickText();
}

int TKelColumn::PickIndex() const {
  TField* field = Field();
  if (!field) return -1;
  String value = field->AsString();
  if (PickListActive()) return StoredItemIndex(this, PickList(), value);
  if (PickTextActive()) return StoredItemIndex(this, PickText(), value);
  return -1;
}

// ---- Check boxes -------------------------------------------------------------------------------

bool TKelColumn::IsCheckBoxValue(bool Checked) const {
  TKelCustomDBGrid* grid = Grid();
  TField* field = Field();
  if (!field) {
    // The automatic select column shows whether the current row is selected.
    // TODO(multi-selection): ask SelectedRows()->CurrentRowSelected() once rows can be selected;
    // until then no row is.
    if (!grid || !grid->DataLink()->Active()) return false;
    return !Checked;
  }
  const String raw = field->AsString();
  const String value = grid ? grid->ColGetText(const_cast<TKelColumn*>(this), raw, tkEdit) : raw;
  const TCheckBoxValues values = TCheckBoxValues::Parse(CheckBoxValues());
  return SameText(value, Checked ? values.Checked : values.Unchecked);
}

int TKelColumn::GetCheckBoxImageIndex() const {
  const int state = IsCheckBoxValue(true) ? csChecked : IsCheckBoxValue(false) ? csUnchecked : csGrayed;
  const int index = state + CheckStateCount * CheckBoxKind();
  if (Images() && index >= Images()->Count()) return index % CheckStateCount;
  return index;
}

bool TKelColumn::IsExpandedBox() const {
  TKelCustomDBGrid* grid = Grid();
  if (!FExpandBox || !grid || grid->FExpandedRecord.IsEmpty() || !grid->DataLink()->Active()) return false;
  TDataSet* data = grid->DataSet();
  return !data->IsEmpty() && data->CompareBookmarks(data->GetBookmark(), grid->FExpandedRecord) == 0;
}

void TKelColumn::ToggleExpandBox() {
  TKelCustomDBGrid* grid = Grid();
  if (!FExpandBox || !grid || !grid->DataLink()->Active() || grid->DataSet()->IsEmpty()) return;
  grid->FExpandedRecord = IsExpandedBox() ? TBookmark() : grid->DataSet()->GetBookmark();
  grid->InvalidateData();
  grid->CellExpand(this);
}

void TKelColumn::ToggleCheckBoxValue() {
  TKelCustomDBGrid* grid = Grid();
  if (!CheckBox() || !grid || !grid->DataLink()->Active() || grid->DataSet()->IsEmpty()) return;
  TField* field = Field();
  if (!field) {
    // The automatic select column selects the current row, when rows can be selected.
    if (grid->Options().Contains(dgMultiSelect) && grid->MultiSelect() == msRows)
      RaiseNotAvailable("TKelColumn.ToggleCheckBoxValue (selecting the current row)");
    return;
  }
  if (!grid->CanColumnModify(this)) return;
  const TCheckBoxValues values = TCheckBoxValues::Parse(CheckBoxValues());
  const String& stored = IsCheckBoxValue(true) ? values.Unchecked : values.Checked;
  field->SetAsString(grid->ColSetText(this, stored));
  grid->ColTextChanged(this);
}

TLookupTextCache& TKelColumn::LookupTexts() const {
  if (!FLookupTexts) FLookupTexts = std::make_unique<TLookupTextCache>();
  return *FLookupTexts;
}

}  // namespace kel
