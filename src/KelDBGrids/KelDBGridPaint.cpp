// DrawCell: which kind of cell the platform asks for, and the painting of indicator, data and
// blank cells with their colours, images and owner-draw hooks.
//
// The platform grid's own default drawing is off (see the constructor): every pixel of a cell,
// its background and its focus frame included, is painted here.
#include <algorithm>

#include "KelDBGrids/KelCellTextOut.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDataRowScope.h"
#include "KelDBGrids/KelDBGridGradient.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelGridLook.h"
#include "platform/db/DB.h"

namespace kel {

namespace {

// Pixels between a cell's edges and its text, across and down; two keep one line in the row
// height of the most compact visual style (three pixels of spacing).
constexpr int CellTextMargin = 2;

// Draws Image in Rect by Placement.
void DrawCellImage(TCanvas* Canvas, const TRect& Rect, const TCellImage& Image, TAlignment Alignment,
                  TVAlignment VAlignment, TImageDraw Placement, int OffsetX, int OffsetY) {
  if (Image.Empty()) return;
  const int width = Image.Graphic ? Image.Graphic->Width() : Image.Images->Width();
  const int height = Image.Graphic ? Image.Graphic->Height() : Image.Images->Height();
  auto drawAt = [&](int x, int y) {
    if (Image.Graphic)
      Canvas->Draw(x, y, Image.Graphic);
    else
      Image.Images->Draw(Canvas, x, y, Image.Index);
  };
  TClipSaver clip(Canvas);
  Canvas->IntersectClipRect(Rect);
  if (Placement == idStretch || Placement == idScaled) {
    TRect target = Rect;
    if (Placement == idScaled && width > 0 && height > 0) {
      // Keeps the proportions: the larger side fills the cell.
      const double scale = std::min(double(Rect.Width()) / width, double(Rect.Height()) / height);
      const int w = int(width * scale), h = int(height * scale);
      target = Bounds(Rect.Left + (Rect.Width() - w) / 2, Rect.Top + (Rect.Height() - h) / 2, w, h);
    }
    if (Image.Graphic) {
      Canvas->StretchDraw(target, Image.Graphic);
    } else {
      TBitmap bitmap;
      Image.Images->GetBitmap(Image.Index, &bitmap);
      Canvas->StretchDraw(target, &bitmap);
    }
    return;
  }
  if (Placement >= idTileCell) {
    for (int y = Rect.Top + OffsetY; y < Rect.Bottom; y += std::max(height, 1))
      for (int x = Rect.Left + OffsetX; x < Rect.Right; x += std::max(width, 1)) drawAt(x, y);
    return;
  }
  int y = Rect.Top + (Rect.Height() - height) / 2;
  if (VAlignment == tvTopJustify) y = Rect.Top + CellTextMargin;
  if (VAlignment == tvBottomJustify) y = Rect.Bottom - height - CellTextMargin;
  const bool atRight = (Placement == idAlignment && Alignment == taRightJustify) ||
                       (Placement == idOpposite && Alignment != taRightJustify);
  int x = Rect.Left + (Rect.Width() - width) / 2;
  if (Placement != idCenter) x = atRight ? Rect.Right - width - CellTextMargin : Rect.Left + CellTextMargin;
  drawAt(x + OffsetX, y + OffsetY);
}

}  // namespace

// ---- Colours ------------------------------------------------------------------------------------

TColor TKelCustomDBGrid::GetTrueColor(TColor Color, TColor Default, TColor Alternative) {
  if (Color == clDefault) return Default;
  if (Color != clNone) return Color;
  return Alternative == clDefault ? Default : Alternative;
}

// Under a custom style the selection colours come from the style's palette, so that the text
// keeps its contrast on dark styles as on light ones.
TColor TKelCustomDBGrid::DefaultSelectCellColor() {
  if (StylesEnabled()) return clHighlight;
  return IsVista() ? RGB(19, 125, 255) : clHighlight;
}
TColor TKelCustomDBGrid::DefaultSelectionColor() {
  if (StylesEnabled()) return MixColors(clWindow, clHighlight, 60);
  return IsVista() ? RGB(61, 149, 255) : clGradientActiveCaption;
}
TColor TKelCustomDBGrid::DefaultSelectRowColor() {
  if (StylesEnabled()) return MixColors(clWindow, clHighlight, 30);
  return IsVista() ? RGB(157, 185, 235) : clGradientInactiveCaption;
}
TColor TKelCustomDBGrid::DefaultStripeColor() { return cl3DLight; }
TColor TKelCustomDBGrid::DefaultHighlightText() { return clHighlightText; }
TColor TKelCustomDBGrid::DefaultEditorColor() { return clInfoBk; }

TColor TKelCustomDBGrid::DefaultDataLineColor() const {
  // A custom style's lines are a shade of its own window colour, dark styles included.
  if (StylesEnabled()) return MixColors(clWindow, clWindowText, 22);
  return ColorToRGB(Color()) == RGB(192, 192, 192) ? RGB(128, 128, 128) : RGB(192, 192, 192);
}

TColor TKelCustomDBGrid::LineColor(bool Fixed, bool Vertical) const {
  if (Fixed) return TCustomGrid::LineColor(Fixed, Vertical);
  const TGridDrawingOption option = Vertical ? gdoDataColLines : gdoDataRowLines;
  if (!FDrawingOptions.Contains(option)) return TCustomGrid::LineColor(Fixed, Vertical);
  return GetTrueColor(Vertical ? FDataColLineColor : FDataRowLineColor, DefaultDataLineColor(), clNone);
}

bool TKelCustomDBGrid::IsStripeRow(int DataRow) const {
  if (FStripeColor == clNone || !FDrawingOptions.Contains(gdoStripedRows)) return false;
  return DataRow % 2 == 1;
}

TSelections TKelCustomDBGrid::SetupDataCellColors(TKelColumn* Column, int DataRow, bool Fixed,
                                                  TGridDrawState State) {
  TCanvas* canvas = Canvas();
  TColor brush = Column->Color();
  canvas->Font()->Assign(Column->Font());
  TSelections selections;
  if (IsStripeRow(DataRow)) {
    brush = GetTrueColor(FStripeColor, DefaultStripeColor(), clDefault);
    selections += slRowStriped;
  }
  if (Fixed) selections += slCellFixed;
  const bool currentRecord = DataRow == FDataLink->ActiveRecord();
  const bool focusedCell = State.Contains(gdSelected) && currentRecord;
  if (currentRecord) selections += slRowSelected;
  if (focusedCell) selections += slCellSelected;
  const bool highlight = focusedCell && (Focused() || FOptions.Contains(dgAlwaysShowSelection));
  if (!Fixed && currentRecord && FSelectRowColor != clNone && FDrawingOptions.Contains(gdoSelectedRow))
    brush = GetTrueColor(FSelectRowColor, DefaultSelectRowColor(), clDefault);
  if (highlight && FSelectCellColor != clNone && FDrawingOptions.Contains(gdoSelectedCell)) {
    brush = GetTrueColor(FSelectCellColor, DefaultSelectCellColor(), clDefault);
    if (Enabled() && FDrawingOptions.Contains(gdoHighlightText))
      canvas->Font()->SetColor(GetTrueColor(FHighlightText, DefaultHighlightText(), clDefault));
  }
  FCellHighlight = highlight;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(brush);
  return selections;
}

// ---- Hooks --------------------------------------------------------------------------------------

void TKelCustomDBGrid::PaintColumnCell(const TRect& Rect, int DataCol, TKelColumn* Column, bool Highlight,
                                       TSelections Selections, TColor& Color, TFont* Font, TCellImage& Image) {
  if (OnPaintColumnCell) OnPaintColumnCell(this, Rect, DataCol, Column, Highlight, Selections, Color, Font, Image);
}

void TKelCustomDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TKelColumn* Column, TGridDrawState State) {
  if (OnDrawColumnCell) OnDrawColumnCell(this, Rect, DataCol, Column, State);
}

