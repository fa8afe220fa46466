// The grid's keyboard: the key map over records and columns, Tab walking, deleting and inserting
// records by key, characters typed on the grid, and what leaving the grid does.
//
// A key goes to the in-place editor first, which passes cell movement on to KeyDown: OnKeyDown
// runs, then, with an active link, the key map (Ctrl keys, then the others). A character goes to
// WMChar: where the column can show an editor the platform opens it and the character reaches
// KeyPress through the editor; elsewhere KeyPress runs alone.
//
// Multi-selection and the search panel are not built. Keys that would extend, copy, select all
// or clear a selection (only while dgMultiSelect allows one) and the search keys (only while the
// search is active) raise EInvalidGridOperation before they change anything.
#include "KelDBGrids/KelBookmarkList.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridSearch.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// Moves far enough to reach either end of any data set.
constexpr int MaxMove = 2147483647;

}  // namespace

bool UntouchedInsert(const TKelCustomDBGrid& Grid) {
  TDataSet* data = Grid.DataSet();
  return data->State() == dsInsert && !data->Modified() && !Grid.DataLink()->IsModified();
}

// One key on one grid: the key map and the movement steps it is made of.
class TKelDBGridKeys {
 public:
  TKelDBGridKeys(TKelCustomDBGrid& Grid, TShiftState Shift)
      : FGrid(Grid), FLink(*Grid.FDataLink), FShift(Shift.Contains(ssShift)), FCtrl(Shift.Contains(ssCtrl)),
        FAlt(Shift.Contains(ssAlt)) {}

  void Handle(Word Key) {
    if (FCtrl)
      CtrlKey(Key);
    else
      PlainKey(Key);
  }

 private:
  bool RowUp();
  bool RowDown(bool Appending);
  void CtrlKey(Word Key);
  void PlainKey(Word Key);
  bool ScrollGridCtrlKey(Word Key);
  bool ScrollGridTrackingKey(Word Key);
  int SelectingMove(int Distance);
  void ColumnMove(int RawCol, int Direction);
  void HorizontalScroll(WPARAM Code);
  void TabWalk(bool Backward);
  void DeleteRecords();
  void InsertRecord();
  void Escape();
  void Home(bool Last);

  bool SelectsRows() const { return FGrid.FMultiSelect == msRows || FGrid.FMultiSelect == msCells; }
  bool SelectsCols() const { return FGrid.FMultiSelect == msCols || FGrid.FMultiSelect == msCells; }
  bool ExtendedSelect() const {
    return FGrid.FOptions.Contains(dgMultiSelect) && FGrid.FOptions.Contains(dgExtendedSelect);
  }
  bool UntouchedInsert() const { return kel::UntouchedInsert(FGrid); }
  bool CanInsert() const {
    return !FGrid.FOptions.Contains(dgAllowInsertOff) && FGrid.DataSet()->CanModify() && !FGrid.ReadOnly() &&
           FGrid.FOptions.Contains(dgEditing);
  }
  // Clearing the selection changes it only with dgMultiSelect (Always, or without
  // dgAutoUnselectOff); that belongs to multi-selection.
  void RefuseClearingSelection(bool Always) const {
    if (FGrid.FOptions.Contains(dgMultiSelect) && (Always || !FGrid.FOptions.Contains(dgAutoUnselectOff)))
      RaiseNotAvailable("Clearing the selection by key");
  }
  void RefuseSearch(const char* Operation) const {
    if (FGrid.FSearch->Active()) RaiseNotAvailable(Operation);
  }

  TKelCustomDBGrid& FGrid;
  TKelGridDataLink& FLink;
  bool FShift;
  bool FCtrl;
  bool FAlt;
};

// ---- Movement steps ----------------------------------------------------------------------------

// Inside a select bracket the move would mark rows; without one it is the grid's move.
int TKelDBGridKeys::SelectingMove(int Distance) {
  const bool cellSelection = FGrid.FMultiSelectOptions.Contains(msCells) && !FGrid.FOptions.Contains(dgRowSelect);
  if (FGrid.FOptions.Contains(dgMultiSelect) && (SelectsRows() || cellSelection))
    RaiseNotAvailable("Selecting rows by key");
  return FGrid.MoveBy(Distance, false);
}

