// The grid's data side: its data source, the reactions to the data link's notifications
// (LinkActive, DataChanged, UpdateActive, Scroll, RecordChanged, EditingChanged), moving the
// current record (MoveBy) and the current column (MoveCol), the record counters, and position
// keeping around data set work.
//
// A one-record scroll: TDataSet::MoveBy -> deDataSetScroll -> TKelGridDataLink::DataSetScrolled
// -> Scroll(distance): the current row follows the active record (UpdateActive), the window
// content moves by the rows scrolled and only the uncovered rows repaint; no layout runs.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "KelDBGrids/KelBookmarkList.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridSettings.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Ui.h"

namespace kel {

TGridPositionGuard::~TGridPositionGuard() {
  if (!FGrid) return;
  try {
    FGrid->EnablePosition(FTakeCurrent);
  } catch (...) {
    // The error that left the bracket is the one the caller sees.
  }
}

// ---- Data source -------------------------------------------------------------------------------

TDataSource* TKelCustomDBGrid::DataSource() const { return FDataLink->DataSource(); }

TDataSet* TKelCustomDBGrid::DataSet() const { return FDataLink->DataSet(); }

void TKelCustomDBGrid::SetDataSource(TDataSource* Value) {
  if (Value == DataSource()) return;
  if (Value && Value == FTotals->DataSource()) {
    if (ComponentState().Contains(csLoading)) return;
    DatabaseError(SCircularDataLink);
  }
  if (Value && Value->DataSet() && Value->DataSet()->IsUniDirectional())
    DatabaseError(SDataSetUnidirectional);
  ClearSelection();
  FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

// ---- Link activation ---------------------------------------------------------------------------

void TKelCustomDBGrid::LinkActive(bool Value) {
  if (ComponentState().Contains(csDestroying)) return;
  const bool designing = ComponentState().Contains(csDesigning);
  if (Value && !designing && FColumns->State() == csDefault && FOptionsExt.Contains(dgForceCustomized))
    FColumns->SetState(csCustomized);
  if (!Value) {
    HideEditor();
    if (Row() != FTitleOffset && FTitleOffset < RowCount()) MoveColRow(Col(), FTitleOffset, true, false);
  }
  FBookmarks->LinkActive(Value);
  ClearSelection();
  LayoutChanged();
  UpdateFilter();
  UpdateListItems(false);
  UpdateSequence(false);
  UpdateScrollBar();
  UpdateHorzFlatSB();
  UpdateRowCount();
  SetStretchActive();
  if (Value) {
    ApplyOrderOnActivation();
    if (FMasterGrid) FMasterGrid->Synchronize();
    AlwaysShowEditor();
  }
  if (Value && FSettings->LoadPending()) {
    FSettings->SetLoadPending(false);
    if (FSettings->Active()) {
      TGridPositionGuard position(this, true);
      FSettings->AutoLoadLayout();
      DataSet()->First();
      position.Close();
    }
    return;
  }
  UpdateTotals(true);
}

// ---- Data events -------------------------------------------------------------------------------

void TKelCustomDBGrid::DataChanged() {
  if (!HandleAllocated() || UpdateInProgress()) return;
  const bool selectionPending = FSelectLock != 0 && (FRowsChanged || FColsChanged);
  TDataSet* dataSet = DataSet();
  if (dataSet && dataSet->State() == dsBrowse && !selectionPending && FChangeLock == 0) {
    UpdateListItems(true);
    UpdateSequence(true);
    UpdateTotals(true);
  }
  // An appended record comes after the last one, whichever record was current before.
  if (dataSet && dataSet->State() == dsInsert && dataSet->Eof()) SetupRecNumber(FRecCount);
  UpdateRowCount();
  UpdateScrollBar();
  UpdateHorzFlatSB();
  UpdateActive();
  InvalidateEditor();
  ValidateRect(Handle(), nullptr);
  Invalidate();
}

void TKelCustomDBGrid::EditingChanged() {
  if (FOptions.Contains(dgIndicator) && FSelRow < RowCount()) InvalidateCell(0, FSelRow);
}

void TKelCustomDBGrid::UpdateActive() {
  if (!HandleAllocated()) return;
  if (!FDataLink->Active()) {
    if (FFlatSBInit) {
      TScrollInfo empty;
      empty.fMask = SIF_ALL;
      SetScrollInfo(Handle(), SB_VERT, empty, true);
    }
    return;
  }
  if (ComponentState().Contains(csLoading)) return;
  const int newRow = FDataLink->ActiveRecord() + FTitleOffset;
  if (Row() != newRow && newRow < RowCount()) {
    if (!FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
    MoveColRow(Col(), newRow, false, false);
    InvalidateEditor();
  }
  if (EditTextStale()) InvalidateEditor();
  if (FOptions.Contains(dgEditing) && FOptions.Contains(dgAllowInsertOff)) {
    const TGridOptions options = TCustomGrid::Options();
    TCustomGrid::SetOptions(EditingOffered(FOptions) ? options + goEditing : options - goEditing);
  }
}

TRect TKelCustomDBGrid::RowBox(int ARow) const {
  int first = 0;
  if (!FOptions.Contains(dgIndicator)) {
    first = ColCount() - 1;
    for (TKelColumn* column : FVisibleColumns) {
      first = std::min(first, DataToRawColumn(column->Index()));
      break;
    }
  }
  TRect box = BoxRect(first, ARow, ColCount() - 1, ARow);
  if (FOptions.Contains(dgRowLines) && FDataRowLineColor == clNone) box.Bottom += GridLineWidth();
  return box;
}

void TKelCustomDBGrid::Scroll(int Distance) {
  if (!HandleAllocated()) return;
  const int oldRow = Row();
  const TRect oldBox = RowBox(oldRow);
  if (RowCount() - FTitleOffset - FTotalOffset <= FDataLink->ActiveRecord()) UpdateRowCount();
  UpdateActive();
  SetupRecNumber(FRecNumber + Distance + Row() - oldRow);
  UpdateScrollBar();
  const TRect newBox = RowBox(Row());
  ValidateRect(Handle(), &oldBox);
  kel::InvalidateRect(Handle(), &oldBox);
  kel::InvalidateRect(Handle(), &newBox);
  if (Distance != 0) {
    HideEditor();
    try {
      if (!InvalidateTile(idTileCol)) {
        if (std::abs(Distance) > VisibleRowCount() || FStripeColor != clNone) {
          InvalidateData();
          TotalsChanged(trDataField, nullptr);
          AlwaysShowEditor();
          return;
        }
        ScrollDataRows(Distance);
      }
    } catch (...) {
      AlwaysShowEditor();
      throw;
    }
    AlwaysShowEditor();
  }
  TotalsChanged(trDataField, nullptr);
  if (FUpdateLock == 0) Update();
}

void TKelCustomDBGrid::ScrollDataRows(int Distance) {
  const int pitch = DefaultRowHeight() + (FOptions.Contains(dgRowLines) ? GridLineWidth() : 0);
  if (FOptions.Contains(dgIndicator) && FSelRow < RowCount()) InvalidateCell(0, FSelRow);
  TRect box = RowBox(FTitleOffset);
  if (FTotalOffset > 0) {
    box.Bottom = RowBox(RowCount() - FTotalOffset - 1).Bottom;
  } else {
    box.Bottom = ClientHeight();
  }
  ScrollWindowEx(Handle(), 0, -pitch * Distance, &box, &box, nullptr, SW_INVALIDATE);
  if (FOptions.Contains(dgIndicator)) InvalidateCell(0, Row());
}

void TKelCustomDBGrid::RecordChanged(TField* Field) {
  if (!HandleAllocated()) return;
  if (!Field) {
    InvalidateData();
    TotalsChanged(trDataField, nullptr);
  } else {
    for (TKelColumn* column : FVisibleColumns) {
      TField* shown = column->Field();
      const bool showsField = shown == Field ||
          (shown && shown->FieldKind() == fkLookup && shown->KeyFields() == Field->FieldName());
      if (!showsField) continue;
      InvalidateCol(DataToRawColumn(column->Index()));
      TotalsChanged(trDataField, Field);
    }
  }
  // While Korean input composes, the editor's text is ahead of the field: only Escape reloads it.
  if ((!Field || Field == SelectedField()) && EditTextStale() &&
      (SystemPrimaryLanguage() != LANG_KOREAN || FIsESCKey)) {
    InvalidateEditor();
    if (TInplaceEdit* editor = InplaceEditor()) editor->Deselect();
  }
  if (Field) UpdateLookupResults(Field);
}

// Only a shown editor can be stale: a hidden one loads its text when shown, so scrolling
// without an editor asks the text bridge for nothing.
bool TKelCustomDBGrid::EditTextStale() const {
  if (!EditorMode()) return false;
  TKelColumn* column = SelectedColumn();
  return column && column->GetEditText() != FEditText;
}

void TKelCustomDBGrid::UpdateLookupResults(TField* KeyField) {
  for (TKelColumn* column : *FColumns) {
    if (column->LookupColumn() != lcLookupResultField) continue;
    if (!SameText(column->KeyField(), KeyField->FieldName())) continue;
    TField* result = column->Field();
    if (!result->CanModify() || !FDataLink->Edit()) continue;
    result->SetValue(KeyField->IsNull() ? Null() : LocateLookupResult(column, KeyField->Value()));
  }
}

Variant TKelCustomDBGrid::LocateLookupResult(TKelColumn* Column, const Variant& Key) {
  TDataSet* lookup = Column->LookupDataSet();
  const bool opened = !lookup->Active();
  if (opened) lookup->Open();
  Variant result = Null();
  try {
    if (lookup->Locate(Column->LookupKeyField(), Key, {}))
      if (TField* resultField = lookup->FindField(Column->LookupResultField())) result = resultField->Value();
  } catch (...) {
    if (opened) lookup->Close();
    throw;
  }
  if (opened) lookup->Close();
  return result;
}

// ---- Moving the current record -----------------------------------------------------------------

int TKelCustomDBGrid::MoveBy(int Distance, bool Check) {
  int result = Distance;
  if (ScrollGridMode()) {
    if (RecNumber() < 0) DataSet()->CheckBrowseMode();
    const bool atEdge = (RecNumber() == 1 && Distance == -1) || (RecNumber() == RecCount() && Distance == 1);
    if (atEdge) result = FDataLink->MoveBy(Distance);
    if (result == 0) return 0;
    const int active = FDataLink->ActiveRecord();
    if (result < 0)
      result = std::max(result, active - RecNumber() + 1);
    else
      result = std::min(result, RecCount() - VisibleRowCount() + active - RecNumber() + 1);
    if (result == 0) return 0;
    Distance = result;
    Check = true;
  }
  if (!Check) return FDataLink->MoveBy(Distance);
  DataSet()->CheckBrowseMode();
  HideEditor();
  bool bof = false;
  bool eof = false;
  {
    TCounterGuard changing(FChangeLock);
    {
      TGridPositionGuard position(this, true);
      result = FDataLink->MoveBy(Distance);
      SetupRecNumber(FRecNumber + result);
      bof = FDataLink->Bof();
      eof = FDataLink->Eof();
      position.Close();
    }
    if (bof) DataSet()->Prior();
    if (eof) DataSet()->Next();
  }
  AlwaysShowEditor();
  return result;
}

// ---- Record counters ---------------------------------------------------------------------------

int TKelCustomDBGrid::RecCount() const {
  if (ForcedSequence()) return FRecCount;
  TDataSet* dataSet = DataSet();
  return dataSet ? dataSet->RecordCount() : -1;
}

int TKelCustomDBGrid::RecNumber() const {
  if (!ForcedSequence()) {
    TDataSet* dataSet = DataSet();
    return dataSet && FDataLink->Active() ? dataSet->RecNo() : -1;
  }
  int number = FRecNumber + FRowNumber;
  if (DataSet()->State() != dsInsert) return number;
  if (DataSet()->Eof()) ++number;
  if (FRowNumber > 0) return number - 1;
  if (FRowNumber < 0) return number;
  return -1;
}

bool TKelCustomDBGrid::SetupRecCount(int n) {
  if (!ForcedSequence()) return false;
  FRecCount = n;
  return true;
}

bool TKelCustomDBGrid::SetupRecNumber(int n) {
  if (!ForcedSequence()) return false;
  FRecNumber = n;
  return true;
}

// ---- Position keeping --------------------------------------------------------------------------

void TKelCustomDBGrid::DisablePosition() {
  ++FPositionDisabled;
  if (FPositionDisabled != 1 || !FDataLink->Active()) return;
  FPositionDataSet = DataSet();
  FLastBookmark = FPositionDataSet->Bookmark();
  FLastPosition = FDataLink->ActiveRecord();
  FPositionDataSet->DisableControls();
}

void TKelCustomDBGrid::EnablePosition(bool TakeCurrent) {
  if (FPositionDisabled == 0) return;
  if (--FPositionDisabled != 0 || !FPositionDataSet) return;
  TDataSet* dataSet = std::exchange(FPositionDataSet, nullptr);
  try {
    if (FDataLink->Active() && DataSet() == dataSet) {
      if (TakeCurrent) FLastBookmark = dataSet->Bookmark();
      GotoPosition(FLastPosition, FLastBookmark);
    }
  } catch (...) {
    dataSet->EnableControls();
    throw;
  }
  dataSet->EnableControls();
  // TODO(ordering): re-apply the last order fields when the current ones differ.
}

void TKelCustomDBGrid::GotoPosition(int ARow, const TBookmark& Bookmark) {
  if (!FDataLink->Active()) return;
  TDataSet* dataSet = DataSet();
  ARow = std::clamp(ARow, 0, std::max(FDataLink->RecordCount() - 1, 0));
  const TBookmark target = Bookmark.IsEmpty() ? dataSet->Bookmark() : Bookmark;
  if (target.IsEmpty() || !dataSet->BookmarkValid(target)) return;
  FDataLink->SetActiveRecord(ARow);
  dataSet->GotoBookmark(target, {rmExact});
}

int TKelCustomDBGrid::Position() const { return FDataLink->ActiveRecord(); }

void TKelCustomDBGrid::SetPosition(int Value) {
  const int row = std::clamp(Value, 0, std::max(FDataLink->RecordCount() - 1, 0));
  FDataLink->MoveBy(row - FDataLink->ActiveRecord());
}

// ---- Current column ----------------------------------------------------------------------------

void TKelCustomDBGrid::SetSelectedIndex(int Value) { MoveCol(DataToRawColumn(Value), 0); }

TKelColumn* TKelCustomDBGrid::SelectedColumn() const {
  const int index = SelectedIndex();
  return index >= 0 && index < FColumns->Count() ? FColumns->Items(index) : nullptr;
}

TField* TKelCustomDBGrid::SelectedField() const {
  TKelColumn* column = SelectedColumn();
  return column ? column->Field() : nullptr;
}

void TKelCustomDBGrid::SetSelectedField(TField* Value) {
  if (!Value) return;
  for (TKelColumn* column : *FColumns)
    if (column->Field() == Value) {
      SetSelectedIndex(column->Index());
      return;
    }
}

void TKelCustomDBGrid::MoveCol(int RawCol, int Direction) {
  FDataLink->UpdateData();
  const int lowest = FIndicatorOffset + FFixedCols;
  RawCol = std::clamp(RawCol, lowest, ColCount() - 1);
  if (Direction != 0) {
    while (RawCol >= lowest && RawCol < ColCount() && IsHiddenColumn(RawCol)) RawCol += Direction;
    if (RawCol < lowest || RawCol >= ColCount()) return;
  }
  if (RawCol == Col()) return;
  if (!FInColExit) {
    const int before = Col();
    {
      TFlagGuard exiting(FInColExit, true);
      ColExit();
    }
    if (Col() != before) return;
  }
  if (!FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
  SetCol(RawCol);
  ColEnter();
}

// A column takes no room: its width is not positive, or (before the widths follow a layout)
// its column no longer shows.
bool TKelCustomDBGrid::IsHiddenColumn(int RawCol) const {
  if (ColWidths(RawCol) <= 0) return true;
  const int index = RawToDataColumn(RawCol);
  return index >= 0 && index < FColumns->Count() && !FColumns->Items(index)->Showing();
}

void TKelCustomDBGrid::ColEnter() {
  // TODO(in-place editor): replace the editor when the new column needs another editor class,
  // and follow the column's input method.
  if (FOptions.Contains(dgAlwaysShowEditor)) ShowEditor();
  if (OnColEnter) OnColEnter(this);
}

void TKelCustomDBGrid::ColExit() {
  if (OnColExit) OnColExit(this);
}

void TKelCustomDBGrid::AlwaysShowEditor() {
  if (FOptions.Contains(dgAlwaysShowEditor) && HandleAllocated()) ShowEditor();
}

bool TKelCustomDBGrid::AcquireFocus() {
  if (!FAcquireFocus || !CanFocus() || ComponentState().Contains(csDesigning)) return true;
  if (!IsActiveControl()) SetFocus();
  return IsActiveControl();
}

// ---- Selection ---------------------------------------------------------------------------------

// The lists of selected rows and columns stay empty until the selection operations exist; the
// column range is reset here. TODO(multi-selection): clear both lists and the anchor inside a
// select bracket, reporting the change.
void TKelCustomDBGrid::ClearSelection() {
  FSelectionColumn = false;
  FSelectionBegCol = -1;
  FSelectionEndCol = -1;
  FSelectionMin = -1;
  FSelectionMax = -1;
  UpdateMultiSelect();
}

}  // namespace kel
