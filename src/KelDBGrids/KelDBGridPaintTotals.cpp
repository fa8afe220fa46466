// Total band cells: font and colour of the total object, its text, the optional box framed in
// the totals' box style, and the total image.
#include "KelDBGrids/KelCellTextOut.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnTotal.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridLook.h"
#include "KelDBGrids/KelGridStyle.h"

namespace kel {

namespace {

constexpr int TotalTextMargin = 2;

}  // namespace

// Band row Band is boxed by the options of its row kind.
bool TKelCustomDBGrid::TotalBandBoxed(int Band) const {
  const int h = FTotalHeader, v = FTotalValues, n = FTotalOffset;
  if (Band < h) return FOptionsEx.Contains(dgTotalHeaderBox);
  if (Band < h + v) return FOptionsEx.Contains(dgTotalValuesBox);
  if (Band < n - FTotalFooter - 1) return FOptionsEx.Contains(dgTotalFieldsBox);
  return FOptionsEx.Contains(dgTotalFooterBox);
}

void TKelCustomDBGrid::PaintTotalCell(int ACol, int Band, const TRect& Rect) {
  TCanvas* canvas = Canvas();
  TKelColumn* column = ShownColumn(ACol);
  TKelColumnTotal* total = column ? column->GetTotalRows(Band) : nullptr;
  canvas->Font()->Assign(total ? total->Font() : FTotals->Font());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(total ? total->Color() : FTotals->Color());
  canvas->FillRect(Rect);
  if (!column) return;

  const String text = GetTotalText(column, Band, tkDisplay);
  bool boxed = total && total->TotalBox() == tbTrue;
  if (!total || total->TotalBox() == tbAuto) boxed = TotalBandBoxed(Band);
  if (boxed && text.empty() && FOptionsEx.Contains(dgTotalDataBoxOnly)) boxed = false;

  TRect textRect = Rect;
  const int margin = FGridStyle->TotalColMargin() + (boxed ? 1 : 0);
  textRect.Left += margin;
  textRect.Right -= margin;
  if (boxed) {
    TRect box = textRect;
    box.Top += 1;
    box.Bottom -= 1;
    DrawTotalBox(canvas, box, CheckBoxStyle(FTotals->BoxStyle()));
    textRect = box;
  }
  TImageList* images = FTotals->Images();
  if (total && images && total->ImageIndex() >= 0 && total->ImageIndex() < images->Count()) {
    const int x = textRect.Left + TotalTextMargin;
    images->Draw(canvas, x, textRect.Top + (textRect.Height() - images->Height()) / 2, total->ImageIndex());
    textRect.Left = x + images->Width() + 2 - TotalTextMargin;
  }
  TCellTextFormat format;
  format.DX = TotalTextMargin;
  format.DY = TotalTextMargin;
  const bool rightToLeft = column->UseRightToLeftAlignment();
  format.Alignment = total ? total->Alignment() : column->Alignment();
  if (rightToLeft && format.Alignment != taCenter)
    format.Alignment = format.Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  format.RightToLeft = rightToLeft;
  format.Ellipsis = total ? total->Ellipsis() : true;
  format.WordWrap = total ? total->WordWrap() : false;
  format.VAlignment = total ? total->VAlignment() : tvCenter;
  WriteCellText(canvas, textRect, text, format, FTextLines);
}

}  // namespace kel