// An untouched record appended at the end goes away instead of staying behind.
bool TKelDBGridKeys::RowUp() {
  if (UntouchedInsert() && FLink.Eof()) {
    FLink.Cancel();
    return true;
  }
  return SelectingMove(-1) != 0;
}

// Past the last record a new one is appended; an untouched new record does not append another.
bool TKelDBGridKeys::RowDown(bool Appending) {
  if (UntouchedInsert()) {
    if (FLink.Eof()) return false;
    FLink.Cancel();
    return true;
  }
  bool moved = SelectingMove(1) != 0;
  if (Appending && FLink.Eof() && CanInsert()) {
    FGrid.PerformDelayed();
    FGrid.DataSet()->Append();
    moved = true;
  }
  return moved;
}

void TKelDBGridKeys::ColumnMove(int RawCol, int Direction) {
  if (FGrid.DataSet()->State() == dsBrowse && FGrid.FOptions.Contains(dgMultiSelect) && SelectsCols())
    RaiseNotAvailable("Selecting columns by key");
  FGrid.MoveCol(RawCol, Direction);
}

void TKelDBGridKeys::HorizontalScroll(WPARAM Code) {
  FGrid.Perform(WM_HSCROLL, Code, 0);
  FGrid.Perform(WM_HSCROLL, SB_ENDSCROLL, 0);
}

// Column by column with a tab stop; past either end of the row to the next or previous record.
// The walk stops where it started, or where no record is left to go to.
void TKelDBGridKeys::TabWalk(bool Backward) {
  TGridUpdateGuard update(&FGrid);
  const int lowest = FGrid.FIndicatorOffset + FGrid.FFixedCols;
  const int start = FGrid.Col();
  int col = start;
  for (;;) {
    col += Backward ? -1 : 1;
    if (col >= FGrid.ColCount()) {
      if (!RowDown(true)) return;
      col = lowest;
    } else if (col < lowest) {
      if (!RowUp()) return;
      col = FGrid.ColCount() - 1;
    }
    if (col == start) return;
    if (FGrid.TabStops(col) && !FGrid.IsHiddenColumn(col)) {
      FGrid.MoveCol(col, 0);
      return;
    }
  }
}

// ---- Deleting and inserting --------------------------------------------------------------------

void TKelDBGridKeys::DeleteRecords() {
  TDataSet* data = FGrid.DataSet();
  if (FGrid.FOptions.Contains(dgAllowDeleteOff) || SelectsCols() || FGrid.ReadOnly() || data->IsEmpty() ||
      !data->CanModify())
    return;
  const int selected = FGrid.SelectedRows()->Count();
  if (selected > 0) RaiseNotAvailable("Deleting the selected records");
  if (FGrid.FOptions.Contains(dgConfirmDelete)) {
    const char* question = selected < 2 ? SDeleteRecordQuestion : SDeleteMultipleRecordsQuestion;
    if (MessageDlg(question, mtConfirmation, mbOKCancel, 0) != mrOk) return;
  }
  data->Delete();
}

void TKelDBGridKeys::InsertRecord() {
  if (!CanInsert()) return;
  RefuseClearingSelection(false);
  FGrid.PerformDelayed();
  FGrid.DataSet()->Insert();
}

// Escape drops the editor's change, or without one the record's.
void TKelDBGridKeys::Escape() {
  RefuseClearingSelection(false);
  if (SystemPrimaryLanguage() == LANG_KOREAN) FGrid.FIsESCKey = true;
  FLink.Reset();
  if (!FGrid.FOptions.Contains(dgAlwaysShowEditor)) FGrid.HideEditor();
}

// Home and End: the first or last column, or with a single column or row selection the first or
// last record.
void TKelDBGridKeys::Home(bool Last) {
  if (FGrid.RowScroll()) {
    HorizontalScroll(Last ? SB_RIGHT : SB_LEFT);
    return;
  }
  if (FGrid.ColCount() - FGrid.FIndicatorOffset > 1 && !FGrid.FOptions.Contains(dgRowSelect)) {
    if (Last)
      ColumnMove(FGrid.ColCount() - 1, -1);
    else
      ColumnMove(FGrid.FIndicatorOffset + FGrid.FFixedCols, 1);
    return;
  }
  RefuseClearingSelection(false);
  if (Last)
    FGrid.DataSet()->Last();
  else
    FGrid.DataSet()->First();
}