void TKelCustomDBGrid::DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State) {
  if (OnDrawDataCell) OnDrawDataCell(this, Rect, Field, State);
}

int TKelCustomDBGrid::CalcImageIndex(TKelColumn* Column, int Index) {
  if (OnCalcImageIndex) OnCalcImageIndex(this, Column, Index);
  return Index;
}

// ---- Data cells ---------------------------------------------------------------------------------

TCellImage TKelCustomDBGrid::DataCellImage(TKelColumn* Column) {
  if (TImageList* images = Column->Images()) {
    // An image column shows the image its field's number names.
    const TField* field = Column->Field();
    const bool numbered = field && !field->IsNull() && dynamic_cast<const TNumericField*>(field);
    int index = Column->CheckBox() ? Column->GetCheckBoxImageIndex() : numbered ? field->AsInteger() : -1;
    return {images, CalcImageIndex(Column, index), nullptr};
  }
  if (Column->CheckBox()) return {FCheckBoxes.get(), Column->GetCheckBoxImageIndex(), nullptr};
  if (Column->ExpandBox()) {
    // Open on the record the grid holds expanded; a dot where the field has nothing to expand.
    const TField* field = Column->Field();
    const int state = Column->IsExpandedBox() ? 1 : field && field->IsNull() ? 2 : 0;
    return {FExpandBoxes.get(), CalcImageIndex(Column, state + 3 * Column->ExpandBoxSize()), nullptr};
  }
  return {};
}

