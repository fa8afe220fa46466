// TCustomGrid geometry: the draw information per axis (computed once per change and cached),
// cell and block rectangles, hit tests, the largest top-left cell, and invalidation of cells.
//
// Everything here works in logical pixels (column 0 at the left); MirrorRect and MirrorX turn
// them into client pixels when the grid is right-to-left. Columns keep a prefix table of their
// offsets (TGridAxis), so a hit test is a binary search; rows are never walked beyond the cells
// between the top row and the client's bottom edge.
#include <algorithm>

#include "platform/grids/CustomGrid.h"

namespace kel {

// ---- Draw information ---------------------------------------------------------------------------

void TCustomGrid::CalcFixedAxis(TGridAxisDrawInfo& Axis, TGridOptions LineOptions,
                                int FixedCount, int FirstCell, const TGridAxis& Sizes) const {
  Axis.EffectiveLineWidth = (FOptions * LineOptions).Empty() ? 0 : FGridLineWidth;
  Axis.Axis = &Sizes;
  Axis.FixedCellCount = FixedCount;
  Axis.FirstGridCell = FirstCell;
  Axis.GridCellCount = Sizes.Count();
  Axis.FixedBoundary = Sizes.SpanSum(0, FixedCount, Axis.EffectiveLineWidth);
}

// A cell is shown whole when its end (its line aside) is inside the extent.
void TCustomGrid::CalcAxis(TGridAxisDrawInfo& Axis) const {
  const int line = Axis.EffectiveLineWidth;
  Axis.GridBoundary = Axis.FixedBoundary;
  Axis.FullVisBoundary = Axis.FixedBoundary;
  Axis.LastFullVisibleCell = Axis.FirstGridCell;
  const int room = Axis.GridExtent + line - Axis.FixedBoundary;
  const int end = room < 0 ? Axis.FirstGridCell : Axis.Axis->CellAt(Axis.FirstGridCell, room, line);
  if (end > Axis.FirstGridCell) {
    Axis.LastFullVisibleCell = end - 1;
    Axis.FullVisBoundary =
        Axis.FixedBoundary + Axis.Axis->SpanSum(Axis.FirstGridCell, end, line);
  }
  Axis.GridBoundary = end >= Axis.GridCellCount ? Axis.FullVisBoundary : Axis.GridExtent;
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& Info) const {
  CalcFixedAxis(Info.Horz, {goFixedVertLine, goVertLine}, FFixedCols, FTopLeft.X, FCols);
  CalcFixedAxis(Info.Vert, {goFixedHorzLine, goHorzLine}, FFixedRows, FTopLeft.Y, FRows);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& Info) const { Info = DrawInfo(); }

const TGridDrawInfo& TCustomGrid::DrawInfo() const {
  const TRect client = ClientRect();
  const bool valid = FDrawInfoVersion == FGeometryVersion && FDrawInfoWidth == client.Width() &&
                     FDrawInfoHeight == client.Height() &&
                     FDrawInfo.Horz.FirstGridCell == FTopLeft.X &&
                     FDrawInfo.Vert.FirstGridCell == FTopLeft.Y;
  if (!valid) {
    CalcFixedInfo(FDrawInfo);
    FDrawInfo.Horz.GridExtent = client.Width();
    FDrawInfo.Vert.GridExtent = client.Height();
    CalcAxis(FDrawInfo.Horz);
    CalcAxis(FDrawInfo.Vert);
    FDrawInfoVersion = FGeometryVersion;
    FDrawInfoWidth = client.Width();
    FDrawInfoHeight = client.Height();
  }
  return FDrawInfo;
}

int TCustomGrid::VisibleColCount() const {
  const TGridDrawInfo& info = DrawInfo();
  return info.Horz.LastFullVisibleCell - info.Horz.FirstGridCell + 1;
}

int TCustomGrid::VisibleRowCount() const {
  const TGridDrawInfo& info = DrawInfo();
  return info.Vert.LastFullVisibleCell - info.Vert.FirstGridCell + 1;
}

int TCustomGrid::GridWidth() const { return DrawInfo().Horz.GridBoundary; }

int TCustomGrid::GridHeight() const { return DrawInfo().Vert.GridBoundary; }

// ---- Rectangles ---------------------------------------------------------------------------------

int TCustomGrid::CellStart(const TGridAxisDrawInfo& Axis, int Index) {
  const int line = Axis.EffectiveLineWidth;
  if (Index < Axis.FixedCellCount) return Axis.Axis->SpanSum(0, Index, line);
  return Axis.FixedBoundary + Axis.Axis->SpanSum(Axis.FirstGridCell, Index, line);
}

bool TCustomGrid::AxisSpan(const TGridAxisDrawInfo& Axis, int Lo, int Hi, bool IncludeLine,
                           int& Start, int& End) {
  Lo = std::max(Lo, 0);
  Hi = std::min(Hi, Axis.GridCellCount - 1);
  if (Lo > Hi) return false;
  const int line = Axis.EffectiveLineWidth;
  const int fixedLast = Axis.FixedCellCount - 1;
  // The last scrollable cell with a pixel inside the extent.
  const int room = Axis.GridExtent - 1 - Axis.FixedBoundary;
  const int lastShown =
      room < 0 ? Axis.FirstGridCell - 1
               : std::min(Axis.Axis->CellAt(Axis.FirstGridCell, room, line), Axis.GridCellCount - 1);
  const bool fixedPart = Lo <= fixedLast;
  const int scrollLo = std::max(Lo, Axis.FirstGridCell);
  const int scrollHi = std::min(Hi, lastShown);
  const bool scrollPart = scrollLo <= scrollHi;
  if (!fixedPart && !scrollPart) return false;
  const int first = fixedPart ? Lo : scrollLo;
  const int last = scrollPart ? scrollHi : std::min(Hi, fixedLast);
  Start = CellStart(Axis, first);
  End = CellStart(Axis, last) + std::max(Axis.GetExtent(last), 0);
  if (IncludeLine && Axis.GetExtent(last) > 0) End += line;
  End = std::min(End, Axis.GridExtent);
  return Start < End;
}

TRect TCustomGrid::GridRectToScreenRect(const TGridRect& ARect, bool IncludeLine) const {
  const TGridDrawInfo& info = DrawInfo();
  TRect r;
  if (!AxisSpan(info.Horz, ARect.Left, ARect.Right, IncludeLine, r.Left, r.Right) ||
      !AxisSpan(info.Vert, ARect.Top, ARect.Bottom, IncludeLine, r.Top, r.Bottom))
    return TRect{};
  return MirrorRect(r);
}

TRect TCustomGrid::MirrorRect(const TRect& R) const {
  if (!UseRightToLeftAlignment()) return R;
  const int width = ClientWidth();
  return Rect(width - R.Right, R.Top, width - R.Left, R.Bottom);
}

// Pixel column X seen from the other side: pixel 0 is the last one.
int TCustomGrid::MirrorX(int X) const {
  return UseRightToLeftAlignment() ? ClientWidth() - 1 - X : X;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  return GridRectToScreenRect({ACol, ARow, ACol, ARow}, false);
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const {
  return GridRectToScreenRect({ALeft, ATop, ARight, ABottom}, false);
}

// ---- Hit tests ----------------------------------------------------------------------------------

int TCustomGrid::AxisCellAt(const TGridAxisDrawInfo& Axis, int Pos) {
  if (Pos < 0 || Pos >= Axis.GridBoundary) return -1;
  const int line = Axis.EffectiveLineWidth;
  if (Pos < Axis.FixedBoundary) {
    const int cell = Axis.Axis->CellAt(0, Pos, line);
    return cell < Axis.FixedCellCount ? cell : -1;
  }
  const int cell = Axis.Axis->CellAt(Axis.FirstGridCell, Pos - Axis.FixedBoundary, line);
  return cell < Axis.GridCellCount ? cell : -1;
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& Info) const {
  return {AxisCellAt(Info.Horz, X), AxisCellAt(Info.Vert, Y)};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  TGridCoord cell = CalcCoordFromPoint(MirrorX(X), Y, DrawInfo());
  if (cell.X < 0 || cell.Y < 0) cell = {-1, -1};
  return cell;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  const TGridCoord cell = MouseCoord(X, Y);
  ACol = cell.X;
  ARow = cell.Y;
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& Info) const {
  auto maxCell = [](const TGridAxisDrawInfo& axis, int last) {
    if (last < axis.FixedCellCount) return last;
    const int room = axis.GridExtent + axis.EffectiveLineWidth - axis.FixedBoundary;
    return axis.Axis->FirstFitting(axis.FixedCellCount, last, room, axis.EffectiveLineWidth);
  };
  return {maxCell(Info.Horz, Coord.X), maxCell(Info.Vert, Coord.Y)};
}

// ---- Invalidation -------------------------------------------------------------------------------

void TCustomGrid::InvalidateLogicalRect(const TRect& R) {
  if (!HandleAllocated() || R.IsEmpty()) return;
  const TRect r = MirrorRect(R);
  kel::InvalidateRect(FHandle, &r, false);
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect) {
  if (!HandleAllocated()) return;
  const TRect r = GridRectToScreenRect(ARect, true);
  if (!r.IsEmpty()) kel::InvalidateRect(FHandle, &r, false);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) { InvalidateRect({ACol, ARow, ACol, ARow}); }

void TCustomGrid::InvalidateCol(int ACol) { InvalidateRect({ACol, 0, ACol, RowCount() - 1}); }

void TCustomGrid::InvalidateRow(int ARow) { InvalidateRect({0, ARow, ColCount() - 1, ARow}); }

void TCustomGrid::InvalidateGrid() { Invalidate(); }

}  // namespace kel
