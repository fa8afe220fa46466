// TStringGrid: sparse cell storage (a map of the rows that hold something, each a vector of the
// cells up to the last column written), the column and row views handed out as TStrings, the
// default painting of the cell text, and the data following moved columns and rows.
#include "platform/grids/StringGrid.h"

#include <algorithm>

#include "platform/grids/GridPrivate.h"

namespace kel {

// A column or row of the grid seen as a list of strings with objects.
class TStringGrid::TLineStrings : public TStrings {
  KEL_CLASS(TLineStrings, TStrings)

 public:
  TLineStrings(TStringGrid* Grid, int Index, bool IsColumn)
      : FGrid(Grid), FIndex(Index), FColumn(IsColumn) {}

  int Count() const override { return FColumn ? FGrid->RowCount() : FGrid->ColCount(); }

  void Clear() override {
    TStringsUpdate update(this);
    for (int i = 0; i < Count(); ++i) {
      Put(i, String());
      PutObject(i, nullptr);
    }
    update.Close();
  }

  void Delete(int Index) override { CannotResize(); }

  void InsertObject(int Index, const String& S, TObject* AObject) override { CannotResize(); }

  // Fills the first cell of the line holding neither text nor object.
  int AddObject(const String& S, TObject* AObject) override {
    for (int i = 0; i < Count(); ++i) {
      if (!Get(i).empty() || GetObject(i)) continue;
      TStringsUpdate update(this);
      Put(i, S);
      PutObject(i, AObject);
      update.Close();
      return i;
    }
    throw EInvalidGridOperation("Grid line has no empty cell");
  }

  // Copies line by line; cells past the source's lines are emptied.
  void Assign(TPersistent* Source) override {
    auto* source = dynamic_cast<TStrings*>(Source);
    if (!source) {
      TStrings::Assign(Source);
      return;
    }
    if (source == this) return;
    TStringsUpdate update(this);
    for (int i = 0; i < Count(); ++i) {
      const bool given = i < source->Count();
      Put(i, given ? source->Strings(i) : String());
      PutObject(i, given ? source->Objects(i) : nullptr);
    }
    update.Close();
  }

 protected:
  String Get(int Index) const override {
    CheckIndex(Index);
    return FGrid->CellText(ColOf(Index), RowOf(Index));
  }
  void Put(int Index, const String& S) override {
    CheckIndex(Index);
    FGrid->SetCells(ColOf(Index), RowOf(Index), S);
  }
  TObject* GetObject(int Index) const override {
    CheckIndex(Index);
    return FGrid->Objects(ColOf(Index), RowOf(Index));
  }
  void PutObject(int Index, TObject* AObject) override {
    CheckIndex(Index);
    FGrid->SetObjects(ColOf(Index), RowOf(Index), AObject);
  }
  // Inside a bracket the cells do not repaint one by one; the line repaints at the end.
  void SetUpdateState(bool Updating) override {
    if (Updating) {
      ++FGrid->FUpdating;
      return;
    }
    --FGrid->FUpdating;
    if (FColumn)
      FGrid->InvalidateCol(FIndex);
    else
      FGrid->InvalidateRow(FIndex);
  }

 private:
  [[noreturn]] static void CannotResize() {
    throw EInvalidGridOperation("Cannot insert or delete grid lines");
  }
  void CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
  }
  int ColOf(int Index) const { return FColumn ? FIndex : Index; }
  int RowOf(int Index) const { return FColumn ? Index : FIndex; }

  TStringGrid* FGrid;
  int FIndex;    // the column or row
  bool FColumn;  // a column (lines are rows) or a row (lines are columns)
};

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

// ---- Cells ----------------------------------------------------------------------------------------

const TStringGrid::TCell* TStringGrid::FindCell(int ACol, int ARow) const {
  const auto row = FData.find(ARow);
  if (row == FData.end() || ACol < 0 || ACol >= static_cast<int>(row->second.size()))
    return nullptr;
  return &row->second[static_cast<std::size_t>(ACol)];
}

TStringGrid::TCell& TStringGrid::CellAt(int ACol, int ARow) {
  std::vector<TCell>& row = FData[ARow];
  if (static_cast<int>(row.size()) <= ACol) row.resize(static_cast<std::size_t>(ACol) + 1);
  return row[static_cast<std::size_t>(ACol)];
}

const String& TStringGrid::CellText(int ACol, int ARow) const {
  static const String empty;
  const TCell* cell = FindCell(ACol, ARow);
  return cell ? cell->Text : empty;
}

void TStringGrid::CheckCell(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    throw EInvalidGridOperation("Grid index out of range");
}

void TStringGrid::SetCells(int ACol, int ARow, const String& Value) {
  CheckCell(ACol, ARow);
  if (Value == CellText(ACol, ARow)) return;
  CellAt(ACol, ARow).Text = Value;
  CellChanged(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  const TCell* cell = FindCell(ACol, ARow);
  return cell ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  CheckCell(ACol, ARow);
  if (Value == Objects(ACol, ARow)) return;
  CellAt(ACol, ARow).Object = Value;
  if (FUpdating == 0) InvalidateCell(ACol, ARow);
}

void TStringGrid::CellChanged(int ACol, int ARow) {
  if (FUpdating == 0) InvalidateCell(ACol, ARow);
  if (!FEditUpdate && EditorMode() && ACol == Col() && ARow == Row()) InvalidateEditor();
}

TStrings* TStringGrid::Cols(int Index) {
  if (Index < 0 || Index >= ColCount()) throw EInvalidGridOperation("Grid index out of range");
  std::unique_ptr<TLineStrings>& view = FColViews[Index];
  if (!view) view = std::make_unique<TLineStrings>(this, Index, true);
  return view.get();
}

TStrings* TStringGrid::Rows(int Index) {
  if (Index < 0 || Index >= RowCount()) throw EInvalidGridOperation("Grid index out of range");
  std::unique_ptr<TLineStrings>& view = FRowViews[Index];
  if (!view) view = std::make_unique<TLineStrings>(this, Index, false);
  return view.get();
}

// ---- Hooks ----------------------------------------------------------------------------------------

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) {
    const String& text = CellText(ACol, ARow);
    if (!text.empty()) {
      // The background is painted already: the text goes over it.
      TBrush* brush = Canvas()->Brush();
      brush->SetStyle(bsClear);
      Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, text);
      brush->SetStyle(bsSolid);
    }
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(int ACol, int ARow) {
  String value = CellText(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value) {
  if (Value != CellText(ACol, ARow)) {
    FEditUpdate = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } reset{FEditUpdate};
    SetCells(ACol, ARow, Value);
  }
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  const std::size_t last = static_cast<std::size_t>(std::max(FromIndex, ToIndex));
  for (auto& [row, cells] : FData) {
    if (cells.size() <= static_cast<std::size_t>(std::min(FromIndex, ToIndex))) continue;
    if (cells.size() <= last) cells.resize(last + 1);
    const auto from = cells.begin() + FromIndex;
    const auto to = cells.begin() + ToIndex;
    if (FromIndex < ToIndex)
      std::rotate(from, from + 1, to + 1);
    else
      std::rotate(to, from, from + 1);
  }
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  MoveMapKey(FData, FromIndex, ToIndex);
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

// Cells outside the new counts are forgotten.
void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  if (RowCount() < OldRowCount) FData.erase(FData.lower_bound(RowCount()), FData.end());
  if (ColCount() < OldColCount)
    for (auto& [row, cells] : FData)
      if (static_cast<int>(cells.size()) > ColCount())
        cells.resize(static_cast<std::size_t>(ColCount()));
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

}  // namespace kel
