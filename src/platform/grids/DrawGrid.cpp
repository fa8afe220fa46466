// TDrawGrid: every hook of the platform grid passed to the application as an event, and the
// grid's published properties.
#include "platform/grids/GridPrivate.h"
#include "platform/grids/StringGrid.h"

namespace kel {

const TPropList& TDrawGrid::PublishedProperties() {
  using C = TDrawGrid;
  static const TPropList list = PropertyTable<C>()
      .Integer("ColCount", &C::ColCount, &C::SetColCount, GridDefaultCount)
      .Integer("RowCount", &C::RowCount, &C::SetRowCount, GridDefaultCount)
      .Integer("DefaultColWidth", &C::DefaultColWidth, &C::SetDefaultColWidth, GridDefaultColWidth)
      .Integer("DefaultRowHeight", &C::DefaultRowHeight, &C::SetDefaultRowHeight,
               GridDefaultRowHeight)
      .Boolean("DefaultDrawing", &C::DefaultDrawing, &C::SetDefaultDrawing, true)
      .Integer("FixedColor", &C::FixedColor, &C::SetFixedColor, clBtnFace)
      .Integer("FixedCols", &C::FixedCols, &C::SetFixedCols, 1)
      .Integer("FixedRows", &C::FixedRows, &C::SetFixedRows, 1)
      .Integer("FixedLineColor", &C::FixedLineColor, &C::SetFixedLineColor, clBlack)
      .Integer("GridLineColor", &C::GridLineColor, &C::SetGridLineColor, clSilver)
      .Integer("GridLineWidth", &C::GridLineWidth, &C::SetGridLineWidth, 1)
      .Set("Options", &C::Options, &C::SetOptions,
           TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect})
      .Enum("ScrollBars", &C::ScrollBars, &C::SetScrollBars, ssBoth)
      .Event("OnColumnMoved")
      .Event("OnDrawCell")
      .Event("OnFixedCellClick")
      .Event("OnGetEditMask")
      .Event("OnGetEditText")
      .Event("OnRowMoved")
      .Event("OnSelectCell")
      .Event("OnSetEditText")
      .Event("OnTopLeftChanged");
  return list;
}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

String TDrawGrid::GetEditMask(int ACol, int ARow) {
  String value;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
  return value;
}

String TDrawGrid::GetEditText(int ACol, int ARow) {
  String value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const String& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TDrawGrid::FixedCellClick(int ACol, int ARow) {
  if (OnFixedCellClick) OnFixedCellClick(this, ACol, ARow);
}

}  // namespace kel
