// The drawing variants of the grid's look, for the painting of cells: fixed cells by FixedStyle,
// title buttons by FixedTheme, sort markers by MarkerStyle, check boxes by CheckBoxStyle, hot
// title buttons by HotButtons, and drop-down list borders by ListBorder.
//
// Each routine takes a resolved (not automatic) variant; the grid resolves the automatic ones
// (CheckBoxStyle, HotButtonsStyle, ListBorderStyle). Colours come from the active style's palette
// unless a colour is passed, so the same calls follow a style switch. Nothing here allocates.
#pragma once

#include "KelDBGrids/KelDBGridTypes.h"
#include "ZoltsGraph/ZoltsGraph.h"

namespace kel {

// The state of a check box: unchecked, checked, or grayed (neither).
enum TKelBoxState : std::uint8_t { kbsUnchecked, kbsChecked, kbsGrayed };

// The background and frame of a fixed cell (titles, indicator, totals) in Color.
void DrawFixedCell(TCanvas* Canvas, const TRect& Rect, TFixedStyle Style, TColor Color);
// A title cell drawn as a button of the fixed theme, in a state.
void DrawTitleButton(TCanvas* Canvas, const TRect& Rect, TFixedTheme Theme, TColor Color,
                     TGradientButtonState State);
// A sort marker centred in Rect, pointing up for ascending order. Without Transparent the
// marker sits on a box of its own.
void DrawSortMarker(TCanvas* Canvas, const TRect& Rect, TMarkerStyle Style, bool Ascending,
                     bool Transparent);
// A 13-pixel check box centred in Rect, framed by Style.
void DrawCheckBox(TCanvas* Canvas, const TRect& Rect, TCheckBoxStyle Style, TKelBoxState State);
// The frame and face of a total box filling Rect, framed by Style.
void DrawTotalBox(TCanvas* Canvas, const TRect& Rect, TCheckBoxStyle Style);
// The hot look of a title button over a face of Color.
void DrawHotButton(TCanvas* Canvas, const TRect& Rect, THotButtons Style, TColor Color);
// The border of a drop-down list; Rect shrinks to the inside of the border.
void DrawListBorder(TCanvas* Canvas, TRect& Rect, TListBorder Style);

}  // namespace kel
