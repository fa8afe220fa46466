// The one routine every text cell of the grid is written with: margins, line breaks, word wrap,
// an ellipsis on what does not fit, and vertical placement.
#pragma once

#include <string_view>
#include <vector>

#include "KelDBGrids/KelColumnTypes.h"
#include "platform/graphics/Canvas.h"

namespace kel {

struct TCellTextFormat {
  int DX = 2;                            // horizontal margin
  int DY = 2;                            // vertical margin, above the first line
  TAlignment Alignment = taLeftJustify;
  bool RightToLeft = false;              // the alignment is already right-to-left
  bool WordWrap = false;
  bool Ellipsis = false;
  TVAlignment VAlignment = tvCenter;
};

// Writes Text into Rect in the canvas's font, clipped to Rect, over what is there (the brush is
// not used). Lines are separated by line breaks and, with WordWrap, broken to fit the width; as
// many as fit the height are drawn (at least one, top-aligned when not even one fits). Lines is
// scratch space the caller keeps to spare allocations.
void WriteCellText(TCanvas* Canvas, const TRect& Rect, std::string_view Text, const TCellTextFormat& Format,
                   std::vector<std::string_view>& Lines);

// The room the text of an alignment keeps free at the right: DX for left-aligned text, one more
// pixel for right-aligned text (it must not touch the line), none for centred text.
int CellTextReserve(TAlignment Alignment, int DX);

}  // namespace kel
