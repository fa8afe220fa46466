// TKelCustomDBGrid: construction in its fixed order, the factories of the owned objects,
// destruction in its fixed order, and the plain property setters of the grid's look.
//
// Construction order (after the platform grid's own constructor): look flags; image lists;
// offsets; drawing options; option sets (field initializers); scroll bars; platform options;
// columns, filter, search, counts, data link, colour, title font, bookmark list; header look and
// line counts; grid style and scroll properties; settings, gradient, totals, selection state.
#include "KelDBGrids/KelDBGrid.h"

#include "KelDBGrids/KelBookmarkList.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnList.h"
#include "KelDBGrids/KelDBGridEnumerators.h"
#include "KelDBGrids/KelDBGridFilter.h"
#include "KelDBGrids/KelDBGridGradient.h"
#include "KelDBGrids/KelDBGridSearch.h"
#include "KelDBGrids/KelDBGridSettings.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelGridStyle.h"
#include "KelDBGrids/KelScrollProp.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// An image list of square images cut from a glyph strip, olive being transparent.
std::unique_ptr<TImageList> LoadGlyphList(const char* Name) {
  std::unique_ptr<TBitmap> strip = LoadGlyphStrip(Name);
  auto list = std::make_unique<TImageList>(nullptr, strip->Height(), strip->Height());
  list->AddMasked(strip.get(), GlyphStripMaskColor);
  return list;
}

// The platform options the grid keeps whatever its own options say.
constexpr TGridOptions InitialPlatformOptions{goVertLine, goHorzLine, goRowSizing, goColSizing,
                                              goColMoving, goEditing, goTabs};

}  // namespace

TKelCustomDBGrid::TKelCustomDBGrid(TComponent* AOwner) : TCustomGrid(AOwner) { Construct(); }

TKelCustomDBGrid::TKelCustomDBGrid(TComponent* AOwner, TDeferConstruction) : TCustomGrid(AOwner) {}

void TKelCustomDBGrid::Construct() {
  SetDoubleBuffered(true);
  CreateImageLists();
  // Korean input composes its characters inside the editor, so the editor is always shown.
  if (SystemPrimaryLanguage() == LANG_KOREAN) FOptions += dgAlwaysShowEditor;
  TCustomGrid::SetScrollBars(ssHorizontal);
  TCustomGrid::SetOptions(InitialPlatformOptions);
  // The grid paints every pixel of its cells itself, backgrounds and focus frames included.
  TCustomGrid::SetDefaultDrawing(false);
  TCustomGrid::SetFixedLineColor(clBtnShadow);

  FColumns = CreateColumns();
  FFilterGrid = CreateFilter();
  FSearch = CreateSearch();
  TCustomGrid::SetRowCount(2);
  TCustomGrid::SetColCount(2);
  FDataLink = CreateDataLink();
  SetColor(clWindow);
  SetParentColor(false);
  FTitleFont = std::make_unique<TFont>();
  FTitleFont->Assign(Font());
  FTitleFont->OnChange = [this](TObject*) { TitleFontChanged(); };
  FBookmarks = std::make_unique<TKelBookmarkList>(this);

  FHeaderFont = std::make_unique<TFont>();
  FHeaderFont->Assign(Font());
  FHeaderFont->OnChange = [this](TObject*) { TitleFontChanged(); };

  FGridStyle = CreateGridStyle();
  FScrollProp = CreateScrollProp();

  FSettings = CreateSettings();
  FGradient = CreateGradient();
  FGradient->OnChange = [this](TObject*) { GradientChanged(); };
  FTotals = CreateTotals();
  FSelectedCols = std::make_unique<TKelColumnList>(this);
}