// ---- The key map -------------------------------------------------------------------------------

void TKelDBGridKeys::CtrlKey(Word Key) {
  const bool rowKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END ||
                      Key == VK_UP || Key == VK_DOWN;
  if (FShift && ExtendedSelect() && SelectsRows() && rowKey && Key != VK_PRIOR && Key != VK_NEXT)
    RaiseNotAvailable("Extending the row selection by key");
  if ((rowKey && SelectsRows()) || ((Key == VK_LEFT || Key == VK_RIGHT) && SelectsCols()))
    RefuseClearingSelection(false);
  if (ScrollGridCtrlKey(Key)) return;
  switch (Key) {
    case VK_UP:
    case VK_PRIOR: FLink.MoveBy(-FLink.ActiveRecord()); break;
    case VK_DOWN:
    case VK_NEXT: FLink.MoveBy(FLink.BufferCount() - FLink.ActiveRecord() - 1); break;
    case VK_LEFT:
      if (FGrid.RowScroll())
        HorizontalScroll(SB_PAGELEFT);
      else
        ColumnMove(FGrid.FIndicatorOffset + FGrid.FFixedCols, 1);
      break;
    case VK_RIGHT:
      if (FGrid.RowScroll())
        HorizontalScroll(SB_PAGERIGHT);
      else
        ColumnMove(FGrid.ColCount() - 1, -1);
      break;
    case VK_HOME: FGrid.DataSet()->First(); break;
    case VK_END: FGrid.DataSet()->Last(); break;
    case 'F': RefuseSearch("Showing the search panel"); break;
    case VK_F3: RefuseSearch("Searching the grid"); break;
    case 'Z':
      if (ExtendedSelect()) RefuseClearingSelection(true);
      break;
    case 'C':
    case VK_INSERT:
      if (ExtendedSelect()) RaiseNotAvailable("Copying the selection to the clipboard");
      break;
    case 'A':
      if (ExtendedSelect()) RaiseNotAvailable("Selecting all records");
      break;
    case VK_DELETE: DeleteRecords(); break;
    default: break;
  }
}

// In scroll-grid mode the grid's record numbers bound its moves, and the link moves beyond them.
bool TKelDBGridKeys::ScrollGridCtrlKey(Word Key) {
  if (!FGrid.ScrollGridMode()) return false;
  if ((Key == VK_HOME || Key == VK_END) && FGrid.FOptionsExt.Contains(dgMouseTracking)) {
    FLink.MoveBy(Key == VK_HOME ? -MaxMove : MaxMove);
    return true;
  }
  const bool inserting = FGrid.DataSet()->State() == dsInsert;
  switch (Key) {
    case VK_HOME: FGrid.MoveBy(-MaxMove); return true;
    case VK_END: FGrid.MoveBy(MaxMove); return true;
    case VK_UP:
      if (inserting && FLink.Eof())
        RowUp();
      else
        FLink.MoveBy(-1);
      return true;
    case VK_DOWN:
      if (FGrid.RecNumber() >= FGrid.RecCount() || inserting)
        RowDown(true);
      else
        FLink.MoveBy(1);
      return true;
    default: return false;
  }
}

bool TKelDBGridKeys::ScrollGridTrackingKey(Word Key) {
  if (!FGrid.ScrollGridMode() || !FGrid.FOptionsExt.Contains(dgMouseTracking)) return false;
  const int page = FGrid.VisibleRowCount();
  switch (Key) {
    case VK_UP:
      if (!RowUp()) FLink.MoveBy(-1);
      return true;
    case VK_DOWN:
      if (!RowDown(true) && !UntouchedInsert()) FLink.MoveBy(1);
      return true;
    case VK_HOME: FLink.MoveBy(-MaxMove); return true;
    case VK_END: FLink.MoveBy(MaxMove); return true;
    case VK_PRIOR:
      if (FGrid.MoveBy(-page) == 0) FLink.MoveBy(-page);
      return true;
    case VK_NEXT:
      if (FGrid.MoveBy(page) == 0) FLink.MoveBy(page);
      return true;
    default: return false;
  }
}

