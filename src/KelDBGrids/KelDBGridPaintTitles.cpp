// Title cells: the title of each level (a parent title spans its group, a leaf title the levels
// below it), the header bands inside a title, the title image, button glyph and order marker,
// and the filler corner above the indicator.
//
// The platform asks for one cell at a time; a title that spans several cells is painted whole
// in each of them, clipped to the cell and to the grid lines it covers, so every part lines up.
#include <algorithm>

#include "KelDBGrids/KelCellTextOut.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridLook.h"
#include "KelDBGrids/KelGridStyle.h"

namespace kel {

namespace {

constexpr int TitleTextMargin = 2;

TKelColumn* AncestorAtDepth(TKelColumn* Column, int Depth) {
  int depth = Column->Depth();
  while (depth-- > Depth) Column = Column->ParentColumn();
  return Column;
}

TGradientButtonState ButtonState(TGridDrawState State) {
  if (State.Contains(gdPressed)) return gbsDown;
  if (State.Contains(gdHotTrack)) return gbsHot;
  return gbsNormal;
}

}  // namespace

void TKelCustomDBGrid::PaintTitleFace(const TRect& Rect, TColor Color, TGridDrawState State) {
  const TGradientButtonState state = ButtonState(State);
  if (IsGridThemed(false))
    DrawTitleButton(Canvas(), Rect, FFixedTheme, Color, state);
  else if (state == gbsHot && FOptions.Contains(dgHotButtons))
    DrawHotButton(Canvas(), Rect, HotButtonsStyle(), Color);
  else if (state == gbsDown)
    DrawTitleButton(Canvas(), Rect, ftNone, Color, gbsDown);
  else
    DrawFixedCell(Canvas(), Rect, FFixedStyle, Color);
}

// ---- Title geometry -----------------------------------------------------------------------------

// Grid columns are the collection's columns; the columns a title spans are its nested ones, whose
// hidden members have no width.
TKelCustomDBGrid::TTitleSpan TKelCustomDBGrid::TitleSpanAt(int DataCol, int ARow) const {
  TKelColumn* leaf = FColumns->Items(DataCol);
  TTitleSpan span;
  span.Column = FTitleOffset > 1 ? AncestorAtDepth(leaf, ARow) : leaf;
  span.FirstCol = span.LastCol = DataCol;
  if (span.Column == leaf) {
    span.Depth = FTitleOffset > 1 ? leaf->Depth() : 0;
    span.LastRow = FTitleOffset - 1;
  } else {
    span.Depth = ARow;
    span.LastRow = ARow;
    span.FirstCol = span.Column->Index() + 1;
    span.LastCol = span.Column->ExpandIndex();
    while (span.FirstCol < DataCol && !FColumns->Items(span.FirstCol)->Showing()) ++span.FirstCol;
    while (span.LastCol > DataCol && !FColumns->Items(span.LastCol)->Showing()) --span.LastCol;
  }
  return span;
}

TRect TKelCustomDBGrid::TitleSpanRect(const TTitleSpan& Span, int DataCol, int ARow, const TRect& Cell) const {
  const int colLine = GetColLineWidth();
  const int rowLine = GetRowLineWidth();
  TRect title = Cell;
  for (int c = Span.FirstCol; c < DataCol; ++c) title.Left -= ColWidths(DataToRawColumn(c)) + colLine;
  for (int c = DataCol + 1; c <= Span.LastCol; ++c) title.Right += colLine + ColWidths(DataToRawColumn(c));
  for (int r = Span.Depth; r < ARow; ++r) title.Top -= RowHeights(r) + rowLine;
  for (int r = ARow + 1; r <= Span.LastRow; ++r) title.Bottom += rowLine + RowHeights(r);
  return title;
}

// ---- Title cells --------------------------------------------------------------------------------

void TKelCustomDBGrid::PaintTitleCell(int ACol, int ARow, const TRect& Rect, TGridDrawState) {
  if (!ShownColumn(ACol)) {
    PaintFixedCell(Rect, FixedColor());
    return;
  }
  // The title shown at this level, and the cells it spans.
  const int dataCol = RawToDataColumn(ACol);
  const TTitleSpan span = TitleSpanAt(dataCol, ARow);
  TKelColumn* column = span.Column;
  const TRect title = TitleSpanRect(span, dataCol, ARow, Rect);
  const int colLine = GetColLineWidth();
  const int rowLine = GetRowLineWidth();
  TKelColumnTitle* caption = column->Title();
  const int bands = FOptions.Contains(dgTitleHeaders) ? caption->GetHeaderRowCount() : 0;
  bool bandGoesOn = false;
  for (int band = 0; band < bands && !bandGoesOn; ++band) bandGoesOn = caption->HeaderRight(band);
  // The cell, with the grid lines inside the title or inside a band it shares with the next column.
  TRect clip = Rect;
  if (dataCol < span.LastCol || bandGoesOn) clip.Right += colLine;
  if (ARow < span.LastRow) clip.Bottom += rowLine;
  TClipSaver saver(Canvas());
  Canvas()->IntersectClipRect(clip);

  TRect face = title;
  face.Top += bands * FHeaderRowHeight;
  PaintTitleFace(face, caption->Color(), TitleButtonState(column));
  for (int band = 0; band < bands; ++band) PaintHeaderBand(column, band, title, clip);

  TRect textRect = face;
  PaintTitleButton(column, textRect);
  if (FTitleImages && caption->ImageIndex() >= 0 && caption->ImageIndex() < FTitleImages->Count()) {
    const int y = textRect.Top + (textRect.Height() - FTitleImages->Height()) / 2;
    FTitleImages->Draw(Canvas(), textRect.Left + TitleTextMargin, y, caption->ImageIndex());
    textRect.Left += TitleTextMargin + FTitleImages->Width();
  }
  Canvas()->Font()->Assign(caption->Font());
  PaintTitleMarker(column, textRect);
  TCellTextFormat format;
  format.DX = TitleTextMargin + FGridStyle->TitleColMargin();
  format.DY = TitleTextMargin;
  format.Alignment = caption->Alignment();
  format.WordWrap = caption->WordWrap();
  format.Ellipsis = caption->Ellipsis();
  format.VAlignment = caption->VAlignment();
  WriteCellText(Canvas(), textRect, caption->Caption(), format, FTextLines);
}

// Band Band of Column's header: the band cell spans the neighbours that share its caption.
void TKelCustomDBGrid::PaintHeaderBand(TKelColumn* Column, int Band, const TRect& Title, const TRect& Clip) {
  const auto at = std::find(FVisibleColumns.begin(), FVisibleColumns.end(), Column);
  const int index = at == FVisibleColumns.end() ? -1 : static_cast<int>(at - FVisibleColumns.begin());
  const int colLine = GetColLineWidth();
  TRect band{Title.Left, Title.Top + Band * FHeaderRowHeight, Title.Right, Title.Top + (Band + 1) * FHeaderRowHeight};
  if (index >= 0) {
    for (int c = index; c > 0 && FVisibleColumns[c]->Title()->HeaderLeft(Band); --c)
      band.Left -= ColWidths(DataToRawColumn(FVisibleColumns[c - 1]->Index())) + colLine;
    for (int c = index; c + 1 < static_cast<int>(FVisibleColumns.size()) &&
                        FVisibleColumns[c]->Title()->HeaderRight(Band);
         ++c)
      band.Right += colLine + ColWidths(DataToRawColumn(FVisibleColumns[c + 1]->Index()));
  }
  TRect visible;
  if (!IntersectRect(visible, band, Clip)) return;
  // The band's own separator: the bottom line of the band, in the fixed line colour.
  TRect face = band;
  face.Bottom -= GetRowLineWidth();
  PaintTitleFace(face, FHeaderColor, {});
  if (face.Bottom < band.Bottom) {
    Canvas()->Brush()->SetColor(TCustomGrid::LineColor(true, false));
    Canvas()->FillRect(TRect{band.Left, face.Bottom, band.Right, band.Bottom});
  }
  Canvas()->Font()->Assign(FHeaderFont.get());
  TCellTextFormat format;
  format.DX = TitleTextMargin;
  format.DY = 1;
  format.Alignment = taCenter;
  format.WordWrap = true;
  format.Ellipsis = true;
  WriteCellText(Canvas(), face, Column->Title()->GetHeaderRows(Band), format, FTextLines);
}

// The expand, drop-down or filter button at the right end of the title; TextRect loses its room.
void TKelCustomDBGrid::PaintTitleButton(TKelColumn* Column, TRect& TextRect) {
  if (!Column->HasExpandButton()) return;
  const int width = GetSystemMetrics(SM_CXHSCROLL) + 2;
  if (TextRect.Width() < width) return;
  const bool rightToLeft = Column->UseRightToLeftAlignment();
  TRect button = TextRect;
  if (rightToLeft) {
    button.Right = button.Left + width;
    TextRect.Left = button.Right;
  } else {
    button.Left = button.Right - width;
    TextRect.Right = button.Left;
  }
  TImageList* glyphs = GetIndicators();
  if (glyphs->Count() < 12) return;
  int index = 9;
  if (Column->HasFilterButton()) index = Column->Filtered() ? 21 : 20;
  if (Column->HasExpandableButton()) index = (Column->Expanded() != rightToLeft) ? 10 : 11;
  const TPoint centre = button.CenterPoint();
  glyphs->Draw(Canvas(), centre.X - glyphs->Width() / 2, centre.Y - glyphs->Height() / 2, index);
}

// The order marker at the right end of the text area, or after the caption with dgMarkerAutoAlign.
void TKelCustomDBGrid::PaintTitleMarker(TKelColumn* Column, TRect& TextRect) {
  TImageList* markers = GetMarkers();
  const int index = Column->Title()->MarkerIndex();
  if (!markers || index < 0 || index >= markers->Count()) return;
  const int box = markers->Width() + 2;
  int left = TextRect.Right - box;
  const TAlignment alignment = Column->Title()->Alignment();
  const int margin = TitleTextMargin + FGridStyle->TitleColMargin();
  int shift = 0;
  if (FOptions.Contains(dgMarkerAutoAlign) && alignment != taRightJustify) {
    const int widest = Canvas()->TextWidth(Column->Title()->Caption());
    const int follow = alignment == taLeftJustify ? TextRect.Left + margin + widest + margin + 1
                                                  : TextRect.CenterPoint().X + widest / 2 + margin + 1;
    if (follow < left) {
      if (alignment == taCenter) shift = left - follow;
      left = follow;
    }
  }
  const int y = TextRect.Top + (TextRect.Height() - markers->Height()) / 2;
  markers->Draw(Canvas(), left + 1, y, index);
  TextRect.Right -= box;
  TextRect.Left += shift;
}

// ---- The filler corner --------------------------------------------------------------------------

void TKelCustomDBGrid::PaintFillerCell(int ARow, const TRect& Rect) {
  // The corner spans every title row.
  const int rowLine = GetRowLineWidth();
  TRect corner = Rect;
  for (int r = 0; r < ARow; ++r) corner.Top -= RowHeights(r) + rowLine;
  for (int r = ARow + 1; r < FTitleOffset; ++r) corner.Bottom += rowLine + RowHeights(r);
  TRect clip = Rect;
  if (ARow + 1 < FTitleOffset) clip.Bottom += rowLine;
  TClipSaver saver(Canvas());
  Canvas()->IntersectClipRect(clip);
  if (FFillerButton)
    PaintTitleFace(corner, FFillerColor, TitleButtonState(nullptr));
  else
    DrawFixedCell(Canvas(), corner, FFixedStyle, FFillerColor);
  TImageList* images = nullptr;
  int index = -1;
  if (FFillerIndex >= 0) {
    images = FTitleImages;
    index = FFillerIndex;
  } else if (FFillerIndex < -1) {
    images = GetIndicators();
    index = -FFillerIndex - 2;
  }
  if (!images || index >= images->Count()) return;
  const TPoint centre = corner.CenterPoint();
  images->Draw(Canvas(), centre.X - images->Width() / 2, centre.Y - images->Height() / 2, index);
}

}  // namespace kel
