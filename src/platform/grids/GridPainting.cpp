// TCustomGrid painting. The pipeline of one Paint:
//   1. the draw information (cached) and the cells the clip meets, per axis, computed once into
//      two reused lists (fixed cells first, then the scrollable ones from LeftCol / TopRow);
//   2. the grid lines in one pass: one Cairo path per line colour (fixed, scrollable, vertical,
//      horizontal), filled once; a line switched off by the options leaves its room in the
//      background colour;
//   3. the area right of and below the last cells, in Color;
//   4. each cell: background (DefaultDrawing), DrawCell, fixed edges, focus frame;
//   5. the sizing or moving line while the mouse sizes or moves.
// Steps 2 and 3 draw in logical coordinates under the right-to-left mirror
// (ChangeGridOrientation); cells get their mirrored rectangle with the mirror off, so text
// reads normally. Nothing is allocated per cell.
#include <algorithm>

#include "platform/grids/CustomGrid.h"
#include "platform/grids/InplaceEdit.h"

namespace kel {

namespace {

void SetSource(cairo_t* context, TColor color) {
  const TColor rgb = ColorToRGB(color);
  cairo_set_source_rgb(context, GetRValue(rgb) / 255.0, GetGValue(rgb) / 255.0,
                       GetBValue(rgb) / 255.0);
}

void AddRect(cairo_t* context, int x, int y, int width, int height) {
  if (width > 0 && height > 0) cairo_rectangle(context, x, y, width, height);
}

}  // namespace

void TCustomGrid::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const TGridDrawInfo info = DrawInfo();
  const bool rightToLeft = UseRightToLeftAlignment();
  const TRect clip = MirrorRect(canvas->ClipRect());  // logical
  CollectClipRects();
  CollectShown(info.Horz, clip.Left, clip.Right, FShownCols);
  CollectShown(info.Vert, clip.Top, clip.Bottom, FShownRows);
  cairo_get_matrix(canvas->Handle(), &FPaintMatrix);
  // Restores the context's transformation and the painting flag however Paint ends.
  struct TPaintScope {
    TCustomGrid* Grid;
    explicit TPaintScope(TCustomGrid* grid) : Grid(grid) { Grid->FPainting = true; }
    ~TPaintScope() {
      Grid->ChangeGridOrientation(false);
      Grid->FPainting = false;
    }
  } scope(this);
  if (rightToLeft) ChangeGridOrientation(true);
  DrawLines(info);
  FillBeyondCells(info);
  if (rightToLeft) ChangeGridOrientation(false);
  const bool focused = IsActiveControl();
  DrawCells(info, focused);
  if (FDefaultDrawing && focused && FOptions.Contains(goRowSelect)) {
    const TRect row = BoxRect(FFixedCols, Row(), ColCount() - 1, Row());
    if (!row.IsEmpty()) canvas->DrawFocusRect(row);
  }
  DrawTrackingLine();
}

void TCustomGrid::CollectClipRects() {
  FClipRects.clear();
  cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(Canvas()->Handle());
  if (list->status == CAIRO_STATUS_SUCCESS && list->num_rectangles > 1) {
    for (int i = 0; i < list->num_rectangles; ++i) {
      const cairo_rectangle_t& r = list->rectangles[i];
      FClipRects.push_back(Rect(int(r.x), int(r.y), int(r.x + r.width), int(r.y + r.height)));
    }
  }
  cairo_rectangle_list_destroy(list);
}

bool TCustomGrid::InClip(const TRect& Cell) const {
  if (FClipRects.empty()) return true;
  TRect common;
  for (const TRect& r : FClipRects)
    if (IntersectRect(common, r, Cell)) return true;
  return false;
}

void TCustomGrid::ChangeGridOrientation(bool RightToLeftOrientation) {
  TCanvas* canvas = Canvas();
  canvas->SetCanvasOrientation(RightToLeftOrientation ? coRightToLeft : coLeftToRight);
  if (!FPainting) return;
  cairo_matrix_t matrix = FPaintMatrix;
  if (RightToLeftOrientation) {
    cairo_matrix_translate(&matrix, ClientWidth(), 0);
    cairo_matrix_scale(&matrix, -1, 1);
  }
  cairo_set_matrix(canvas->Handle(), &matrix);
}

