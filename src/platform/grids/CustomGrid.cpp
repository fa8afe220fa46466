// TCustomGrid: construction, the property setters (counts, fixed counts, sizes, lines, options,
// colours, scroll bars), the count change with its clamping of the current cell, window creation
// and scaling.
//
// Every setter follows one discipline: return when unchanged; validate (EInvalidGridOperation,
// nothing changed) or clamp; store and bump the geometry version when the layout of cells moves;
// invalidate what shows the change; then the Changed hook (ColWidthsChanged, RowHeightsChanged).
#include "platform/grids/CustomGrid.h"

#include <algorithm>

#include "platform/grids/GridPrivate.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/ui/Application.h"

namespace kel {

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner),
      FCols(GridDefaultCount, GridDefaultColWidth, /*cacheOffsets=*/true),
      FRows(GridDefaultCount, GridDefaultRowHeight, /*cacheOffsets=*/false),
      FTabStops(GridDefaultCount, true) {
  // The grid paints every pixel of its client area and calls Click itself (FocusCell).
  FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks};
  FBorderStyle = bsSingle;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
  SetBoundsQuietly(Bounds(0, 0, 320, 120));
  ResetTopLeft();
}

// What every grid constructs; the grid's own properties are published by TDrawGrid.
const TPropList& TCustomGrid::PublishedProperties() {
  using C = TCustomGrid;
  static const TPropList list = PropertyTable<C>()
      .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, bsSingle)
      .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, false)
      .Boolean("TabStop", &C::TabStop, &C::SetTabStop, true);
  return list;
}

TCustomGrid::~TCustomGrid() {
  if (FTimerRunning && HandleAllocated()) KillTimer(FHandle, 1);
  if (FInplaceEdit) {
    FInplaceEdit->FGrid = nullptr;
    delete FInplaceEdit;
    FInplaceEdit = nullptr;
  }
}

void TCustomGrid::InvalidOp(const char* Message) { throw EInvalidGridOperation(Message); }

// ---- Counts -------------------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value) {
  ChangeSize(std::max(Value, 1), RowCount());
}

void TCustomGrid::SetRowCount(int Value) {
  ChangeSize(ColCount(), std::max(Value, 1));
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
  const int oldColCount = ColCount();
  const int oldRowCount = RowCount();
  if (NewColCount == oldColCount && NewRowCount == oldRowCount) return;
  const TGridDrawInfo before = DrawInfo();
  FCols.SetCount(NewColCount);
  FRows.SetCount(NewRowCount);
  FTabStops.resize(static_cast<std::size_t>(NewColCount), true);
  FFixedCols = std::min(FFixedCols, NewColCount - 1);
  FFixedRows = std::min(FFixedRows, NewRowCount - 1);
  GeometryChanged();
  ClampCurrentToGrid();
  if (HandleAllocated()) {
    // Only the area between the old and the new end of the cells changes.
    const TGridDrawInfo& after = DrawInfo();
    if (before.Horz.FirstGridCell != after.Horz.FirstGridCell ||
        before.Vert.FirstGridCell != after.Vert.FirstGridCell) {
      InvalidateGrid();
    } else {
      const int width = after.Horz.GridExtent;
      const int height = after.Vert.GridExtent;
      if (NewColCount != oldColCount) {
        const int from = std::min(before.Horz.GridBoundary, after.Horz.GridBoundary);
        InvalidateLogicalRect(Rect(from, 0, width, height));
      }
      if (NewRowCount != oldRowCount) {
        const int from = std::min(before.Vert.GridBoundary, after.Vert.GridBoundary);
        InvalidateLogicalRect(Rect(0, from, width, height));
      }
    }
  }
  UpdateScrollRange();
  SizeChanged(oldColCount, oldRowCount);
}

// The current cell, the anchor and the top-left cell back inside the grid after a count change.
void TCustomGrid::ClampCurrentToGrid() {
  auto clamp = [](TGridCoord& c, int minX, int minY, int maxX, int maxY) {
    c.X = std::clamp(c.X, minX, std::max(minX, maxX));
    c.Y = std::clamp(c.Y, minY, std::max(minY, maxY));
  };
  const TGridCoord oldCurrent = FCurrent;
  clamp(FCurrent, FFixedCols, FFixedRows, ColCount() - 1, RowCount() - 1);
  clamp(FAnchor, FFixedCols, FFixedRows, ColCount() - 1, RowCount() - 1);
  clamp(FTopLeft, FFixedCols, FFixedRows, ColCount() - 1, RowCount() - 1);
  if (FOptions.Contains(goRowSelect)) FAnchor.X = ColCount() - 1;
  if (FCurrent == oldCurrent) return;
  InvalidateCell(FCurrent.X, FCurrent.Y);
  if (FInplaceCol >= ColCount() || FInplaceRow >= RowCount()) {
    FInplaceCol = -1;
    FInplaceRow = -1;
  }
  UpdateEdit();
}