void TKelCustomDBGrid::DefaultDrawDataCell(const TRect& Rect, TField* Field, TGridDrawState) {
  const String text = Field ? Field->DisplayText() : String();
  TCellTextFormat format;
  format.Alignment = Field ? Field->Alignment() : taLeftJustify;
  format.WordWrap = true;
  format.Ellipsis = true;
  WriteCellText(Canvas(), Rect, text, format, FTextLines);
}

void TKelCustomDBGrid::DefaultDrawColumnCell(const TRect& Rect, int DataCol, TKelColumn* Column,
                                             TGridDrawState) {
  TCanvas* canvas = Canvas();
  const String text = Column->GetDisplayText();
  TCellImage image = DataCellImage(Column);
  const TColor saved = canvas->Brush()->Color();
  TColor color = saved;
  PaintColumnCell(Rect, DataCol, Column, FCellHighlight, FCellSelections, color, canvas->Font(), image);
  canvas->Brush()->SetColor(color);
  canvas->FillRect(Rect);

  const bool rightToLeft = Column->UseRightToLeftAlignment();
  TAlignment alignment = Column->Alignment();
  if (rightToLeft && alignment != taCenter) alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  TRect textRect = Rect;
  if (!image.Empty()) {
    const bool imageOnly = !Column->Wallpaper() && Column->ImageMargin() < 1;
    DrawCellImage(canvas, Rect, image, alignment, Column->VAlignment(), Column->ImageDraw(),
                  Column->ImageOffsetX(), Column->ImageOffsetY());
    if (imageOnly) {
      canvas->Brush()->SetColor(saved);
      return;
    }
    if (!(Column->Wallpaper() && Column->ImageMargin() == 0)) {
      const int strip = Column->ImageMargin() + 1;
      if (rightToLeft)
        textRect.Right -= strip;
      else
        textRect.Left += strip;
    }
  }
  TCellTextFormat format;
  format.DX = CellTextMargin;
  format.DY = CellTextMargin;
  format.Alignment = alignment;
  format.RightToLeft = rightToLeft;
  format.WordWrap = Column->WordWrap();
  format.Ellipsis = Column->Ellipsis();
  format.VAlignment = Column->VAlignment();
  WriteCellText(canvas, textRect, text, format, FTextLines);
  canvas->Brush()->SetColor(saved);
}

void TKelCustomDBGrid::PaintDataCell(int ACol, int DataRow, const TRect& Rect, TGridDrawState State) {
  TCanvas* canvas = Canvas();
  const int dataCol = RawToDataColumn(ACol);
  TKelColumn* column = ShownColumn(ACol);
  if (!column || !FDataLink->Active() || DataRow >= FDataLink->RecordCount()) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect);
    return;
  }
  // Colours are decided against the current record before the row becomes the active one.
  FCellSelections = SetupDataCellColors(column, DataRow, dataCol < FFixedCols, State);
  const bool focused = FCellSelections.Contains(slCellSelected) && FCellHighlight;
  TKelDataRowScope row(this, DataRow);
  if (FDefaultDrawing) DefaultDrawColumnCell(Rect, dataCol, column, State);
  if (FColumns->State() == csDefault) DrawDataCell(Rect, column->Field(), State);
  DrawColumnCell(Rect, dataCol, column, State);
  if (FDefaultDrawing && focused) PaintCellFocus(Rect);
}