void TCustomGrid::CollectShown(const TGridAxisDrawInfo& Axis, int ClipLo, int ClipHi,
                               std::vector<TShownCell>& Cells) {
  Cells.clear();
  const int line = Axis.EffectiveLineWidth;
  const int end = std::min(ClipHi, Axis.GridBoundary);
  int pos = 0;
  for (int i = 0; i < Axis.FixedCellCount && pos < end; ++i) {
    const int size = Axis.GetExtent(i);
    if (size <= 0) continue;
    if (pos + size + line > ClipLo) Cells.push_back({i, pos, size});
    pos += size + line;
  }
  if (end <= Axis.FixedBoundary) return;
  const int from = std::max(ClipLo, Axis.FixedBoundary) - Axis.FixedBoundary;
  int i = Axis.Axis->CellAt(Axis.FirstGridCell, from, line);
  pos = Axis.FixedBoundary + Axis.Axis->SpanSum(Axis.FirstGridCell, i, line);
  for (; i < Axis.GridCellCount && pos < end; ++i) {
    const int size = Axis.GetExtent(i);
    if (size <= 0) continue;
    Cells.push_back({i, pos, size});
    pos += size + line;
  }
}

// Each line lies right of (below) its cell. Lines of the fixed area are fixed lines: over the
// fixed rows for every column, over the scrollable rows for the fixed columns.
void TCustomGrid::DrawLines(const TGridDrawInfo& Info) {
  cairo_t* context = Canvas()->Handle();
  const int vLine = Info.Horz.EffectiveLineWidth;
  const int hLine = Info.Vert.EffectiveLineWidth;
  if (vLine == 0 && hLine == 0) return;
  const int fixedBottom = std::min(Info.Vert.FixedBoundary, Info.Vert.GridBoundary);
  const int fixedRight = std::min(Info.Horz.FixedBoundary, Info.Horz.GridBoundary);
  const int scrollTop = Info.Vert.FixedBoundary;
  const int scrollLeft = Info.Horz.FixedBoundary;
  const int bottom = Info.Vert.GridBoundary;
  const int right = Info.Horz.GridBoundary;
  auto fill = [&](TGridOption option, bool fixed, bool vertical, auto&& addPieces) {
    TColor color = FOptions.Contains(option) ? LineColor(fixed, vertical) : clNone;
    if (color == clNone) color = fixed ? FFixedColor : FColor;
    cairo_new_path(context);
    addPieces();
    SetSource(context, color);
    cairo_fill(context);
  };
  if (hLine > 0) {
    fill(goHorzLine, false, false, [&] {
      for (const TShownCell& row : FShownRows)
        if (row.Index >= FFixedRows)
          AddRect(context, scrollLeft, row.Start + row.Size, right - scrollLeft, hLine);
    });
  }
  if (vLine > 0) {
    fill(goVertLine, false, true, [&] {
      for (const TShownCell& col : FShownCols)
        if (col.Index >= FFixedCols)
          AddRect(context, col.Start + col.Size, scrollTop, vLine, bottom - scrollTop);
    });
  }
  if (hLine > 0) {
    fill(goFixedHorzLine, true, false, [&] {
      for (const TShownCell& row : FShownRows) {
        const int y = row.Start + row.Size;
        AddRect(context, 0, y, fixedRight, hLine);
        if (row.Index < FFixedRows) AddRect(context, scrollLeft, y, right - scrollLeft, hLine);
      }
    });
  }
  if (vLine > 0) {
    fill(goFixedVertLine, true, true, [&] {
      for (const TShownCell& col : FShownCols) {
        const int x = col.Start + col.Size;
        AddRect(context, x, 0, vLine, fixedBottom);
        if (col.Index < FFixedCols) AddRect(context, x, scrollTop, vLine, bottom - scrollTop);
      }
    });
  }
  Canvas()->Changed();
}

void TCustomGrid::FillBeyondCells(const TGridDrawInfo& Info) {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FColor);
  if (Info.Horz.GridBoundary < Info.Horz.GridExtent)
    canvas->FillRect(
        Rect(Info.Horz.GridBoundary, 0, Info.Horz.GridExtent, Info.Vert.GridBoundary));
  if (Info.Vert.GridBoundary < Info.Vert.GridExtent)
    canvas->FillRect(Rect(0, Info.Vert.GridBoundary, Info.Horz.GridExtent, Info.Vert.GridExtent));
}

