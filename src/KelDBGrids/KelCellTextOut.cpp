// The cell text routine. Drawing goes through TCanvas::TextRect with a clear brush, whose shaped
// runs are cached, so repainting the same cells shapes nothing again.
#include "KelDBGrids/KelCellTextOut.h"

#include <algorithm>

namespace kel {

namespace {

constexpr std::string_view Ellipsis = "...";

void SplitLines(std::string_view Text, std::vector<std::string_view>& Lines) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = Text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      Lines.push_back(Text.substr(start));
      return;
    }
    Lines.push_back(Text.substr(start, end - start));
    start = end + (Text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

TAlignment Mirrored(TAlignment Alignment) {
  if (Alignment == taLeftJustify) return taRightJustify;
  if (Alignment == taRightJustify) return taLeftJustify;
  return Alignment;
}

}  // namespace

int CellTextReserve(TAlignment Alignment, int DX) {
  switch (Alignment) {
    case taLeftJustify: return DX;
    case taRightJustify: return DX + 1;
    case taCenter: return 0;
  }
  return DX;
}

void WriteCellText(TCanvas* Canvas, const TRect& Rect, std::string_view Text, const TCellTextFormat& Format,
                   std::vector<std::string_view>& Lines) {
  if (Text.empty() || Rect.IsEmpty()) return;
  TAlignment alignment = Format.Alignment;
  if (Canvas->CanvasOrientation() == coRightToLeft && !Format.RightToLeft) alignment = Mirrored(alignment);
  const int dx = Format.DX;
  const int reserve = CellTextReserve(alignment, dx);
  // Left and right text keep the margin on the far side too; centred text may use the width.
  const int width = std::max(Rect.Width() - reserve - (alignment == taCenter ? 0 : dx), 0);
  const int lineHeight = Canvas->TextHeight("Wg");
  const int fitting = lineHeight > 0 ? (Rect.Height() - 2 * Format.DY + 1) / lineHeight : 0;
  const TVAlignment vertical = fitting > 0 ? Format.VAlignment : tvTopJustify;

  Lines.clear();
  // Wrapping needs room for a second line, and text that fits needs no wrapping; a single line
  // is cut with the ellipsis instead, which keeps as much of it as fits.
  const bool singleLine = Text.find_first_of("\r\n") == std::string_view::npos;
  if (singleLine && (!Format.WordWrap || fitting <= 1 || Canvas->TextWidth(Text) <= width))
    Lines.push_back(Text);
  else if (Format.WordWrap && fitting > 1)
    Canvas->WrapText(Text, width, Lines);
  else
    SplitLines(Text, Lines);
  const int count = std::max(std::min(static_cast<int>(Lines.size()), fitting), 1);
  // With an ellipsis, text left over below the last line shows as "..." at that line's end.
  const bool leftOver = Format.Ellipsis && count < static_cast<int>(Lines.size());

  const int free = std::max(Rect.Height() - 2 * Format.DY - count * lineHeight, 0);
  int y = Rect.Top + Format.DY;
  if (vertical == tvBottomJustify) y += free;
  if (vertical == tvCenter) y += free / 2;
  TBrush* brush = Canvas->Brush();
  const TBrushStyle brushStyle = brush->Style();
  brush->SetStyle(bsClear);
  for (int i = 0; i < count; ++i, y += lineHeight) {
    std::string_view line = Lines[i];
    String shortened;
    if (leftOver && i == count - 1) {
      shortened = String(line) + String(Ellipsis);
      if (Canvas->TextWidth(shortened) > width) shortened = Canvas->EllipsisText(shortened, width);
      line = shortened;
    } else if (Format.Ellipsis && Canvas->TextWidth(line) > width) {
      shortened = Canvas->EllipsisText(line, width);
      line = shortened;
    }
    const int textWidth = Canvas->TextWidth(line);
    int x = Rect.Left + dx;
    if (alignment == taRightJustify) x = Rect.Right - textWidth - dx - 1;
    if (alignment == taCenter) x = Rect.Left + Rect.Width() / 2 - textWidth / 2;
    Canvas->TextRect(Rect, x, y, line);
  }
  brush->SetStyle(brushStyle);
}

}  // namespace kel
