// The grid's rows: the record window (UpdateRowCount sizes the data link's buffer to the data
// rows that fit and the grid's rows to the records it holds), the heights of title, data, blank
// and total rows, the area heights derived from them, the line-count properties, and the grid
// column attributes (widths and tab stops) taken from the columns.
//
// UpdateRowCount, with bottom rows: their heights are first lent to the rows just below the
// titles (the blank row's stand-in taking no room), RowCount is raised to 1000 so the platform
// counts the rows that fit, the link's BufferCount takes that count, RowCount shrinks to the
// records held, and the bottom rows get their real heights at the end of the grid.
#include <algorithm>
#include <cstdlib>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelGridStyle.h"
#include "KelDBGrids/KelScrollProp.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// Rows the platform is asked to lay out while it counts the rows that fit.
constexpr int RowCountProbe = 1000;

// The room a window's bar takes while its range is not empty.
int BarRoom(HWND Wnd, int Bar) {
  TScrollInfo info;
  info.fMask = SIF_RANGE;
  GetScrollInfo(Wnd, Bar, info);
  return info.nMax > info.nMin ? SystemMetrics().ScrollBarWidth : 0;
}

int TextHeightIn(TCanvas* Canvas, TFont* Font) {
  Canvas->SetFont(Font);
  return Canvas->TextHeight("Wg");
}

}  // namespace

// ---- Counts ------------------------------------------------------------------------------------

int TKelCustomDBGrid::TotalRowCount() const {
  return FOptionsEx.Contains(dgBlankRow) ? FTotalOffset - 1 : FTotalOffset;
}

int TKelCustomDBGrid::TotalFieldsRowCount() const {
  return TotalRowCount() - FTotalHeader - FTotalValues - FTotalFooter;
}

int TKelCustomDBGrid::VisibleRowCount() const {
  return std::max(TCustomGrid::VisibleRowCount() - FTotalOffset, 1);
}

// ---- Record window -----------------------------------------------------------------------------

void TKelCustomDBGrid::UpdateRowCount() {
  const int oldRowCount = RowCount();
  {
    TCounterGuard resizing(FInvalidateLock);
    const int minimum = FTitleOffset + FTotalOffset + 1;
    if (RowCount() < minimum) TCustomGrid::SetRowCount(minimum);
    TCustomGrid::SetFixedRows(FTitleOffset);
    if (FDataLink->Active() && FDataLink->RecordCount() > 0 && HandleAllocated()) {
      FitRecordWindow();
    } else {
      TCustomGrid::SetRowCount(minimum);
      SetRowHeights(FTitleOffset, DefaultRowHeight());
      SetBottomRowHeights();
    }
  }
  if (RowCount() != oldRowCount) {
    Invalidate();
    return;
  }
  const int rowsHeight = (RowCount() - FixedRows()) * GetRowHeight();
  if (FOptions.Contains(dgRowLines) && FTotalOffset == 0 && HandleAllocated() &&
      rowsHeight == ClientHeight() - GetTitleHeight()) {
    const int last = RowCount() - 1;
    InvalidateRect(TGridRect{0, last, ColCount() - 1, last});
  }
}

void TKelCustomDBGrid::FitRecordWindow() {
  const int fixed = FixedRows();
  if (FTotalOffset > 0) {
    for (int i = RowCount() - FTotalOffset; i < RowCount(); ++i) SetRowHeights(i, DefaultRowHeight());
    for (int i = fixed + 1; i < fixed + FTotalOffset; ++i) SetRowHeights(i, FTotalRowHeight);
    SetRowHeights(fixed, -GetRowLineWidth());
  }
  TCustomGrid::SetRowCount(RowCountProbe);
  TCustomGrid::SetTopRow(fixed);
  FDataLink->SetBufferCount(VisibleRowCount());
  TCustomGrid::SetRowCount(FDataLink->RecordCount() + FTitleOffset + FTotalOffset);
  for (int i = fixed; i < fixed + FTotalOffset; ++i) SetRowHeights(i, DefaultRowHeight());
  SetBottomRowHeights();
  TCustomGrid::SetTopRow(fixed);
  UpdateActive();
}

void TKelCustomDBGrid::SetBottomRowHeights() {
  if (FTotalOffset == 0) return;
  for (int i = RowCount() - FTotalOffset + 1; i < RowCount(); ++i) SetRowHeights(i, FTotalRowHeight);
  SetRowHeights(RowCount() - FTotalOffset, std::max(GetBlankHeight(), 0) - GetRowLineWidth());
}

// ---- Heights -----------------------------------------------------------------------------------

