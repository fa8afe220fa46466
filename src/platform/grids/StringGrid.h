// The two grids ready to use: TDrawGrid, whose cells the application paints and edits through
// events, and TStringGrid, which keeps a string and an object per cell and paints the strings.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/grids/CustomGrid.h"
#include "platform/rtl/Strings.h"

namespace kel {

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TFixedCellClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

class TDrawGrid : public TCustomGrid {
  KEL_CLASS(TDrawGrid, TCustomGrid)

 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  // Published: ColCount, RowCount, DefaultColWidth, DefaultRowHeight, DefaultDrawing, FixedColor,
  // FixedCols, FixedRows (after the counts they must stay below), FixedLineColor, GridLineColor,
  // GridLineWidth, Options, ScrollBars; the grid events.
  static const TPropList& PublishedProperties();

  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  // Paints a cell (after the default background).
  TDrawCellEvent OnDrawCell;
  // May refuse a cell as the current one.
  TSelectCellEvent OnSelectCell;
  // Supply the editor's mask and text for a cell.
  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  // The editor's text changed (every change, and when the editor closes).
  TSetEditEvent OnSetEditText;
  TNotifyEvent OnTopLeftChanged;
  TFixedCellClickEvent OnFixedCellClick;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  String GetEditMask(int ACol, int ARow) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void TopLeftChanged() override;
  void FixedCellClick(int ACol, int ARow) override;
};

class TStringGrid : public TDrawGrid {
  KEL_CLASS(TStringGrid, TDrawGrid)

 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  // Cells outside the grid raise EInvalidGridOperation when set; they read as empty.
  String Cells(int ACol, int ARow) const { return CellText(ACol, ARow); }
  void SetCells(int ACol, int ARow, const String& Value);
  // Objects are not owned.
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);
  // A live view of a column (its lines are the column's cells, top to bottom) or of a row.
  // Lines cannot be inserted or deleted; Add fills the first empty cell. Owned by the grid.
  TStrings* Cols(int Index);
  void SetCols(int Index, TStrings* Value) { Cols(Index)->Assign(Value); }
  TStrings* Rows(int Index);
  void SetRows(int Index, TStrings* Value) { Rows(Index)->Assign(Value); }

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;

 private:
  class TLineStrings;
  friend class TLineStrings;
  struct TCell {
    String Text;
    TObject* Object = nullptr;
  };

  // The stored text of a cell, or an empty string; no copy.
  const String& CellText(int ACol, int ARow) const;
  const TCell* FindCell(int ACol, int ARow) const;
  // The cell's storage, created on first write.
  TCell& CellAt(int ACol, int ARow);
  void CheckCell(int ACol, int ARow) const;
  // A cell's value changed: repaint it, and reload the editor when it shows that cell.
  void CellChanged(int ACol, int ARow);

  // Rows that hold something, each with its cells up to the last column written.
  std::map<int, std::vector<TCell>> FData;
  // Views handed out by Cols and Rows, kept for the life of the grid.
  std::map<int, std::unique_ptr<TLineStrings>> FColViews;
  std::map<int, std::unique_ptr<TLineStrings>> FRowViews;
  int FUpdating = 0;    // views in an update bracket: their line repaints once at the end
  bool FEditUpdate = false;  // SetEditText is writing the editor's text into its own cell
};

}  // namespace kel