void TKelDBGridKeys::PlainKey(Word Key) {
  if (FShift && (Key == VK_PRIOR || Key == VK_NEXT) && ExtendedSelect() && SelectsRows())
    RaiseNotAvailable("Extending the row selection by key");
  if (ScrollGridTrackingKey(Key)) return;
  switch (Key) {
    case VK_F2:
      if (TKelColumn* column = FGrid.SelectedColumn(); column && column->CanEditShow()) FGrid.SetEditorMode(true);
      break;
    case VK_F3: RefuseSearch("Searching the grid"); break;
    case VK_INSERT:
      if (!FShift) InsertRecord();
      break;
    case VK_UP: RowUp(); break;
    case VK_DOWN: RowDown(true); break;
    case VK_RIGHT:
      if (FGrid.RowScroll())
        HorizontalScroll(SB_LINERIGHT);
      else if (FGrid.FOptions.Contains(dgRowSelect))
        RowDown(true);
      else
        ColumnMove(FGrid.Col() + 1, 1);
      break;
    case VK_LEFT:
      if (FGrid.RowScroll())
        HorizontalScroll(SB_LINELEFT);
      else if (FGrid.FOptions.Contains(dgRowSelect))
        RowUp();
      else
        ColumnMove(FGrid.Col() - 1, -1);
      break;
    case VK_END: Home(true); break;
    case VK_HOME: Home(false); break;
    case VK_NEXT:
    case VK_PRIOR:
      if (SelectsRows()) RefuseClearingSelection(false);
      FGrid.MoveBy(Key == VK_NEXT ? FGrid.VisibleRowCount() : -FGrid.VisibleRowCount());
      break;
    case VK_ESCAPE: Escape(); break;
    case VK_TAB:
      if (FAlt) break;
      if (SelectsCols()) RefuseClearingSelection(false);
      TabWalk(FShift);
      break;
    default: break;
  }
}

// ---- The grid's key handlers -------------------------------------------------------------------

void TKelCustomDBGrid::KeyDown(Word& Key, TShiftState Shift) {
  FLastShiftState = Shift;
  Application->CancelHint();
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0 || !FDataLink->Active() || !CanGridAcceptKey(Key, Shift)) return;
  Word key = Key;
  if (UseRightToLeftAlignment() && (key == VK_LEFT || key == VK_RIGHT)) key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
  TKelDBGridKeys(*this, Shift).Handle(key);
}

void TKelCustomDBGrid::KeyUp(Word& Key, TShiftState Shift) {
  FLastShiftState = Shift;
  TCustomGrid::KeyUp(Key, Shift);
}

// Enter and Space act on a check box without opening an editor.
void TKelCustomDBGrid::KeyPress(Char& Key) {
  FIsESCKey = false;
  if (Key == U'\r' || Key == U' ') {
    TKelColumn* column = SelectedColumn();
    const bool toggles = column && column->CheckBox() && column->CheckBoxToggle() != ctCustomToggle &&
                         column->ShowEdit() && (!column->Field() || FOptions.Contains(dgEditing));
    if (toggles && FDataLink->Active()) {
      column->ToggleCheckBoxValue();
      Key = 0;
      return;
    }
    if (column && column->ExpandBox() && column->ExpandBoxToggle() != etCustomToggle) {
      column->ToggleExpandBox();
      Key = 0;
      return;
    }
  }
  if (Key == U'\r' && !FOptions.Contains(dgAlwaysShowEditor)) FDataLink->UpdateData();
  TCustomGrid::KeyPress(Key);
}

void TKelCustomDBGrid::WMChar(TWMChar& Message) {
  const Char ch = static_cast<Char>(Message.CharCode);
  const bool typed = ch == U'\b' || (ch >= U' ' && ch != 0x7F);
  TKelColumn* column = SelectedColumn();
  const bool noEditor = typed && FOptions.Contains(dgEditing) && !(column && column->CanEditShow());
  if (FOptionsEx.Contains(dgShowEditorByCharOff) || noEditor)
    TWinControl::WMChar(Message);
  else
    TCustomGrid::WMChar(Message);
}

void TKelCustomDBGrid::CMExit(TMessage& Message) {
  if (FDataLink->Active()) {
    if (FOptions.Contains(dgCancelOnExit) && UntouchedInsert(*this))
      FDataLink->Cancel();
    else
      FDataLink->UpdateData();
  }
  TCustomGrid::CMExit(Message);
}

}  // namespace kel
