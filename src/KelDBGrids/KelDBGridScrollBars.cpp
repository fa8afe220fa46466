// The grid's scroll bars and window: the vertical bar the grid keeps itself (the platform grid
// only knows the buffered records), the choice of the platform's horizontal bar, window creation,
// size changes, scrolling of the left column, and the invalidation of row areas.
//
// The vertical bar has three forms: under a forced sequence it follows the grid's own record
// counters; for a sequenced data set RecNo and RecordCount; otherwise three thumb stops (top,
// middle, bottom). It is written only when one of its values changes.
#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelScrollProp.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

struct TBarValues {
  int Min = 1;
  int Max = 1;
  int Page = 0;
  int Pos = 1;
  bool operator==(const TBarValues&) const = default;
};

constexpr TBarValues NoBar{1, 1, 1, 1};

}  // namespace

void TKelCustomDBGrid::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  TScrollInfo current;
  current.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_VERT, current);
  const TBarValues old{current.nMin, current.nMax, static_cast<int>(current.nPage), current.nPos};
  TBarValues bar = old;
  const bool designing = ComponentState().Contains(csDesigning);
  if ((FScrollBars == ssNone || FScrollBars == ssHorizontal) && !designing) {
    bar = NoBar;
  } else {
    if (!FDataLink->Active()) return;
    const int v = VisibleRowCount();
    const bool proportional = FScrollProp->HasVertical(FScrollProp->ThumbBar());
    const bool autoHidden = FFlatSBInit && FScrollProp->HasVertical(FScrollProp->AutoHidden());
    TDataSet* dataSet = DataSet();
    const bool inserting = dataSet->State() == dsInsert;
    bool counted = true;
    if (ForcedSequence()) {
      const int count = FRecCount;
      const int active = FDataLink->ActiveRecord();
      bar.Min = 1;
      if (proportional) {
        bar.Page = v;
        bar.Max = ScrollPageMode() ? (count + v - 1) / v + v - 1 : ScrollGridMode() ? count : count + v - 1;
      } else {
        bar.Page = 0;
        bar.Max = ScrollPageMode() ? (count + v - 1) / v : ScrollGridMode() ? count - v + 1 : count;
      }
      if (!inserting) {
        if (FDataLink->Bof()) FRecNumber = std::min(count, 1);
        if (FDataLink->Eof()) FRecNumber = count;
        bar.Pos = ScrollPageMode()   ? (FRecNumber - active + 2 * v - 2) / v
                  : ScrollGridMode() ? FRecNumber - active
                                     : FRecNumber;
      }
      if (autoHidden && count <= v) bar = NoBar;
    } else if (!dataSet->IsSequenced()) {
      bar.Min = 0;
      bar.Page = proportional ? 2 : 0;
      bar.Max = proportional ? 5 : 4;
      bar.Pos = FDataLink->Bof() ? 0 : FDataLink->Eof() ? bar.Max : 2;
      const int rowHeight = std::max(GetRowHeight(), 1);
      if (autoHidden && v < (ClientHeight() - GetTitleHeight() - GetTotalHeight()) / rowHeight)
        bar.Max = bar.Min;
      counted = false;
    } else {
      const int count = dataSet->RecordCount();
      bar.Min = 1;
      bar.Page = proportional ? v : 0;
      bar.Max = proportional ? count + v - 1 : count;
      if (!inserting) bar.Pos = dataSet->RecNo();
      if (autoHidden && count <= v) bar = NoBar;
    }
    // A counted bar stays visible (disabled) when nothing scrolls, unless it may hide.
    if (counted && bar.Min >= bar.Max && !FScrollProp->HasVertical(FScrollProp->AutoHidden()))
      bar.Max = bar.Min + 1;
  }
  if (bar == old) return;
  TScrollInfo info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = bar.Min;
  info.nMax = bar.Max;
  info.nPage = static_cast<Cardinal>(std::max(bar.Page, 0));
  info.nPos = bar.Pos;
  SetScrollInfo(Handle(), SB_VERT, info, true);
}