TKelCustomDBGrid::~TKelCustomDBGrid() {
  Destroying();
  FLoaderTimer.Stop();
  FUpdateTimer.Stop();
  FTotalsTimer.Stop();
  if (FSettings && FSettings->Active() && !ComponentState().Contains(csDesigning)) {
    // A failing save must not escape a destructor; the application reports it.
    try {
      FSettings->AutoSaveLayout();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  FreeOwnedObjects();
}

void TKelCustomDBGrid::FreeOwnedObjects() {
  FDataRows.reset();
  FCurrentRow.reset();
  FCurrentCol.reset();
  DetachLinkedGrids();
  FSelectedCols.reset();
  FTotals.reset();
  FSettings.reset();
  FGradient.reset();
  FScrollProp.reset();
  FGridStyle.reset();
  FSearch.reset();
  FFilterGrid.reset();
  FBookmarks.reset();
  FVisibleColumns.clear();
  FColumns.reset();
  FIndicators.reset();
  FCheckBoxes.reset();
  FExpandBoxes.reset();
  FHeaderFont.reset();
  FTitleFont.reset();
  FDataLink.reset();
}

void TKelCustomDBGrid::CreateImageLists() {
  FIndicators = LoadGlyphList("KELDBINDICATORS");
  FCheckBoxes = LoadGlyphList("KELDBCHECKBOXES");
  FExpandBoxes = LoadGlyphList("KELDBEXPANDBOXES");
  FMarkers = LoadGlyphList("KELDBMARKERS");
}

// ---- Factories ---------------------------------------------------------------------------------

std::unique_ptr<TKelDBGridColumns> TKelCustomDBGrid::CreateColumns() {
  return std::make_unique<TKelDBGridColumns>(this, TKelColumn::ClassInfo());
}
std::unique_ptr<TKelGridDataLink> TKelCustomDBGrid::CreateDataLink() {
  return std::make_unique<TKelGridDataLink>(this);
}
std::unique_ptr<TKelDBGridFilter> TKelCustomDBGrid::CreateFilter() {
  return std::make_unique<TKelDBGridFilter>(this);
}
std::unique_ptr<TKelDBGridSearch> TKelCustomDBGrid::CreateSearch() {
  return std::make_unique<TKelDBGridSearch>(this);
}
std::unique_ptr<TKelDBGridSettings> TKelCustomDBGrid::CreateSettings() {
  return std::make_unique<TKelDBGridSettings>(this);
}
std::unique_ptr<TKelDBGridTotals> TKelCustomDBGrid::CreateTotals() {
  return std::make_unique<TKelDBGridTotals>(this);
}
std::unique_ptr<TKelTotalDataLink> TKelCustomDBGrid::CreateTotalDataLink(TKelDBGridTotals* ATotals) {
  return std::make_unique<TKelTotalDataLink>(ATotals);
}
std::unique_ptr<TKelGridStyle> TKelCustomDBGrid::CreateGridStyle() {
  return std::make_unique<TKelGridStyle>(this);
}
std::unique_ptr<TKelScrollProp> TKelCustomDBGrid::CreateScrollProp() {
  return std::make_unique<TKelScrollProp>(this);
}
std::unique_ptr<TKelDBGridGradient> TKelCustomDBGrid::CreateGradient() {
  return std::make_unique<TKelDBGridGradient>(this);
}

// ---- Owned objects -----------------------------------------------------------------------------

void TKelCustomDBGrid::SetColumns(TKelDBGridColumns* Value) { FColumns->Assign(Value); }

bool TKelCustomDBGrid::StoreColumns() const { return FColumns->State() == csCustomized; }

TKelColumn* TKelCustomDBGrid::FindColumn(const String& FieldName, int StartIndex) const {
  for (int i = std::max(StartIndex, 0); i < FColumns->Count(); ++i) {
    TKelColumn* column = FColumns->Items(i);
    if (SameText(column->FieldName(), FieldName)) return column;
  }
  return nullptr;
}

void TKelCustomDBGrid::TitleFontChanged() {
  if (!FCopyingFonts && !ComponentState().Contains(csLoading)) SetParentFont(false);
  if (FOptions.Contains(dgTitles)) LayoutChanged();
}

void TKelCustomDBGrid::GradientChanged() { Invalidate(); }

TKelDBGridDataRows* TKelCustomDBGrid::DataRows() {
  if (!FDataRows) FDataRows = std::make_unique<TKelDBGridDataRows>(this);
  return FDataRows.get();
}

TKelDBGridCurrentRow* TKelCustomDBGrid::CurrentRow() {
  if (!FCurrentRow) FCurrentRow = std::make_unique<TKelDBGridCurrentRow>(this);
  return FCurrentRow.get();
}

TKelDBGridCurrentCol* TKelCustomDBGrid::CurrentCol() {
  if (!FCurrentCol) FCurrentCol = std::make_unique<TKelDBGridCurrentCol>(this);
  return FCurrentCol.get();
}

// ---- Look --------------------------------------------------------------------------------------

namespace {

// Stores Value into Field; answers whether it changed.
template <typename T>
bool Store(T& Field, T Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

void TKelCustomDBGrid::InvalidateLook() {
  if (HandleAllocated()) Invalidate();
}

void TKelCustomDBGrid::SetHeaderColor(TColor Value) { if (Store(FHeaderColor, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetFillerColor(TColor Value) { if (Store(FFillerColor, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetFillerButton(bool Value) { if (Store(FFillerButton, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetFillerIndex(int Value) { if (Store(FFillerIndex, Value)) InvalidateCorner(); }
void TKelCustomDBGrid::SetHotButtons(THotButtons Value) { if (Store(FHotButtons, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetListBorder(TListBorder Value) { Store(FListBorder, Value); }
void TKelCustomDBGrid::SetFocusRect(TFocusRect Value) { if (Store(FFocusRect, Value)) InvalidateLook(); }
// Like the totals' SelectedColor, a stripe colour switches its drawing option on, clNone off.
void TKelCustomDBGrid::SetStripeColor(TColor Value) {
  if (!Store(FStripeColor, Value)) return;
  SwitchDrawingOptions({gdoStripedRows}, Value != clNone);
  InvalidateLook();
}
void TKelCustomDBGrid::SetSelectionColor(TColor Value) { if (Store(FSelectionColor, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetSelectRowColor(TColor Value) { if (Store(FSelectRowColor, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetSelectCellColor(TColor Value) { if (Store(FSelectCellColor, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetHighlightText(TColor Value) { if (Store(FHighlightText, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetDataColLineColor(TColor Value) { if (Store(FDataColLineColor, Value)) InvalidateLook(); }
void TKelCustomDBGrid::SetDataRowLineColor(TColor Value) { if (Store(FDataRowLineColor, Value)) InvalidateLook(); }

void TKelCustomDBGrid::SetEditorColor(TColor Value) {
  if (Store(FEditorColor, Value)) InvalidateEditor();
}

// The marker look is rebuilt by the next layout.
void TKelCustomDBGrid::SetMarkerStyle(TMarkerStyle Value) {
  if (Store(FMarkerStyle, Value)) LayoutChanged();
}
void TKelCustomDBGrid::SetMarkerTransparent(TMarkerTransparent Value) {
  if (Store(FMarkerTransparent, Value)) LayoutChanged();
}

void TKelCustomDBGrid::SetDrawingOptions(TGridDrawingOptions Value) {
  if (Store(FDrawingOptions, Value)) InvalidateLook();
}
void TKelCustomDBGrid::SetHintOptions(TKelHintOptions Value) { Store(FHintOptions, Value); }
void TKelCustomDBGrid::SetResizeOptions(TKelResizeOptions Value) { Store(FResizeOptions, Value); }
void TKelCustomDBGrid::SetSystemStyleElements(TSystemStyleElements Value) {
  if (Store(FSystemStyleElements, Value)) LayoutChanged();
}

void TKelCustomDBGrid::SwitchDrawingOptions(TGridDrawingOptions Value, bool On) {
  SetDrawingOptions(On ? FDrawingOptions + Value : FDrawingOptions - Value);
}
void TKelCustomDBGrid::SwitchHintOptions(TKelHintOptions Value, bool On) {
  SetHintOptions(On ? FHintOptions + Value : FHintOptions - Value);
}
void TKelCustomDBGrid::SwitchMultiSelectOptions(TMultiSelectOptions Value, bool On) {
  SetMultiSelectOptions(On ? FMultiSelectOptions + Value : FMultiSelectOptions - Value);
}
void TKelCustomDBGrid::SwitchResizeOptions(TKelResizeOptions Value, bool On) {
  SetResizeOptions(On ? FResizeOptions + Value : FResizeOptions - Value);
}
void TKelCustomDBGrid::SwitchSystemStyleElements(TSystemStyleElements Value, bool On) {
  SetSystemStyleElements(On ? FSystemStyleElements + Value : FSystemStyleElements - Value);
}

// ---- Selection state ---------------------------------------------------------------------------

void TKelCustomDBGrid::SetMultiSelectOptions(TMultiSelectOptions Value) {
  Value -= msNone;
  if (Value == FMultiSelectOptions) return;
  ClearSelection();
  PerformDelayed();
  FMultiSelectOptions = Value;
  UpdateMultiSelect();
  UpdateSelectionOffset();
}

void TKelCustomDBGrid::UpdateSelectionOffset() {
  FSelectionOffset = FMultiSelectOptions.Contains(msFixed) ? 0 : FFixedCols;
}

void TKelCustomDBGrid::UpdateMultiSelect() {
  TMultiSelect candidate;
  if (FOptions.Contains(dgRowSelect)) candidate = msRows;
  else if (FSelectionColumn) candidate = msCols;
  else if (FSelectionBegCol < 0) candidate = msRows;
  else if (FMultiSelectOptions.Contains(msCells)) candidate = msCells;
  else if (FMultiSelectOptions.Contains(msRows)) candidate = msRows;
  else candidate = msCols;
  FMultiSelect = FMultiSelectOptions.Contains(candidate) ? candidate : msNone;
}

}  // namespace kel