void TCustomGrid::ResetTopLeft() {
  FTopLeft = {FFixedCols, FFixedRows};
  FCurrent = FTopLeft;
  FAnchor = FCurrent;
  if (FOptions.Contains(goRowSelect)) FAnchor.X = ColCount() - 1;
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value == FFixedCols) return;
  if (Value < 0) InvalidOp("Grid index out of range");
  if (Value >= ColCount()) InvalidOp("Fixed column count must be less than column count");
  FFixedCols = Value;
  GeometryChanged();
  ResetTopLeft();
  InvalidateGrid();
  UpdateScrollRange();
  InvalidateEditor();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value == FFixedRows) return;
  if (Value < 0) InvalidOp("Grid index out of range");
  if (Value >= RowCount()) InvalidOp("Fixed row count must be less than row count");
  FFixedRows = Value;
  GeometryChanged();
  ResetTopLeft();
  InvalidateGrid();
  UpdateScrollRange();
  InvalidateEditor();
}

// ---- Sizes --------------------------------------------------------------------------------------

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= ColCount()) InvalidOp("Grid index out of range");
  ResizeCell(akColumns, Index, Value);
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= RowCount()) InvalidOp("Grid index out of range");
  ResizeCell(akRows, Index, Value);
}

// Stores a size and repaints from the cell on (everything after it moved), then the Changed hook.
void TCustomGrid::ResizeCell(TAxisKind Kind, int Index, int Value) {
  const TGridDrawInfo before = DrawInfo();
  const TGridAxisDrawInfo& axis = Kind == akColumns ? before.Horz : before.Vert;
  TGridAxis& sizes = Kind == akColumns ? FCols : FRows;
  if (!sizes.SetSize(Index, Value)) return;
  GeometryChanged();
  const bool shown = Index < axis.FixedCellCount ||
                     (Index >= axis.FirstGridCell && Index <= axis.LastFullVisibleCell + 1);
  if (HandleAllocated() && shown) {
    const int from = CellStart(axis, Index);
    if (Kind == akColumns)
      InvalidateLogicalRect(Rect(from, 0, before.Horz.GridExtent, before.Vert.GridExtent));
    else
      InvalidateLogicalRect(Rect(0, from, before.Horz.GridExtent, before.Vert.GridExtent));
  }
  if (Kind == akColumns)
    ColWidthsChanged();
  else
    RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  if (Value == FCols.DefaultSize() && !FCols.Customized()) return;
  FCols.SetDefaultSize(Value);
  GeometryChanged();
  InvalidateGrid();
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  if (Value == FRows.DefaultSize() && !FRows.Customized()) return;
  FRows.SetDefaultSize(Value);
  GeometryChanged();
  InvalidateGrid();
  RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  GeometryChanged();
  InvalidateGrid();
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  UpdateEdit();
}

bool TCustomGrid::TabStops(int Index) const {
  if (Index < 0 || Index >= ColCount()) return true;
  return FTabStops[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetTabStops(int Index, bool Value) {
  if (Index < 0 || Index >= ColCount()) InvalidOp("Grid index out of range");
  FTabStops[static_cast<std::size_t>(Index)] = Value;
}

// ---- Options and look ---------------------------------------------------------------------------

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value.Contains(goRowSelect)) Value -= goAlwaysShowEditor;
  if (Value == FOptions) return;
  const TGridOptions lines{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine};
  const bool linesChanged = (Value * lines) != (FOptions * lines);
  FOptions = Value;
  if (linesChanged) GeometryChanged();
  if (!FEditorMode) {
    if (Value.Contains(goAlwaysShowEditor))
      ShowEditor();
    else
      HideEditor();
  }
  if (Value.Contains(goRowSelect)) MoveCurrent(Col(), Row(), true, false);
  InvalidateGrid();
  if (linesChanged) UpdateScrollRange();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  InvalidateGrid();
}

void TCustomGrid::SetGridLineColor(TColor Value) {
  if (Value == FGridLineColor) return;
  FGridLineColor = Value;
  InvalidateGrid();
}

void TCustomGrid::SetFixedLineColor(TColor Value) {
  if (Value == FFixedLineColor) return;
  FFixedLineColor = Value;
  InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  InvalidateGrid();
}

TColor TCustomGrid::LineColor(bool Fixed, bool Vertical) const {
  return Fixed ? FFixedLineColor : FGridLineColor;
}

// ---- Window -------------------------------------------------------------------------------------

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  Params.ClassStyle |= CS_DBLCLKS;
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::ChangeScale(int M, int D) {
  TCustomControl::ChangeScale(M, D);
  if (M == D || D == 0) return;
  FCols.Scale(M, D);
  FRows.Scale(M, D);
  GeometryChanged();
  InvalidateGrid();
  ColWidthsChanged();
  RowHeightsChanged();
}

void TCustomGrid::CMFontChanged(TMessage& Message) {
  if (FInplaceEdit) FInplaceEdit->SetFont(Font());
  TCustomControl::CMFontChanged(Message);
}

}  // namespace kel