// Flat (custom-drawn) bars are an option of systems older than the platform answers to be, so
// the standard bars serve: there is no flat horizontal bar to keep.
void TKelCustomDBGrid::UpdateHorzFlatSB() {}
void TKelCustomDBGrid::UpdateFlatSBMode() { FFlatSBMode = false; }

void TKelCustomDBGrid::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  const bool verticalChanged = FScrollProp->HasVertical(Value) != FScrollProp->HasVertical(FScrollBars);
  FScrollBars = Value;
  const bool horizontal = FScrollProp->HasHorizontal(Value) && !(StretchMode() && FScrollProp->AutoStretch());
  TCustomGrid::SetScrollBars(horizontal ? ssHorizontal : ssNone);
  if (verticalChanged && HandleAllocated()) RecreateWnd();
  UpdateScrollBar();
  if (horizontal) UpdateHorzFlatSB();
  StretchGrid();
}

void TKelCustomDBGrid::CreateParams(TCreateParams& Params) {
  TCustomGrid::CreateParams(Params);
  // The platform grid is given the horizontal bar only; the vertical one is the grid's own.
  if (FScrollProp && FScrollProp->HasVertical(FScrollBars)) Params.Style |= WS_VSCROLL;
}

void TKelCustomDBGrid::CreateWnd() {
  TGridUpdateGuard updating(this);
  TCustomGrid::CreateWnd();
  UpdateFlatSBMode();
  UpdateRowCount();
  UpdateActive();
  FFlatSBInit = true;
  UpdateScrollBar();
  UpdateHorzFlatSB();
}

void TKelCustomDBGrid::WMSize(TWMSize& Message) {
  TCustomGrid::WMSize(Message);
  FDataLink->UpdateData();
  if (FUpdateLock == 0) UpdateRowCount();
  UpdateScrollBar();
  UpdateHorzFlatSB();
  UpdateSearchPanel();
  if (ClientHeight() <= GetTitleHeight()) InvalidateTitles();
  InvalidateTotals();
  InvalidateBorder();
  InvalidateCorner();
  StretchGrid();
  InvalidateEditor();
}

void TKelCustomDBGrid::TopLeftChanged() {
  UpdateHorzFlatSB();
  InvalidateTile(idTileRow);
  if (CanEditShow()) TCustomGrid::TopLeftChanged();
  if (!FManagement && FManageGrid) FManageGrid->SetLeftCol(LeftCol());
  if (LeftCol() == FLastLeftCol) return;
  FLastLeftCol = LeftCol();
  if (OnColumnScroll) OnColumnScroll(this, RawToDataColumn(LeftCol()));
}

// ---- Invalidation of row areas -----------------------------------------------------------------

void TKelCustomDBGrid::InvalidateTitles() {
  if (!HandleAllocated() || FTitleOffset == 0) return;
  InvalidateRect(TGridRect{0, 0, ColCount() - 1, FTitleOffset - 1});
}

void TKelCustomDBGrid::InvalidateData() {
  if (!HandleAllocated()) return;
  InvalidateRect(TGridRect{0, FTitleOffset, ColCount() - 1, RowCount() - FTotalOffset - 1});
}

void TKelCustomDBGrid::InvalidateTotals() {
  if (!HandleAllocated() || FTotalOffset == 0) return;
  InvalidateRect(TGridRect{0, RowCount() - FTotalOffset, ColCount() - 1, RowCount() - 1});
}

void TKelCustomDBGrid::InvalidateCorner() {
  if (HandleAllocated() && FIndicatorOffset > 0 && FTitleOffset > 0) InvalidateCell(0, 0);
}

// The border is drawn with the window; repainting the window repaints it.
void TKelCustomDBGrid::InvalidateBorder() {
  if (HandleAllocated()) Invalidate();
}

}  // namespace kel
