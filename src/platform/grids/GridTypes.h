// The vocabulary of the grid controls: options, cell draw states, grid states, scroll directions,
// cell coordinates and ranges, and the per-axis draw information a paint or hit test works from.
#pragma once

#include <cstdint>

#include "platform/classes/Properties.h"
#include "platform/grids/GridAxis.h"
#include "platform/rtl/Types.h"

namespace kel {

enum TGridOption : std::uint8_t {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking, goFixedColClick, goFixedRowClick, goFixedHotTrack
};
KEL_ENUM_NAMES(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine",
               "goRangeSelect", "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving",
               "goColMoving", "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor",
               "goThumbTracking", "goFixedColClick", "goFixedRowClick", "goFixedHotTrack")
using TGridOptions = TSet<TGridOption>;

// How a cell is drawn: part of the selection, the focused cell, a fixed cell, on the selected row
// (goRowSelect), under the mouse (goFixedHotTrack) or held down (goFixedColClick/goFixedRowClick).
enum TGridDrawStateElement : std::uint8_t {
  gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed
};
using TGridDrawState = TSet<TGridDrawStateElement>;

// What the mouse is doing to the grid.
enum TGridState : std::uint8_t {
  gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving
};

enum TGridScrollDirectionElement : std::uint8_t { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirection = TSet<TGridScrollDirectionElement>;

// Which standard scroll bars a control shows.
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
KEL_ENUM_NAMES(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

// A cell: X is the column, Y the row; -1 means none.
struct TGridCoord {
  int X = 0;
  int Y = 0;
  constexpr bool operator==(const TGridCoord&) const = default;
};

// A block of cells; all four bounds are inclusive.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr bool Contains(int col, int row) const {
    return col >= Left && col <= Right && row >= Top && row <= Bottom;
  }
  constexpr bool operator==(const TGridRect&) const = default;
};

// Where the cells of one axis lie on the client area, in logical (left-to-right) pixels.
struct TGridAxisDrawInfo {
  int EffectiveLineWidth = 0;   // line after each shown cell: GridLineWidth, or 0 without lines
  int FixedBoundary = 0;        // end of the fixed cells, their lines included
  int GridBoundary = 0;         // end of the last cell shown (at most GridExtent)
  int GridExtent = 0;           // client width or height
  int LastFullVisibleCell = 0;  // last cell shown whole (its line may be cut)
  int FullVisBoundary = 0;      // end of LastFullVisibleCell and its line
  int FixedCellCount = 0;       // FixedCols or FixedRows
  int FirstGridCell = 0;        // LeftCol or TopRow
  int GridCellCount = 0;        // ColCount or RowCount
  const TGridAxis* Axis = nullptr;  // sizes of the cells

  // Width or height of a cell (0 or less: hidden).
  int GetExtent(int index) const { return Axis->Size(index); }
  // Room the cell takes with its line: nothing for a hidden cell.
  int Span(int index) const { return Axis->Span(index, EffectiveLineWidth); }
};

struct TGridDrawInfo {
  TGridAxisDrawInfo Horz;
  TGridAxisDrawInfo Vert;
};

}  // namespace kel