int TKelCustomDBGrid::GetRowLineWidth() const {
  return FOptions.Contains(dgRowLines) ? GridLineWidth() : 0;
}

int TKelCustomDBGrid::GetColLineWidth() const {
  return FOptions.Contains(dgColLines) ? GridLineWidth() : 0;
}

int TKelCustomDBGrid::GetTitleHeight() const {
  int height = 0;
  for (int i = 0; i < FTitleOffset; ++i) height += RowHeights(i) + GetRowLineWidth();
  return height;
}

int TKelCustomDBGrid::GetTotalHeight() const {
  int height = 0;
  for (int i = RowCount() - FTotalOffset + 1; i < RowCount(); ++i)
    height += RowHeights(i) + GetRowLineWidth();
  if (FTotalOffset >= 2 && GetAlignTotalsToBorder()) --height;
  return height;
}

int TKelCustomDBGrid::GetDataRowsHeight() const {
  const int records = FDataLink->Active() ? FDataLink->RecordCount() : 0;
  return std::max(records, 1) * GetRowHeight();
}

int TKelCustomDBGrid::GetDataHeight() const {
  return ClientHeight() - GetTitleHeight() - GetTotalHeight();
}

int TKelCustomDBGrid::GetBlankHeight() const {
  int height = GetDataHeight() - GetDataRowsHeight();
  if (FTotalOffset == 1 && GetAlignTotalsToBorder()) ++height;
  return height;
}

int TKelCustomDBGrid::GetScrollBarWidth() const {
  return HandleAllocated() && FScrollProp->HasVertical(FScrollBars) ? BarRoom(FHandle, SB_VERT) : 0;
}

int TKelCustomDBGrid::GetScrollBarHeight() const {
  const bool asked = FScrollProp->HasHorizontal(TCustomGrid::ScrollBars());
  return HandleAllocated() && asked ? BarRoom(FHandle, SB_HORZ) : 0;
}

bool TKelCustomDBGrid::GetAlignTotalsToBorder() const {
  if (FTotalOffset == 0) return false;
  if (HandleAllocated() && IsScrollBarVisible(FHandle, SB_HORZ)) return false;
  if (IsGridThemed(false)) return false;
  return BorderStyle() != bsSingle || !Ctl3D();
}

void TKelCustomDBGrid::MeasureRowHeights() {
  TCanvas* canvas = Canvas();
  const int rowLine = GetRowLineWidth();
  // Data rows.
  FLineHeight = TextHeightIn(canvas, Font());
  SetDefaultRowHeight(FLinesCount * FLineHeight + FGridStyle->DataRowSpace() + rowLine);
  // Header bands inside the titles.
  FHeaderRowHeight = 0;
  if (FOptions.Contains(dgTitles) && FOptions.Contains(dgTitleHeaders))
    FHeaderRowHeight = FHeaderLinesCount * TextHeightIn(canvas, FHeaderFont.get()) +
                       FGridStyle->HeaderRowSpace() + rowLine;
  if (FOptions.Contains(dgTitles)) MeasureTitleLevels(canvas);
  MeasureTotalRows(canvas);
  SetBottomRowHeights();
  FRowCalculated = true;
}

// A column's title: its lines in its title font and its header bands. Expanded columns take
// the level of their depth; a leaf title spans from its depth to the last level, which takes
// whatever the levels above leave it to show.
void TKelCustomDBGrid::MeasureTitleLevels(TCanvas* Canvas) {
  std::vector<int> levels(FTitleOffset, 0);
  auto titleHeight = [&](TKelColumn* column) {
    TKelColumnTitle* title = column->Title();
    return FTitleLinesCount * TextHeightIn(Canvas, title->Font()) + FGridStyle->TitleRowSpace() +
           title->GetHeaderRowCount() * FHeaderRowHeight;
  };
  auto walk = [&](auto& self, int first, int last, int depth, bool leaves) -> void {
    for (int i = first; i <= last; ++i) {
      TKelColumn* column = FColumns->Items(i);
      const int groupEnd = column->ExpandIndex();
      if (column->Visible() && column->Expanded()) {
        if (!leaves && depth < FTitleOffset) levels[depth] = std::max(levels[depth], titleHeight(column));
        self(self, i + 1, groupEnd, depth + 1, leaves);
      } else if (column->Visible() && leaves) {
        int rest = titleHeight(column);
        for (int level = depth; level < FTitleOffset - 1; ++level) rest -= levels[level];
        levels.back() = std::max(levels.back(), rest);
      }
      i = groupEnd;
    }
  };
  walk(walk, 0, FColumns->Count() - 1, 0, false);
  walk(walk, 0, FColumns->Count() - 1, 0, true);
  if (levels.front() == 0)
    levels.front() = FTitleLinesCount * TextHeightIn(Canvas, FTitleFont.get()) + FGridStyle->TitleRowSpace();
  for (int i = 0; i < FTitleOffset; ++i) SetRowHeights(i, levels[i]);
}