void TCustomGrid::DrawCells(const TGridDrawInfo& Info, bool Focused) {
  TCanvas* canvas = Canvas();
  const TGridRect selection = Selection();
  const bool rowSelect = FOptions.Contains(goRowSelect);
  const bool editorShown =
      FEditorMode && FOptions.Contains(goEditing) && FInplaceEdit && FInplaceEdit->Visible();
  const bool focusFrame = FDefaultDrawing && !rowSelect &&
                          !(FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor));
  const bool fixedEdges = FDefaultDrawing && Ctl3D() &&
                          (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goFixedHorzLine));
  for (const TShownCell& row : FShownRows) {
    for (const TShownCell& col : FShownCols) {
      const TRect logical = Rect(col.Start, row.Start, col.Start + col.Size, row.Start + row.Size);
      TGridDrawState state;
      const bool fixed = col.Index < FFixedCols || row.Index < FFixedRows;
      if (fixed) {
        state += gdFixed;
        if (FHotTrackCell == TGridCoord{col.Index, row.Index}) state += gdHotTrack;
        if (FPressedCell == TGridCoord{col.Index, row.Index}) state += gdPressed;
      } else {
        if (Focused && row.Index == Row() && col.Index == Col()) state += gdFocused;
        if (selection.Contains(col.Index, row.Index)) state += gdSelected;
        if (rowSelect && row.Index == Row()) state += gdRowSelected;
      }
      // The editor covers the focused cell.
      if (editorShown && state.Contains(gdFocused)) continue;
      const TRect where = MirrorRect(logical);
      if (!InClip(where)) continue;
      if (FDefaultDrawing) DrawCellBackground(where, state);
      DrawCell(col.Index, row.Index, where, state);
      if (fixed && fixedEdges) DrawFixedEdges(where, Info);
      if (focusFrame && state.Contains(gdFocused)) canvas->DrawFocusRect(where);
    }
  }
}

void TCustomGrid::DrawCellBackground(const TRect& ARect, TGridDrawState AState) {
  TCanvas* canvas = Canvas();
  const bool highlight =
      AState.Contains(gdSelected) &&
      (!AState.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
       FOptions.Contains(goRowSelect));
  canvas->Brush()->SetStyle(bsSolid);
  if (highlight) {
    canvas->Brush()->SetColor(clHighlight);
    canvas->Font()->SetColor(clHighlightText);
  } else {
    canvas->Brush()->SetColor(AState.Contains(gdFixed) ? FFixedColor : FColor);
    canvas->Font()->SetColor(Font()->Color());
  }
  canvas->FillRect(ARect);
}

// The raised look of fixed cells: the inner edge on the sides that have fixed lines.
void TCustomGrid::DrawFixedEdges(const TRect& ARect, const TGridDrawInfo& Info) {
  std::uint32_t outer = 0;
  std::uint32_t inner = 0;
  if (FOptions.Contains(goFixedVertLine)) {
    outer |= BF_RIGHT;
    inner |= BF_LEFT;
  }
  if (FOptions.Contains(goFixedHorzLine)) {
    outer |= BF_BOTTOM;
    inner |= BF_TOP;
  }
  TRect r = ARect;
  if ((outer & BF_RIGHT) == 0)
    r.Right += Info.Horz.EffectiveLineWidth;
  else if ((outer & BF_BOTTOM) == 0)
    r.Bottom += Info.Vert.EffectiveLineWidth;
  TRect second = r;
  Canvas()->DrawEdge(r, BDR_RAISEDINNER, outer);
  Canvas()->DrawEdge(second, BDR_RAISEDINNER, inner);
}

// ---- Sizing and moving lines --------------------------------------------------------------------

TRect TCustomGrid::TrackingLineRect(int Pos, bool Vertical) const {
  if (Vertical) return Rect(Pos - 1, 0, Pos + 2, ClientHeight());
  return Rect(0, Pos - 1, ClientWidth(), Pos + 2);
}

int TCustomGrid::MovePosition() const {
  const TGridDrawInfo& info = DrawInfo();
  const TGridAxisDrawInfo& axis = FGridState == gsColMoving ? info.Horz : info.Vert;
  const int start = CellStart(axis, FMovePos);
  return FMovePos > FMoveIndex ? start + std::max(axis.GetExtent(FMovePos), 0) : start;
}

void TCustomGrid::InvalidateTrackingLine() {
  switch (FGridState) {
    case gsColSizing:
    case gsRowSizing:
      InvalidateLogicalRect(TrackingLineRect(FSizingPos, FGridState == gsColSizing));
      break;
    case gsColMoving:
    case gsRowMoving:
      InvalidateLogicalRect(TrackingLineRect(MovePosition(), FGridState == gsColMoving));
      break;
    default: break;
  }
}

// Inverts the pixels under the line, so it shows on any background.
void TCustomGrid::DrawTrackingLine() {
  TRect logical;
  switch (FGridState) {
    case gsColSizing:
    case gsRowSizing:
      logical = TrackingLineRect(FSizingPos, FGridState == gsColSizing);
      break;
    case gsColMoving:
    case gsRowMoving:
      logical = TrackingLineRect(MovePosition(), FGridState == gsColMoving);
      break;
    default: return;
  }
  const TRect r = MirrorRect(logical);
  cairo_t* context = Canvas()->Handle();
  cairo_save(context);
  cairo_set_operator(context, CAIRO_OPERATOR_DIFFERENCE);
  cairo_set_source_rgb(context, 1, 1, 1);
  cairo_rectangle(context, r.Left, r.Top, r.Width(), r.Height());
  cairo_fill(context);
  cairo_restore(context);
  Canvas()->Changed();
}

}  // namespace kel
