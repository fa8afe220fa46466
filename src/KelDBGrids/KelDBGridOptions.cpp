// The grid's option sets: SetOptions (platform options, selection, then the reactions of the
// changed bits in the order sequence, layout, editor, stretch, markers, border), SetOptionsEx,
// SetOptionsExt, the Switch helpers; the border and theme tests that follow the look.
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelScrollProp.h"
#include "ZoltsGraph/ZoltsGraph.h"

namespace kel {

namespace {

using O = TKelDBGridOptions;
using X = TKelDBGridOptionsEx;
using T = TKelDBGridOptionsExt;

// Which changed bits of Options cause which reaction.
constexpr O LayoutOptions{dgEditing,       dgAlwaysShowEditor, dgTitles,          dgIndicator,
                          dgColLines,      dgRowLines,         dgRowSelect,       dgAlwaysShowSelection,
                          dgMultiSelect,   dgInternalSelect,   dgTitleHeaders,    dgTitleWidthOff,
                          dgIndicatorMarkOff, dgMarkerAutoAlign, dgForceSequence};
constexpr O EditorOptions{dgTitles, dgIndicator, dgColLines, dgRowLines, dgTitleHeaders,
                          dgTitleWidthOff};
constexpr O StretchOptions{dgIndicator, dgColLines, dgTitleWidthOff};
constexpr O MarkerOptions{dgMarkerAutoSwitch, dgMarkerAutoToggle, dgMarkerAscendOnly};
constexpr O BorderOptions{dgColLines, dgRowLines};

// OptionsEx bits 0..4, 0..10, 11..13 and the ones whose change recalculates totals.
constexpr X BlankAndTotalRows = X::FromMask(0x1F);
constexpr X BandOptions = X::FromMask(0x7FF);
constexpr X OrderOptions{dgLoadCurrentOrder, dgAutoUpdateOrder, dgAutoAscendOrder};
constexpr X TotalsWhenSet{dgTotalHeader, dgTotalValues, dgTotalFooter, dgCalcInvisibleRows};
constexpr X TotalsWhenChanged{dgAutoUpdateTotals,    dgCalcWholeDataSet,    dgCalcSelectedRows,
                              dgTotalHeaderSelected, dgTotalValuesSelected, dgTotalFooterSelected};

constexpr T LayoutOptionsExt{dgAutoNumberColumn, dgAutoSelectColumn, dgAutoExpandColumn,
                             dgForceSystemTheme, dgForceSystemButton, dgForceSystemMarker};
constexpr T ScrollBarOptionsExt{dgScrollGridMode, dgScrollPageMode};

// The platform options each grid option stands for.
constexpr TGridOptions MappedPlatformOptions{
    goEditing, goAlwaysShowEditor, goColSizing, goColMoving, goVertLine, goFixedVertLine,
    goHorzLine, goFixedHorzLine, goTabs, goRowSelect, goRowSizing, goThumbTracking};

// The fixed styles drawn with a recessed frame; their borders follow the option lines.
bool FramedFixedStyle(TFixedStyle Style) {
  return Style == fsSoft || Style == fsGreat || Style == fsGray || Style == fsFine || Style == fsMild;
}

}  // namespace

// ---- Options ------------------------------------------------------------------------------------

void TKelCustomDBGrid::ApplyPlatformOptions(TKelDBGridOptions Value) {
  TGridOptions options = TCustomGrid::Options() - MappedPlatformOptions;
  // The grid draws its own fixed lines; the platform draws them only where ours cannot.
  const bool fixedLines = StylesEnabled() || GridLineWidth() > 1;
  if (EditingOffered(Value)) options += goEditing;
  if (Value.Contains(dgAlwaysShowEditor)) options += goAlwaysShowEditor;
  if (Value.Contains(dgColumnResize)) options += TGridOptions{goColSizing, goColMoving};
  if (Value.Contains(dgColLines)) {
    options += goVertLine;
    if (fixedLines) options += goFixedVertLine;
  }
  if (Value.Contains(dgRowLines)) {
    options += goHorzLine;
    if (fixedLines) options += goFixedHorzLine;
  }
  if (Value.Contains(dgTabs)) options += goTabs;
  if (Value.Contains(dgRowSelect)) options += goRowSelect;
  if (Value.Contains(dgRowResize)) options += goRowSizing;
  if (Value.Contains(dgThumbTracking)) options += goThumbTracking;
  TCustomGrid::SetOptions(options);
}

bool TKelCustomDBGrid::EditingOffered(TKelDBGridOptions Value) const {
  if (!Value.Contains(dgEditing)) return false;
  if (!Value.Contains(dgAllowInsertOff) || !FDataLink || !FDataLink->Active()) return true;
  return !DataSet()->IsEmpty();
}

void TKelCustomDBGrid::SetOptions(TKelDBGridOptions Value) {
  if (Value.Contains(dgRowSelect)) Value -= O{dgEditing, dgAlwaysShowEditor};
  if (Value == FOptions) return;
  ApplyPlatformOptions(Value);
  const TKelDBGridOptions old = FOptions;
  if (old.Contains(dgMultiSelect) && !Value.Contains(dgMultiSelect))
    ClearSelection();
  else if (!old.Contains(dgRowSelect) && Value.Contains(dgRowSelect) &&
           (FMultiSelect == msCols || FMultiSelect == msCells))
    ClearSelection();
  FOptions = Value;
  ReactToOptions(TKelDBGridOptions::FromMask(old.Mask() ^ Value.Mask()));
}

void TKelCustomDBGrid::ReactToOptions(TKelDBGridOptions Changed) {
  if (Changed.Contains(dgForceSequence)) UpdateSequence(false);
  if (!(Changed * LayoutOptions).Empty()) LayoutChanged();
  if (!(Changed * EditorOptions).Empty()) InvalidateEditor();
  if (!(Changed * StretchOptions).Empty()) StretchGrid();
  if (!(Changed * MarkerOptions).Empty()) FColumns->UpdateMarkers();
  if (!(Changed * BorderOptions).Empty()) UpdateBorderForLook();
}

void TKelCustomDBGrid::SwitchOptions(TKelDBGridOptions Value, bool On) {
  SetOptions(On ? FOptions + Value : FOptions - Value);
}

// ---- OptionsEx ----------------------------------------------------------------------------------

void TKelCustomDBGrid::SetOptionsEx(TKelDBGridOptionsEx Value) {
  if (!ComponentState().Contains(csDesigning) && Value.Contains(dgSelectedAutoHidden)) {
    X following;
    if (Value.Contains(dgTotalHeaderSelected)) following += dgTotalHeader;
    if (Value.Contains(dgTotalValuesSelected)) following += dgTotalValues;
    if (Value.Contains(dgTotalFooterSelected)) following += dgTotalFooter;
    Value = FTotals->Selected() ? Value + following : Value - following;
  }
  if (Value == FOptionsEx) return;
  // Applying an order to the data set is not built yet: refuse before anything changes.
  if (!((Value - FOptionsEx) * X{dgLoadCurrentOrder, dgAutoUpdateOrder}).Empty())
    RaiseNotAvailable("Ordering the data set (dgLoadCurrentOrder, dgAutoUpdateOrder)");
  if (!(Value * TotalRowOptions).Empty()) Value += dgBlankRow;
  if (!(Value * SelectedTotalOptions).Empty()) Value -= dgCalcSelectedRows;
  const X changed = X::FromMask(FOptionsEx.Mask() ^ Value.Mask());
  FOptionsEx = Value;
  if (!(changed * OrderOptions).Empty()) UpdateOrder(true);
  if (changed.Contains(dgAutoUpdateSequence)) UpdateSequence(true);
  if (!(changed * TotalsWhenSet * Value).Empty() || !(changed * TotalsWhenChanged).Empty())
    UpdateTotals(true);
  if (!(changed * BandOptions).Empty()) LayoutChanged();
  if (!(changed * BlankAndTotalRows).Empty()) InvalidateEditor();
}

void TKelCustomDBGrid::SwitchOptionsEx(TKelDBGridOptionsEx Value, bool On) {
  SetOptionsEx(On ? FOptionsEx + Value : FOptionsEx - Value);
}

// ---- OptionsExt ---------------------------------------------------------------------------------

void TKelCustomDBGrid::SetOptionsExt(TKelDBGridOptionsExt Value) {
  if (Value == FOptionsExt) return;
  const T changed = T::FromMask(FOptionsExt.Mask() ^ Value.Mask());
  FOptionsExt = Value;
  if (!(changed * LayoutOptionsExt).Empty()) LayoutChanged();
  if (changed.Contains(dgAutoUpdateListItems)) UpdateListItems(true);
  if (!(changed * ScrollBarOptionsExt).Empty()) UpdateScrollBar();
}

void TKelCustomDBGrid::SwitchOptionsExt(TKelDBGridOptionsExt Value, bool On) {
  SetOptionsExt(On ? FOptionsExt + Value : FOptionsExt - Value);
}

bool TKelCustomDBGrid::ForcedSequence() const {
  return FOptions.Contains(dgForceSequence) && FDataLink && FDataLink->Active();
}

// ---- Look: themes and border --------------------------------------------------------------------

bool TKelCustomDBGrid::IsGridThemed(bool Force) const {
  if (StylesEnabled()) return true;
  return ThemesEnabled() && (FFixedTheme != ftNone || Force);
}

void TKelCustomDBGrid::UpdateBorderForLook() {
  UpdateBorder(IsGridThemed(false) || FramedFixedStyle(FFixedStyle));
}

void TKelCustomDBGrid::UpdateBorder(bool Recreate) {
  bool wanted = Ctl3D();
  if (FCtl3DAuto) {
    if (IsGridThemed(false)) wanted = true;
    else if (!kel::ThemesEnabled()) wanted = FFixedStyle == fsDefault || FFixedStyle == fsSoft;
    else wanted = false;
  }
  if (Ctl3D() != wanted) {
    SetCtl3D(wanted);
    return;
  }
  if (Recreate && BorderStyle() == bsSingle && !Ctl3D() && HandleAllocated()) RecreateWnd();
}

void TKelCustomDBGrid::SetFixedStyle(TFixedStyle Value) {
  if (FFixedStyle == Value) return;
  FFixedStyle = Value;
  FScrollProp->AdjustStyle();
  UpdateBorderForLook();
  LayoutChanged();
}

void TKelCustomDBGrid::SetFixedTheme(TFixedTheme Value) {
  if (FFixedTheme == Value) return;
  FFixedTheme = Value;
  UpdateBorderForLook();
  LayoutChanged();
}

void TKelCustomDBGrid::SetCtl3DAuto(bool Value) {
  if (FCtl3DAuto == Value) return;
  FCtl3DAuto = Value;
  UpdateBorderForLook();
}

}  // namespace kel