// The tallest font among the total objects the bottom rows show.
void TKelCustomDBGrid::MeasureTotalRows(TCanvas* Canvas) {
  FTotalRowHeight = 0;
  if (FTotalOffset <= 1) return;
  int tallest = 0;
  auto measure = [&](TKelColumnTotal* total) { tallest = std::max(tallest, TextHeightIn(Canvas, total->Font())); };
  for (TKelColumn* column : *FColumns) {
    if (FOptionsEx.Contains(dgTotalHeader)) measure(column->TotalHeader());
    if (FOptionsEx.Contains(dgTotalValues))
      for (TKelColumnTotalValue* total : *column->TotalValues()) measure(total);
    if (FOptionsEx.Contains(dgTotalFields)) measure(column->TotalFields());
    if (FOptionsEx.Contains(dgTotalFooter)) measure(column->TotalFooter());
  }
  if (tallest == 0) tallest = TextHeightIn(Canvas, FTotals->Font());
  FTotalRowHeight = tallest * FTotals->LinesCount() + FGridStyle->TotalRowSpace();
}

// A drag on a data row's border asks for whole lines: the new height rounds to the nearest line
// count, and OnRowResize reports the change once the layout has measured it.
void TKelCustomDBGrid::RowHeightsChanged() {
  TCustomGrid::RowHeightsChanged();
  if (FLockChangeScale || FInvalidateLock != 0) return;
  if (FLineHeight > 0 && FUpdateLock == 0 && FLayoutLock == 0) {
    TGridLayoutGuard layout(this);
    const int rowLine = GetRowLineWidth();
    for (int i = FTitleOffset; i < RowCount() - FTotalOffset; ++i) {
      const int height = RowHeights(i);
      if (height == DefaultRowHeight()) continue;
      SetLinesCount(std::max(height - rowLine - FLineHeight / 2 - 3, 0) / FLineHeight + 1);
      break;
    }
    layout.Close();
  }
  InvalidateEditor();
  if (std::abs(DefaultRowHeight() - FLastRowHeight) <= GridLineWidth() || !FRowCalculated) return;
  FLastRowHeight = DefaultRowHeight();
  FRowCalculated = false;
  if (OnRowResize) OnRowResize(this);
}

// ---- Fonts and scaling -------------------------------------------------------------------------

void TKelCustomDBGrid::CMParentFontChanged(TMessage& Message) {
  const int oldHeight = Font()->Height();
  TCustomGrid::CMParentFontChanged(Message);
  if (!ParentFont()) return;
  {
    TFlagGuard copying(FCopyingFonts, true);
    FTitleFont->Assign(Font());
    FHeaderFont->Assign(Font());
    FTotals->Font()->Assign(Font());
  }
  if (FOptionsExt.Contains(dgScaleByParentFont) && Font()->Height() != oldHeight)
    ScaleColumnsBy(Font()->Height(), oldHeight, false);
  LayoutChanged();
  InvalidateEditor();
}

void TKelCustomDBGrid::ChangeScale(int M, int D) {
  {
    TFlagGuard scaling(FLockChangeScale, true);
    TCustomGrid::ChangeScale(M, D);
  }
  // With fonts that follow the parent, the parent's scaled font scales the columns.
  if (!(ParentFont() && FOptionsExt.Contains(dgScaleByParentFont))) ScaleColumnsBy(M, D, true);
}

// ---- Geometry properties -----------------------------------------------------------------------

void TKelCustomDBGrid::SetFixedCols(int Value) {
  Value = std::max(Value, 0);
  if (FFixedCols == Value) return;
  FFixedCols = Value;
  LayoutChanged();
  InvalidateEditor();
  Synchronize();
}

void TKelCustomDBGrid::SetIndicatorWidth(int Value) {
  if (Value < 12) Value = 11;
  if (FIndicatorWidth == Value) return;
  FIndicatorWidth = Value;
  Synchronize();
  if (!FOptions.Contains(dgIndicator)) return;
  LayoutChanged();
  InvalidateEditor();
}

void TKelCustomDBGrid::SetLeftCol(int Value) {
  TCustomGrid::SetLeftCol(std::max(Value, FIndicatorOffset + FFixedCols));
}

void TKelCustomDBGrid::SetDataLeftCol(int Value) {
  SetLeftCol(DataToRawColumn(Value));
  LayoutChanged();
}

