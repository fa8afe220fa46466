// What the grid answers its in-place editor about the selected column (whether it shows and may
// change the text, which characters it takes, the text's limit and mask, the button style and the
// drop-down list kind), and the grid's side of drop-downs: menus popped up below a cell or a
// title, the list events, and the state that lets an editor drop its list down by itself once
// per cell.
//
// The filter list of a title and the popup editor of nested data sets are not built: asking for
// them raises EInvalidGridOperation before anything changes.
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnTitle.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

bool IsTextField(const TField* Field) {
  return Field->DataType() == ftString || Field->DataType() == ftWideString;
}

bool IsNestedField(const TField* Field) {
  return Field->DataType() == ftReference || Field->DataType() == ftDataSet;
}

// A lookup list can change Column's key field through the grid's link.
bool LookupListEditable(const TKelCustomDBGrid& Grid, TKelColumn* Column) {
  TField* field = Column->Field();
  TField* key = field->DataSet() ? field->DataSet()->FindField(Column->KeyField()) : nullptr;
  if (!key || !key->CanModify()) return false;
  if (Column->AssignedValues().Contains(cvReadOnly) && Column->ReadOnly()) return false;
  const TKelGridDataLink* link = Grid.DataLink();
  return !Grid.ReadOnly() && link->Active() && link->DataSet()->Active() && !link->ReadOnly();
}

}  // namespace

// ---- Editor answers ----------------------------------------------------------------------------

bool TKelCustomDBGrid::CanEditShow() {
  if (FLayoutLock != 0 || !TCustomGrid::CanEditShow()) return false;
  TKelColumn* column = SelectedColumn();
  return column && column->CanEditShow();
}

bool TKelCustomDBGrid::CanEditAcceptKey(Char Key) {
  TField* field = FDataLink->Active() ? SelectedField() : nullptr;
  return field && field->IsValidChar(Key);
}

bool TKelCustomDBGrid::CanEditModify() {
  TKelColumn* column = SelectedColumn();
  return ModifyColumnField(*this, column, column && column->EditMemo());
}

int TKelCustomDBGrid::GetEditLimit() {
  TKelColumn* column = SelectedColumn();
  TField* field = column ? column->Field() : nullptr;
  if (!field || !IsTextField(field) || column->PickTextActive()) return 0;
  return field->Size();
}

String TKelCustomDBGrid::GetEditMask(int ACol, int) {
  const int index = RawToDataColumn(ACol);
  if (!FDataLink->Active() || index < 0 || index >= FColumns->Count()) return String();
  TKelColumn* column = FColumns->Items(index);
  TField* field = column->Field();
  if (!field || column->PickTextActive()) return String();
  return field->EditMask();
}

TEditorStyle TKelCustomDBGrid::GetEditorStyle(TKelColumn* Column) {
  if (!Column) Column = SelectedColumn();
  if (!Column) return edsSimple;
  switch (Column->ButtonStyle()) {
    case cbsEllipsis: return edsEllipsis;
    case cbsNone: return edsSimple;
    case cbsDropDown: return edsDropDown;
    case cbsDropDownMenu: return edsDropDownMenu;
    case cbsCalendar:
    case cbsCalculator: return edsDropDownList;
    case cbsAuto: break;
  }
  TField* field = Column->Field();
  if (!field) return edsSimple;
  if (Column->LookupActive()) return LookupListEditable(*this, Column) ? edsDropDownList : edsSimple;
  if ((Column->PickDataActive() || Column->CalendarActive()) && !Column->ReadOnly()) return edsDropDownList;
  return IsNestedField(field) ? edsEllipsis : edsSimple;
}

TEditorListKind TKelCustomDBGrid::GetEditorListClass(TKelColumn* Column) {
  if (!Column) Column = SelectedColumn();
  if (!Column) return elkNone;
  switch (Column->ButtonStyle()) {
    case cbsAuto:
      if (Column->LookupActive()) return elkDataList;
      if (Column->PickDataActive()) return elkPickList;
      return Column->CalendarActive() ? elkCalendar : elkNone;
    case cbsCalendar: return elkCalendar;
    case cbsCalculator: return elkCalculator;
    default: return elkNone;
  }
}

void TKelCustomDBGrid::EditButtonClick() {
  if (OnEditButtonClick) OnEditButtonClick(this);
}

// ---- Drop-downs --------------------------------------------------------------------------------

bool TKelCustomDBGrid::DropDownList(TKelColumn* Column, bool FromTitle) {
  if (!Column || !FromTitle) return false;
  RaiseNotAvailable("TKelCustomDBGrid.DropDownList (the filter list of a title)");
}

bool TKelCustomDBGrid::DropDownMenu(TKelColumn* Column, bool FromTitle, TPopupMenu* Menu) {
  if (!Menu && Column) Menu = FromTitle ? Column->Title()->DropDownMenu() : Column->DropDownMenu();
  if (!Menu && !Column) Menu = FromTitle ? FFillerPopupMenu : FIndicatorPopupMenu;
  if (!Menu) return false;
  Menu->SetPopupComponent(this);
  const TPoint point = DropDownPoint(Column, FromTitle);
  Perform(WM_CANCELMODE, 0, 0);
  if (FromTitle) HideEditor();
  Menu->Popup(point.X, point.Y);
  return true;
}

// Below the cell's (or the title's) left edge; a group's title starts at its first shown column.
TPoint TKelCustomDBGrid::DropDownPoint(TKelColumn* Column, bool FromTitle) const {
  int index = Column ? Column->Index() : -FIndicatorOffset;
  if (Column && !Column->Showing())
    while (index < Column->ExpandIndex() && !FColumns->Items(index)->Showing()) ++index;
  const int raw = DataToRawColumn(index);
  const int row = FromTitle && FTitleOffset > 0 ? FTitleOffset - 1 : Row();
  const TRect cell = CellRect(raw, row);
  return ClientToScreen(TPoint{cell.Left, cell.Bottom});
}

void TKelCustomDBGrid::ListDropDown(TObject* List) {
  if (OnListDropDown) OnListDropDown(SelectedColumn(), List);
}

void TKelCustomDBGrid::ListCloseUp(TObject* List, Variant& Value, bool& Accept) {
  if (OnListCloseUp) OnListCloseUp(SelectedColumn(), List, Value, Accept);
}

void TKelCustomDBGrid::ShowPopupEditor(TKelColumn* Column, int, int) {
  TField* field = Column ? Column->Field() : nullptr;
  if (!field || field->DataType() != ftDataSet) return;
  RaiseNotAvailable("TKelCustomDBGrid.ShowPopupEditor (nested data sets)");
}

// ---- Automatic drop-down -----------------------------------------------------------------------

bool TKelCustomDBGrid::AllowAutoDropDown() {
  const bool selectionPending = FSelectLock != 0 && (FRowsChanged || FColsChanged);
  if ((FLastCol == Col() && FLastRow == Row()) || FLastCol == -2 || FUpdateLock > 1 ||
      (FOptionsEx.Contains(dgClickSelectOff) && selectionPending))
    return false;
  FLastCol = Col();
  FLastRow = Row();
  return true;
}

void TKelCustomDBGrid::AutoDropDownState(int Value) {
  if (Value != -3) {
    FLastCol = Value;
    FLastRow = Value;
    return;
  }
  if (FLastCol != -2) return;
  FLastCol = Col();
  FLastRow = Row();
}

}  // namespace kel