void TKelCustomDBGrid::PaintCellFocus(const TRect& Rect) {
  TCanvas* canvas = Canvas();
  TRect r = Rect;
  switch (FocusRectStyle()) {
    case frAuto:
    case frDefault:
      canvas->DrawFocusRect(r);
      break;
    case frGray:
      canvas->DrawEdge(r, BDR_SUNKENINNER, BF_TOPLEFT);
      canvas->DrawEdge(r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
      break;
    case frMild:
      canvas->DrawEdge(r, BDR_SUNKENOUTER, BF_TOPLEFT);
      canvas->DrawEdge(r, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
      break;
    case frNone: break;
  }
}

// ---- Indicator ----------------------------------------------------------------------------------

int TKelCustomDBGrid::IndicatorIndex(int DataRow) {
  if (DataRow != FDataLink->ActiveRecord()) return -1;
  switch (DataSet()->State()) {
    case dsEdit: return 1;
    case dsInsert: return 2;
    default: return 0;
  }
}

void TKelCustomDBGrid::PaintFixedCell(const TRect& Rect, TColor Color) {
  if (IsGridThemed(false))
    DrawTitleButton(Canvas(), Rect, FFixedTheme, Color, gbsNormal);
  else
    DrawFixedCell(Canvas(), Rect, FFixedStyle, Color);
}

void TKelCustomDBGrid::PaintIndicatorCell(int DataRow, const TRect& Rect) {
  PaintFixedCell(Rect, FixedColor());
  if (!FDataLink->Active() || DataRow >= FDataLink->RecordCount()) return;
  int index = IndicatorIndex(DataRow);
  if (DataRow == FDataLink->ActiveRecord()) FSelRow = FTitleOffset + DataRow;
  {
    TKelDataRowScope row(this, DataRow);
    index = CalcImageIndex(nullptr, index);
  }
  TImageList* list = GetIndicators();
  if (FOptions.Contains(dgIndicatorMarkOff) || index < 0 || index >= list->Count()) return;
  const TPoint centre = Rect.CenterPoint();
  list->Draw(Canvas(), centre.X - list->Width() / 2, centre.Y - list->Height() / 2, index, index < 6);
}

// ---- The dispatch -------------------------------------------------------------------------------

void TKelCustomDBGrid::Paint() {
  TCustomGrid::Paint();
  PaintBeyondColumns();
}

// Right of the last column the titles continue as the filler and the total band in its colour.
void TKelCustomDBGrid::PaintBeyondColumns() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const int from = info.Horz.GridBoundary, to = info.Horz.GridExtent;
  if (from >= to) return;
  auto area = [&](int Top, int Bottom) {
    return UseRightToLeftAlignment() ? TRect{ClientWidth() - to, Top, ClientWidth() - from, Bottom}
                                     : TRect{from, Top, to, Bottom};
  };
  if (FOptions.Contains(dgTitles) && FTitleOffset > 0) {
    const TRect titles = area(0, GetTitleHeight() - GetRowLineWidth());
    if (FFillerButton)
      PaintTitleFace(titles, FFillerColor, {});
    else
      DrawFixedCell(Canvas(), titles, FFixedStyle, FFillerColor);
  }
  if (FTotalOffset > 1) {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(FTotals->Color());
    Canvas()->FillRect(area(info.Vert.GridBoundary - GetTotalHeight(), info.Vert.GridBoundary));
  }
}

void TKelCustomDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  const bool indicator = ACol < FIndicatorOffset;
  const int blankRow = RowCount() - FTotalOffset;  // the first bottom row, when there are any
  if (ARow < FTitleOffset) {
    if (indicator)
      PaintFillerCell(ARow, ARect);
    else
      PaintTitleCell(ACol, ARow, ARect, AState);
  } else if (ARow < blankRow || FTotalOffset == 0) {
    if (indicator)
      PaintIndicatorCell(ARow - FTitleOffset, ARect);
    else
      PaintDataCell(ACol, ARow - FTitleOffset, ARect, AState);
  } else if (ARow == blankRow) {
    if (indicator) {
      PaintFixedCell(ARect, FixedColor());
    } else {
      Canvas()->Brush()->SetStyle(bsSolid);
      Canvas()->Brush()->SetColor(Color());
      Canvas()->FillRect(ARect);
    }
  } else if (indicator) {
    PaintFixedCell(ARect, FTotals->Color());
  } else {
    PaintTotalCell(ACol, ARow - blankRow - 1, ARect);
  }
}

}  // namespace kel