TKelColumn* TKelCustomDBGrid::ShownColumn(int RawCol) const {
  const int index = RawToDataColumn(RawCol);
  if (index < 0 || index >= FColumns->Count()) return nullptr;
  TKelColumn* column = FColumns->Items(index);
  return column->Showing() ? column : nullptr;
}

void TKelCustomDBGrid::SetColWidths(int Index, int Value) {
  if (ColWidths(Index) != Value) FLastResizedCol = Index;
  TCustomGrid::SetColWidths(Index, Value);
}

int TKelCustomDBGrid::GetColsWidth(int Count) const {
  const int line = GetColLineWidth();
  int width = FOptions.Contains(dgIndicator) ? FIndicatorWidth + line : 0;
  const int columns = std::min(Count, FColumns->Count());
  for (int i = 0; i < columns; ++i) {
    TKelColumn* column = FColumns->Items(i);
    if (column->Showing()) width += column->Width() + line;
  }
  return width;
}

int TKelCustomDBGrid::GetColumnsWidth() const { return GetColsWidth(FColumns->Count()); }

int TKelCustomDBGrid::GetFixedColsWidth() const { return GetColsWidth(FFixedCols); }

void TKelCustomDBGrid::SetLinesCount(int Value) {
  if (Value < 0) return;
  Value = std::max(Value, 1);
  if (Value < FLinesCountMin) Value = FLinesCountMin;
  if (FLinesCountMax != -1 && Value > FLinesCountMax) Value = FLinesCountMax;
  if (FLinesCount == Value) return;
  FLinesCount = Value;
  LayoutChanged();
  InvalidateEditor();
}

void TKelCustomDBGrid::SetLinesCountMax(int Value) {
  if (Value < -1) return;
  if (Value != -1 && Value < FLinesCountMin) Value = FLinesCountMin;
  if (FLinesCountMax == Value) return;
  FLinesCountMax = Value;
  if (Value != -1 && FLinesCount > Value) SetLinesCount(Value);
}

void TKelCustomDBGrid::SetLinesCountMin(int Value) {
  if (Value < 0) return;
  Value = std::max(Value, 1);
  if (FLinesCountMax != -1) Value = std::min(Value, FLinesCountMax);
  if (FLinesCountMin == Value) return;
  FLinesCountMin = Value;
  if (FLinesCount < Value) SetLinesCount(Value);
}

void TKelCustomDBGrid::SetTitleLinesCount(int Value) {
  Value = std::max(Value, 1);
  if (FTitleLinesCount == Value) return;
  FTitleLinesCount = Value;
  if (!FOptions.Contains(dgTitles)) return;
  LayoutChanged();
  InvalidateEditor();
}

void TKelCustomDBGrid::SetHeaderLinesCount(int Value) {
  Value = std::max(Value, 1);
  if (FHeaderLinesCount == Value) return;
  FHeaderLinesCount = Value;
  if (!FOptions.Contains(dgTitles) || !FOptions.Contains(dgTitleHeaders)) return;
  LayoutChanged();
  InvalidateEditor();
}

void TKelCustomDBGrid::SetDefaultWidthMin(int Value) {
  if (FDefaultWidthMin == Value) return;
  FDefaultWidthMin = Value;
  LayoutChanged();
}

void TKelCustomDBGrid::SetDefaultWidthMax(int Value) {
  if (FDefaultWidthMax == Value) return;
  FDefaultWidthMax = Value;
  LayoutChanged();
}

void TKelCustomDBGrid::SetStretchWidthMin(int Value) {
  if (FStretchWidthMin == Value) return;
  FStretchWidthMin = Value;
  StretchGrid();
}

void TKelCustomDBGrid::SetStretchWidthMax(int Value) {
  if (FStretchWidthMax == Value) return;
  FStretchWidthMax = Value;
  StretchGrid();
}

void TKelCustomDBGrid::SetWheelScrollRows(int Value) { FWheelScrollRows = std::max(Value, -1); }

// ---- Column attributes -------------------------------------------------------------------------

void TKelCustomDBGrid::SetColumnAttributes() {
  for (TKelColumn* column : *FColumns) {
    const int raw = DataToRawColumn(column->Index());
    if (raw >= ColCount()) break;
    TField* field = FDataLink->Active() ? column->Field() : nullptr;
    SetTabStops(raw, column->Showing() && field && field->FieldKind() != fkCalculated &&
                         !field->ReadOnly());
    SetColWidths(raw, column->Width());
  }
  if (FOptions.Contains(dgIndicator)) SetColWidths(0, FIndicatorWidth);
}

}  // namespace kel
