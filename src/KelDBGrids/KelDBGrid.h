// TKelCustomDBGrid, the data-aware grid, and TKelDBGrid, the same class with its properties
// published.
//
// The grid shows a window of a data set's records as rows, one per record its data link buffers,
// and the columns of its column collection. Rows, top to bottom: FTitleOffset title rows, the
// data rows (at least one), then FTotalOffset bottom rows (the blank row, then the total header,
// values, fields and footer rows). Grid column 0 is the indicator when dgIndicator is set; data
// column i is grid column i + FIndicatorOffset.
//
// The class is spread over several sources, one concern each:
//   KelDBGrid.cpp            construction, destruction, owned objects, plain properties
//   KelDBGridOptions.cpp     the option sets and their reactions, border and theme tests
//   KelDBGridLayout.cpp      the layout cycle, InternalLayout, the field map and column binding
//   KelDBGridRows.cpp        row areas, the record window (UpdateRowCount), row heights
//   KelDBGridData.cpp        data source and the reactions to data events, MoveBy, positions
//   KelDBGridScrollBars.cpp  the vertical scroll bar and window size
//   KelDBGridScrolling.cpp   scroll messages, the wheel, scrolling while the mouse drags
//   KelDBGridLinked.cpp      linked grids, Notification
//   KelDBGridKeys.cpp        the key map, Tab, deletion and insertion, characters, leaving
//   KelDBGridEditor.cpp      what the grid answers its editor, drop-down menus and lists
//   KelDBGridMouse.cpp       presses, releases, the click hooks, right-button menus
//   KelDBGridMouseTracking.cpp hit testing, held and hot buttons, cancel mode, cursors
//   KelDBGridColumnMoving.cpp sizing and moving columns, linked grids following a move
//   KelDBGridPending.cpp     operations whose full behaviour comes with later parts of the grid
//   KelDBGridPaint.cpp       DrawCell: indicator, data and blank cells, their colours, the hooks
//   KelDBGridPaintTitles.cpp titles with their levels and header bands, the filler corner
//   KelDBGridPaintTotals.cpp the total band's cells
//   KelDBGridMarkers.cpp     the marker and indicator strips in the resolved look, tiles
//   KelTotalsEngine.cpp      the totals calculation; KelTotalsBand.cpp the band's text, repaints
//   KelDBGridProperties.cpp  the published-property table of TKelDBGrid
//   KelDBGridInvariants.cpp  AssertInvariants
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "KelDBGrids/KelCellText.h"
#include "KelDBGrids/KelColumnTypes.h"
#include "KelDBGrids/KelDBGridEditorTypes.h"
#include "KelDBGrids/KelDBGridOptions.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "KelDBGrids/KelDBGridTypes.h"
#include "platform/db/DB.h"
#include "platform/grids/Grids.h"
#include "platform/ui/Ui.h"

namespace kel {

class TDataSet;
class TDataSource;
class TField;
class TImageList;
class TKelColumn;
class TKelDBGridColumns;
class TKelGridDataLink;
class TKelDBGridFilter;
class TKelDBGridSearch;
class TKelDBGridSettings;
class TKelGridStyle;
class TKelScrollProp;
class TKelDBGridGradient;
class TKelBookmarkList;
class TKelColumnList;
class TKelDBGridDataRows;
class TKelDBGridCurrentRow;
class TKelDBGridCurrentCol;
class TKelCustomDBGrid;

using TColumnScrollEvent = std::function<void(TObject* Sender, int DataCol)>;
class TKelColumnTotalValue;
using TTotalCalcQueryEvent = std::function<void(TObject* Sender, TDataSet* DataSet, bool& Accept)>;
using TTotalCalcValueEvent = std::function<void(TKelColumnTotalValue* Total, TCalcPass Pass, Variant& Value)>;
using TTotalGetTextEvent = std::function<void(TKelColumn* Column, int Index, String& Text, TTextKind TextKind)>;
using TTotalClickEvent = std::function<void(TKelColumn* Column, int Index)>;
using TKelColumnEvent = std::function<void(TKelColumn* Column)>;
using THeaderClickEvent = std::function<void(TKelColumn* Column, int Index)>;
using TColumnMovingEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex, bool& Accept)>;

// The picture chosen for a data cell: an image of a list, or a graphic; none when both are empty.
struct TCellImage {
  TImageList* Images = nullptr;
  int Index = -1;
  TGraphic* Graphic = nullptr;
  bool Empty() const { return !Graphic && (!Images || Index < 0 || Index >= Images->Count()); }
};

using TPaintColumnCellEvent =
    std::function<void(TObject* Sender, const TRect& Rect, int DataCol, TKelColumn* Column, bool Highlight,
                       TSelections Selections, TColor& Color, TFont* Font, TCellImage& Image)>;
using TDrawColumnCellEvent =
    std::function<void(TObject* Sender, const TRect& Rect, int DataCol, TKelColumn* Column, TGridDrawState State)>;
using TDrawDataCellEvent = std::function<void(TObject* Sender, const TRect& Rect, TField* Field, TGridDrawState State)>;
using TCalcImageIndexEvent = std::function<void(TObject* Sender, TKelColumn* Column, int& Index)>;

// The deferred-layout message the grid posts to its own window (WM_USER + 100).
inline constexpr Cardinal CM_DEFERLAYOUT = WM_USER + 100;

class TKelCustomDBGrid : public TCustomGrid {
  KEL_CLASS(TKelCustomDBGrid, TCustomGrid)

 public:
  explicit TKelCustomDBGrid(TComponent* AOwner);
  ~TKelCustomDBGrid() override;

  // ---- Option sets (KelDBGridOptions.cpp) -----------------------------------------------------
  TKelDBGridOptions Options() const { return FOptions; }
  // Maps to the platform's options, then reacts to each changed bit (sequence, layout, editor,
  // stretch, markers, border). dgRowSelect drops dgEditing and dgAlwaysShowEditor.
  void SetOptions(TKelDBGridOptions Value);
  TKelDBGridOptionsEx OptionsEx() const { return FOptionsEx; }
  // Total rows bring the blank row; selection total rows drop dgCalcSelectedRows.
  void SetOptionsEx(TKelDBGridOptionsEx Value);
  TKelDBGridOptionsExt OptionsExt() const { return FOptionsExt; }
  void SetOptionsExt(TKelDBGridOptionsExt Value);
  // Add (On) or remove the given members through the property's setter.
  void SwitchOptions(TKelDBGridOptions Value, bool On);
  void SwitchOptionsEx(TKelDBGridOptionsEx Value, bool On);
  void SwitchOptionsExt(TKelDBGridOptionsExt Value, bool On);
  void SwitchDrawingOptions(TGridDrawingOptions Value, bool On);
  void SwitchHintOptions(TKelHintOptions Value, bool On);
  void SwitchMultiSelectOptions(TMultiSelectOptions Value, bool On);
  void SwitchResizeOptions(TKelResizeOptions Value, bool On);
  void SwitchSystemStyleElements(TSystemStyleElements Value, bool On);

  TGridDrawingOptions DrawingOptions() const { return FDrawingOptions; }
  void SetDrawingOptions(TGridDrawingOptions Value);
  TKelHintOptions HintOptions() const { return FHintOptions; }
  void SetHintOptions(TKelHintOptions Value);
  TKelResizeOptions ResizeOptions() const { return FResizeOptions; }
  void SetResizeOptions(TKelResizeOptions Value);
  TSystemStyleElements SystemStyleElements() const { return FSystemStyleElements; }
  void SetSystemStyleElements(TSystemStyleElements Value);
  // The allowed multi-selection kinds (msNone is never stored) and the effective kind.
  TMultiSelectOptions MultiSelectOptions() const { return FMultiSelectOptions; }
  void SetMultiSelectOptions(TMultiSelectOptions Value);
  TMultiSelect MultiSelect() const { return FMultiSelect; }

  // Scroll modes (dgScrollGridMode needs the grid's own record counting).
  bool ForcedSequence() const;
  bool ScrollGridMode() const { return FOptionsExt.Contains(dgScrollGridMode) && ForcedSequence(); }
  bool ScrollPageMode() const { return FOptionsExt.Contains(dgScrollPageMode) && ScrollGridMode(); }
  bool ScrollRowsMode() const { return FOptionsExt.Contains(dgScrollRowsMode); }
  bool RowScroll() const { return FOptions.Contains(dgRowSelect) && FOptions.Contains(dgRowScroll); }

  // ---- Look -----------------------------------------------------------------------------------
  TFixedStyle FixedStyle() const { return FFixedStyle; }
  void SetFixedStyle(TFixedStyle Value);
  TFixedTheme FixedTheme() const { return FFixedTheme; }
  void SetFixedTheme(TFixedTheme Value);
  bool Ctl3DAuto() const { return FCtl3DAuto; }
  void SetCtl3DAuto(bool Value);
  // True under a custom visual style; else when themes are on and FixedTheme is not ftNone (or
  // Force is given).
  bool IsGridThemed(bool Force) const;
  // Style queries and resolutions of the automatic look settings (KelDBGridStyles.cpp).
  // A custom style is active and the grid's StyleElements hold all of Elements.
  bool IsCustomStyle(TStyleElements Elements) const;
  // No custom style, themes on, Vista or later, FixedTheme not ftNone, and SystemStyleElements
  // hold all of Elements.
  bool IsSystemStyle(TSystemStyleElements Elements) const;
  bool IsSystemTheme() const;
  bool IsThemeTransparent() const;
  bool ThemesEnabled() const;
  TFocusRect FocusRectStyle() const;
  TCheckBoxStyle CheckBoxStyle(TCheckBoxStyle Style) const;
  THotButtons HotButtonsStyle() const;
  TListBorder ListBorderStyle() const;
  // Inflates Rect on every side by the active style's cell frame.
  static void GetCellFrameRect(TRect& Rect);
  static int GetCellFrameActiveStyle();
  static int GetFixedTextActiveStyle();
  static bool GetFlatActiveStyle();
  static int GetSelectRowActiveStyle();
  // The text colour of selected fixed cells and the selected-row colour under the active style.
  static TColor GetFixedTextSelected();
  static TColor GetSelectRowSelected();
  // The style adjustment tables, shared by every grid; a name not listed reads 0 (false).
  static int GetCellFrameStyle(const String& Name);
  static void SetCellFrameStyle(const String& Name, int Value);
  static int GetFixedTextStyle(const String& Name);
  static void SetFixedTextStyle(const String& Name, int Value);
  static bool GetFlatStyle(const String& Name);
  static void SetFlatStyle(const String& Name, bool Value);
  static int GetSelectRowStyle(const String& Name);
  static void SetSelectRowStyle(const String& Name, int Value);
  // Fixes Ctl3D for the look; recreates the window when asked and the border needs it.
  void UpdateBorder(bool Recreate);
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value);
  TColor FillerColor() const { return FFillerColor; }
  void SetFillerColor(TColor Value);
  bool FillerButton() const { return FFillerButton; }
  void SetFillerButton(bool Value);
  int FillerIndex() const { return FFillerIndex; }
  void SetFillerIndex(int Value);
  THotButtons HotButtons() const { return FHotButtons; }
  void SetHotButtons(THotButtons Value);
  TColor EditorColor() const { return FEditorColor; }
  void SetEditorColor(TColor Value);
  TListBorder ListBorder() const { return FListBorder; }
  void SetListBorder(TListBorder Value);
  TFocusRect FocusRect() const { return FFocusRect; }
  void SetFocusRect(TFocusRect Value);
  TColor StripeColor() const { return FStripeColor; }
  void SetStripeColor(TColor Value);
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value);
  TColor SelectRowColor() const { return FSelectRowColor; }
  void SetSelectRowColor(TColor Value);
  TColor SelectCellColor() const { return FSelectCellColor; }
  void SetSelectCellColor(TColor Value);
  TColor HighlightText() const { return FHighlightText; }
  void SetHighlightText(TColor Value);
  TColor DataColLineColor() const { return FDataColLineColor; }
  void SetDataColLineColor(TColor Value);
  TColor DataRowLineColor() const { return FDataRowLineColor; }
  void SetDataRowLineColor(TColor Value);
  TMarkerStyle MarkerStyle() const { return FMarkerStyle; }
  void SetMarkerStyle(TMarkerStyle Value);
  TMarkerTransparent MarkerTransparent() const { return FMarkerTransparent; }
  void SetMarkerTransparent(TMarkerTransparent Value);
  // When false, data cells are left to OnDrawDataCell and OnDrawColumnCell.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
  // The default painting of one data cell (for OnDrawColumnCell): text, image, check or expand
  // box, after PaintColumnCell, in the canvas's current brush and font.
  void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TKelColumn* Column, TGridDrawState State);
  // The field's display text in Rect, aligned by the field (for OnDrawDataCell).
  void DefaultDrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State);
  bool ParentCustomHint() const { return FParentCustomHint; }
  void SetParentCustomHint(bool Value) { FParentCustomHint = Value; }
  int LoadedStyleIndex() const { return FLoadedStyleIndex; }
  TImageList* Indicators() const { return FIndicators.get(); }
  TImageList* CheckBoxes() const { return FCheckBoxes.get(); }
  TImageList* ExpandBoxes() const { return FExpandBoxes.get(); }
  // Image lists the application supplies (not owned; cleared when freed): the indicator glyphs,
  // the title images and the order markers. Without them the built-in strips serve.
  TImageList* IndicatorImages() const { return FIndicatorImages; }
  void SetIndicatorImages(TImageList* Value);
  TImageList* TitleImages() const { return FTitleImages; }
  void SetTitleImages(TImageList* Value);
  TImageList* TitleMarkers() const { return FTitleMarkers; }
  void SetTitleMarkers(TImageList* Value);
  // IndicatorImages, else the built-in indicator strip in the resolved marker look.
  TImageList* GetIndicators() const { return FIndicatorImages ? FIndicatorImages : FIndicators.get(); }
  // TitleMarkers, else the built-in marker strip in the resolved marker look.
  TImageList* GetMarkers() const { return FTitleMarkers ? FTitleMarkers : FMarkers.get(); }
  // The marker look the built-in strips were last recoloured for.
  TMarkerStyle ResolvedMarkerStyle() const { return FBuiltMarkerStyle; }
  bool ResolvedMarkerTransparent() const { return FBuiltMarkerTransparent; }

  // ---- Colours of the painted cells (KelDBGridPaint.cpp) -------------------------------------
  // Color for clDefault Default; any other colour but clNone itself; clNone gives Alternative
  // unless that is clDefault, then Default.
  static TColor GetTrueColor(TColor Color, TColor Default, TColor Alternative);
  static TColor DefaultSelectCellColor();
  static TColor DefaultSelectionColor();
  static TColor DefaultSelectRowColor();
  static TColor DefaultStripeColor();
  static TColor DefaultHighlightText();
  static TColor DefaultEditorColor();
  // Silver, or grey on a silver grid; under a custom style a shade of its window colour.
  TColor DefaultDataLineColor() const;
  // Data row Row of the screen (from 0 below the titles) gets the stripe colour.
  bool IsStripeRow(int DataRow) const;

  // ---- Owned property objects -----------------------------------------------------------------
  TKelDBGridColumns* Columns() const { return FColumns.get(); }
  // Copies Value's columns into the grid's own collection.
  void SetColumns(TKelDBGridColumns* Value);
  // Columns are streamed only when customized.
  bool StoreColumns() const;
  // The first column at or after StartIndex whose FieldName matches (letter case ignored).
  TKelColumn* FindColumn(const String& FieldName, int StartIndex = 0) const;
  TKelDBGridFilter* FilterGrid() const { return FFilterGrid.get(); }
  TKelDBGridSearch* Search() const { return FSearch.get(); }
  TKelDBGridSettings* Settings() const { return FSettings.get(); }
  TKelDBGridTotals* Totals() const { return FTotals.get(); }
  TKelGridStyle* GridStyle() const { return FGridStyle.get(); }
  TKelScrollProp* ScrollProp() const { return FScrollProp.get(); }
  TKelDBGridGradient* Gradient() const { return FGradient.get(); }
  TKelBookmarkList* SelectedRows() const { return FBookmarks.get(); }
  TKelColumnList* SelectedCols() const { return FSelectedCols.get(); }
  TFont* TitleFont() const { return FTitleFont.get(); }
  void SetTitleFont(TFont* Value) { FTitleFont->Assign(Value); }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  // The columns whose Showing is true, in column order (rebuilt by every layout).
  const std::vector<TKelColumn*>& VisibleColumns() const { return FVisibleColumns; }

  // ---- Data (KelDBGridData.cpp) ---------------------------------------------------------------
  TKelGridDataLink* DataLink() const { return FDataLink.get(); }
  TDataSource* DataSource() const;
  // Refuses the totals' own source (SCircularDataLink; ignored while loading) and a
  // unidirectional data set (SDataSetUnidirectional); the previous source stays on refusal.
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const;
  // Mapped fields of the data link; null for an unmapped or out-of-range index.
  TField* Fields(int Index) const;
  int FieldCount() const;
  bool ValidFieldIndex(int Index) const;
  // The field of data column Index; null when negative, out of range or the link inactive.
  TField* GetColField(int Index) const;
  // Data column of the current grid column; setting it moves the current column.
  int SelectedIndex() const { return RawToDataColumn(Col()); }
  void SetSelectedIndex(int Value);
  TKelColumn* SelectedColumn() const;
  TField* SelectedField() const;
  void SetSelectedField(TField* Value);
  // Under ForcedSequence the grid's own counters, else the data set's RecordCount and RecNo.
  int RecCount() const;
  int RecNumber() const;
  // Store n under ForcedSequence only; answer whether they did.
  bool SetupRecCount(int n);
  bool SetupRecNumber(int n);
  // Moves the current record by Distance and answers the distance moved (see MoveBy's rules for
  // the scroll-grid mode). With Check the move posts pending edits and keeps position tracking.
  int MoveBy(int Distance, bool Check = true);

  // Enumerable views of the data (created on first use, owned by the grid).
  TKelDBGridDataRows* DataRows();
  TKelDBGridCurrentRow* CurrentRow();
  TKelDBGridCurrentCol* CurrentCol();

  // ---- Position keeping (KelDBGridData.cpp) ---------------------------------------------------
  void DisablePosition();
  void EnablePosition(bool TakeCurrent);
  bool PositionDisabled() const { return FPositionDisabled > 0; }
  void GotoPosition(int ARow, const TBookmark& Bookmark);
  int Position() const;
  void SetPosition(int Value);

  // ---- Update and layout brackets (KelDBGridLayout.cpp) --------------------------------------
  void BeginUpdate();
  void EndUpdate();
  int UpdateLock() const { return FUpdateLock; }
  bool UpdateInProgress() const { return FInUpdateListItems || FInUpdateSequence || FInUpdateTotals; }
  void BeginLayout();
  // Runs InternalLayout when the outermost bracket closes (also when it fails).
  void EndLayout();
  void CancelLayout();
  // Lays out once the message queue reaches the posted deferred-layout message.
  void DeferLayout();
  bool AcquireLayoutLock();
  virtual void LayoutChanged();
  int LayoutLock() const { return FLayoutLock; }
  int ChangeLock() const { return FChangeLock; }
  int InvalidateLock() const { return FInvalidateLock; }

  // ---- Rows and columns (KelDBGridRows.cpp) ---------------------------------------------------
  int DataToRawColumn(int DataCol) const { return DataCol + FIndicatorOffset; }
  int RawToDataColumn(int RawCol) const { return RawCol - FIndicatorOffset; }
  int IndicatorOffset() const { return FIndicatorOffset; }
  int TitleOffset() const { return FTitleOffset; }
  int TotalOffset() const { return FTotalOffset; }
  int TitleRowCount() const { return FTitleOffset; }
  int TotalRowCount() const;
  int TotalHeaderRowCount() const { return FTotalHeader; }
  int TotalValuesRowCount() const { return FTotalValues; }
  int TotalFieldsRowCount() const;
  int TotalFooterRowCount() const { return FTotalFooter; }
  // The platform's visible rows minus the bottom rows, at least 1.
  int VisibleRowCount() const;
  // Frozen data columns (the platform's fixed columns are the indicator plus these).
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int IndicatorWidth() const { return FIndicatorWidth; }
  void SetIndicatorWidth(int Value);
  void SetLeftCol(int Value);
  // The data column shown first after the frozen ones; setting it scrolls there.
  int DataLeftCol() const { return RawToDataColumn(LeftCol()); }
  void SetDataLeftCol(int Value);
  // The platform's setter; a width that changes makes Index the last resized column.
  void SetColWidths(int Index, int Value);
  // Width of the indicator (with dgIndicator) and of the first Count showing columns, lines
  // included; of all showing columns; of the frozen ones.
  int GetColsWidth(int Count) const;
  int GetColumnsWidth() const;
  int GetFixedColsWidth() const;
  // Sizes the link's window to the rows that fit and the grid's rows to the records it holds.
  void UpdateRowCount();

  // Text lines per data row, title level and header band (row heights follow).
  int LinesCount() const { return FLinesCount; }
  void SetLinesCount(int Value);
  int LinesCountMin() const { return FLinesCountMin; }
  void SetLinesCountMin(int Value);
  int LinesCountMax() const { return FLinesCountMax; }
  void SetLinesCountMax(int Value);
  int TitleLinesCount() const { return FTitleLinesCount; }
  void SetTitleLinesCount(int Value);
  int HeaderLinesCount() const { return FHeaderLinesCount; }
  void SetHeaderLinesCount(int Value);
  int DefaultWidthMin() const { return FDefaultWidthMin; }
  void SetDefaultWidthMin(int Value);
  int DefaultWidthMax() const { return FDefaultWidthMax; }
  void SetDefaultWidthMax(int Value);
  int StretchWidthMin() const { return FStretchWidthMin; }
  void SetStretchWidthMin(int Value);
  int StretchWidthMax() const { return FStretchWidthMax; }
  void SetStretchWidthMax(int Value);
  // Rows one wheel notch moves: 0 the system's lines, -1 a page (any negative value), n >= 1 n.
  int WheelScrollRows() const { return FWheelScrollRows; }
  void SetWheelScrollRows(int Value);

  // Heights of the row areas, in pixels.
  int GetRowLineWidth() const;
  int GetColLineWidth() const;
  int GetRowHeight() const { return DefaultRowHeight() + GetRowLineWidth(); }
  int GetTitleHeight() const;
  int GetTotalHeight() const;
  int GetDataRowsHeight() const;
  int GetDataHeight() const;
  int GetBlankHeight() const;
  bool GetAlignTotalsToBorder() const;
  // The room the vertical (horizontal) bar takes while it is asked for and has a range; else 0.
  int GetScrollBarWidth() const;
  int GetScrollBarHeight() const;
  int LineHeight() const { return FLineHeight; }
  int HeaderRowHeight() const { return FHeaderRowHeight; }
  int TotalRowHeight() const { return FTotalRowHeight; }

  // ---- Column widths, stretching, scaling (KelColumnWidth.cpp) --------------------------------
  // While StretchMode is on and the data link active, the showing columns share the client
  // width in proportion to their base widths, within their bounds.
  bool StretchMode() const { return FStretchMode; }
  void SetStretchMode(bool Value);
  bool StretchActive() const { return FStretchActive; }
  void StretchGrid();
  // The last stretched column's line may lie under the border.
  bool GetAlignStretchToBorder() const;
  // Scales the line and indicator widths, the columns' bounds, widths and assigned fonts by
  // M/D; with ScaleFonts the grid's own fonts too.
  void ScaleColumnsBy(int M, int D, bool ScaleFonts);
  // Grid column whose width changed last; -1 = none.
  int LastResizedCol() const { return FLastResizedCol; }
  // A layout change that came from the data set is being handled.
  bool LayoutFromDataSet() const { return FLayoutFromDataSet; }

  // ---- Settings the columns follow (KelColumn.cpp), the order string (KelColumnsStreaming.cpp)
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value);
  const TImeName& ImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value);
  const String& OrderFields() const { return FOrderFields; }
  void SetOrderFields(const String& Value);

  // ---- Scroll bars (KelDBGridScrollBars.cpp) --------------------------------------------------
  // The grid's own ScrollBars; the platform gets the horizontal bar only.
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  virtual void UpdateScrollBar();
  void UpdateHorzFlatSB();
  void UpdateFlatSBMode();
  bool FlatSBMode() const { return FFlatSBMode; }

  // ---- Scrolling (KelDBGridScrolling.cpp) -----------------------------------------------------
  // Rows one wheel notch moves: 1 with Ctrl, a page with Shift or in page mode, else
  // WheelScrollRows (-1: the link's buffer count, 0: the system's wheel lines).
  int MouseWheelScrollRows(TShiftState Shift) const;
  // Moves the current record by Distance rows (record by record while a mouse drag selects).
  void ScrollToRowBy(int Distance);
  // Moves the current record (column) to the row (column) under a client point.
  void ScrollToRowAt(int X, int Y);
  void ScrollToColAt(int X, int Y);
  // Both; with OnlyMoved, only along the axes the point moved on since the last call.
  void ScrollToCellAt(int X, int Y, bool OnlyMoved);
  // A mouse drag that scrolls when it leaves the data area starts (captures the mouse) and ends.
  void StartScrollTracking();
  void StopScrollTracking();
  bool ScrollTracking() const { return FScrollTracking; }
  // Scrolls towards the mouse when it is outside the data area and arms the scroll timer, whose
  // interval shrinks with the distance (200 ms less 15 ms per pixel, at least 5 ms); stops the
  // timer when the mouse is inside.
  void StartScrollTimer(TObject* Sender);
  void StopScrollTimer();
  // The scroll timer; null or disabled while none runs.
  TTimer* ScrollTimer() const { return FScrollTimer.get(); }
  // Under ForcedSequence a link move to record Value, else the data set's RecNo.
  void SetRecNumber(int Value);

  // ---- Linked grids (KelDBGridLinked.cpp) -----------------------------------------------------
  TKelCustomDBGrid* MasterGrid() const { return FMasterGrid; }
  // Raises SCircularDataLink (not while loading) when Value follows this grid.
  void SetMasterGrid(TKelCustomDBGrid* Value);
  TKelCustomDBGrid* ManageGrid() const { return FManageGrid; }
  void Synchronize();

  // ---- Selection (state for the selection operations) -----------------------------------------
  void ClearSelection();
  int SelectionOffset() const { return FSelectionOffset; }
  int SelectionBegCol() const { return FSelectionBegCol; }
  int SelectionEndCol() const { return FSelectionEndCol; }
  int SelectionMin() const { return FSelectionMin; }
  int SelectionMax() const { return FSelectionMax; }
  void UpdateSelectionOffset();
  void UpdateMultiSelect();

  // ---- Editor and focus -----------------------------------------------------------------------
  // The platform's editor operations, open to the grid's property objects and links.
  using TCustomGrid::HideEditor;
  using TCustomGrid::InvalidateEditor;
  using TCustomGrid::ShowEditor;
  // Shows the editor when dgAlwaysShowEditor.
  void AlwaysShowEditor();
  // Focuses the grid unless focusing is not wanted; answers whether the grid (or its editor)
  // has the focus, or true when focusing was not wanted or impossible.
  bool AcquireFocus();
  bool AcquireFocusWanted() const { return FAcquireFocus; }
  void SetAcquireFocusWanted(bool Value) { FAcquireFocus = Value; }
  // Makes RawCol current, skipping hidden columns in Direction (-1, 0, +1).
  void MoveCol(int RawCol, int Direction);
  const String& EditTextCache() const { return FEditText; }

  // ---- Keys (KelDBGridKeys.cpp) ---------------------------------------------------------------
  // The grid's key map over the data (rows are records); keys that would act on a multi-row
  // selection or the search raise EInvalidGridOperation before changing anything.
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Enter and Space toggle a check box; Enter posts the editor's text.
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  // Characters open the editor only where the column can show one.
  void WMChar(TWMChar& Message) override;
  // Leaving the grid drops an untouched inserted record (dgCancelOnExit) or posts the editor.
  void CMExit(TMessage& Message) override;
  // Shift state of the last key or mouse event.
  TShiftState LastShiftState() const { return FLastShiftState; }

  // ---- Mouse (KelDBGridMouse.cpp; hit testing and tracking KelDBGridMouseTracking.cpp; sizing
  // and moving columns KelDBGridColumnMoving.cpp) -----------------------------------------------
  // The cell under a client point; on a title row over a data column the column is the first
  // grid column of the title shown at that level, so a press on a group's title names the group.
  TGridCoord MouseCoord(int X, int Y) const;
  // The column whose title grid column RawCol shows on title row ARow: its ancestor at that
  // level, or the column itself on the levels below its own; null outside the data columns.
  TKelColumn* ColumnAtDepth(int RawCol, int ARow) const;
  // The header band of Column's title under Y; -1 without a column or dgTitleHeaders, or when
  // Y is outside the bands.
  int HeaderRow(int Y, TKelColumn* Column) const;
  // The point is on the expand (drop-down, filter) box at the end of a title; Column becomes the
  // column whose title is under the point.
  bool PtInExpandButton(int X, int Y, TKelColumn*& Column) const;
  // X measured from the right edge under right-to-left alignment.
  int RTLPosX(int X) const;
  // The sizing state a press at the point would start (gsColSizing with SizingColumn set).
  TGridState CheckSizingState(int X, int Y);
  // The column whose right border is under the mouse while sizing is offered; null otherwise.
  TKelColumn* SizingColumn() const { return FSizingCol; }
  // Dragging data rows starts a drag operation; drag and drop is not built yet, so turning it
  // on refuses.
  bool DragRows() const { return FDragRows; }
  void SetDragRows(bool Value);
  // Menus of the corner title cell and of the indicator column (not owned; cleared when freed).
  TPopupMenu* FillerPopupMenu() const { return FFillerPopupMenu; }
  void SetFillerPopupMenu(TPopupMenu* Value);
  TPopupMenu* IndicatorPopupMenu() const { return FIndicatorPopupMenu; }
  void SetIndicatorPopupMenu(TPopupMenu* Value);
  // The title button held down (grid column; -1 none) and whether it looks pressed now.
  int TrackedTitle() const { return FTracking ? FTracked : -1; }
  bool TitlePressed() const { return FTracking && FPressed; }
  // The data cell whose button (check box, expand box) is held down; {-1, -1} none.
  TGridCoord TrackedCell() const { return FCellTracking ? FTrackCell : TGridCoord{-1, -1}; }
  // The hot title (as MouseCoord names it) and the hot data cell; {-1, -1} none.
  TGridCoord HotButton() const { return FHotButton; }
  TGridCoord HotCell() const { return FHotCell; }

  // A data cell was clicked (not one whose check or expand box the click toggled).
  TKelColumnEvent OnCellClick;
  // A data cell was double-clicked; unassigned, the grid's OnDblClick fires.
  TKelColumnEvent OnCellDblClick;
  // A title button was pressed and released on the same title.
  TKelColumnEvent OnTitleClick;
  // A title's expand box was clicked and the column's expand style left it to the application.
  TKelColumnEvent OnExpandClick;
  // A record's expand box opened or closed.
  TKelColumnEvent OnCellExpand;
  // A title's expand box opened or closed its group.
  TKelColumnEvent OnColExpand;
  // Band Index of a title's header was clicked.
  THeaderClickEvent OnHeaderClick;
  // A data or total row's indicator cell was clicked.
  TNotifyEvent OnIndicatorClick;
  // The corner title cell was clicked.
  TNotifyEvent OnFillerClick;
  // The mouse moves column FromIndex to ToIndex (collection indexes); clearing Accept refuses.
  TColumnMovingEvent OnColumnMoving;
  // Column FromIndex now stands at ToIndex.
  TMovedEvent OnColumnMoved;

 protected:
  // The grid's click hooks (see OnCellClick and the other events).
  virtual void CellClick(TKelColumn* Column);
  virtual void CellDblClick(TKelColumn* Column);
  virtual void CellExpand(TKelColumn* Column);
  virtual void ColExpand(TKelColumn* Column);
  virtual void TitleClick(TKelColumn* Column);
  virtual void HeaderClick(TKelColumn* Column, int Index);
  virtual void TotalClick(TKelColumn* Column, int Index);
  virtual void IndicatorClick();
  virtual void FillerClick();
  virtual void ExpandClick(TKelColumn* Column);
  // Asks OnColumnMoving whether data column FromIndex may move to ToIndex.
  virtual bool ColumnMoving(int FromIndex, int ToIndex);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                       TGridDrawInfo& FixedInfo) override;
  bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) override;
  bool CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) override;
  bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  // Widths the user dragged are written back to the columns.
  void ColWidthsChanged() override;
  void WMSetCursor(TWMSetCursor& Message) override;
  void WMCancelMode(TWMCancelMode& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMDesignHitTest(TWMMouse& Message) override;
  // The right button's release pops up the menu of the cell under the mouse.
  void DefaultHandler(TMessage& Message) override;

 public:
  // ---- Editor answers and drop-downs (KelDBGridEditor.cpp) ------------------------------------
  bool CanEditShow() override;
  bool CanEditAcceptKey(Char Key) override;
  // Puts the link into edit state for the selected column (a memo with EditMemo edits as text).
  bool CanEditModify() override;
  int GetEditLimit() override;
  String GetEditMask(int ACol, int ARow) override;
  // For Column, the selected one when null.
  virtual TEditorStyle GetEditorStyle(TKelColumn* Column = nullptr);
  virtual TEditorListKind GetEditorListClass(TKelColumn* Column = nullptr);
  virtual void EditButtonClick();
  // Shows the filter list from a column's title; answers whether a list was shown.
  virtual bool DropDownList(TKelColumn* Column, bool FromTitle);
  // Pops Menu up (null: the title's or the column's drop-down menu) below the cell; answers
  // whether a menu was shown.
  virtual bool DropDownMenu(TKelColumn* Column, bool FromTitle, TPopupMenu* Menu = nullptr);
  // Screen point a drop-down of Column's cell (or title) opens at.
  TPoint DropDownPoint(TKelColumn* Column, bool FromTitle) const;
  virtual void ListDropDown(TObject* List);
  virtual void ListCloseUp(TObject* List, Variant& Value, bool& Accept);
  // Opens the nested data set of Column's field in a grid of its own.
  virtual void ShowPopupEditor(TKelColumn* Column, int X = INT32_MIN, int Y = INT32_MIN);
  // An editor may drop its list down by itself on the current cell once.
  bool AllowAutoDropDown();
  // -2 mouse down, -1 reset, -3 after a click (remembers the clicked cell when it was -2).
  void AutoDropDownState(int Value);
  TNotifyEvent OnEditButtonClick;
  std::function<void(TKelColumn* Column, TObject* List)> OnListDropDown;
  std::function<void(TKelColumn* Column, TObject* List, Variant& Value, bool& Accept)> OnListCloseUp;

 private:
  friend class TKelDBGridKeys;
  TShiftState FLastShiftState;  // of the last key or mouse event

  // Mouse steps (KelDBGridMouse.cpp, KelDBGridMouseTracking.cpp, KelDBGridColumnMoving.cpp).
  bool PressOnTitleButton(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell);
  bool PressOnTitle(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell);
  void PressOnData(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell);
  void PlatformMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void ReleaseOnTitle(TShiftState Shift, int X, int Y, TGridCoord Cell, bool TrackedButton, bool TrackedExpand);
  void ReleaseOnCell(TGridCoord Cell, bool TrackedButton, bool TrackedCell);
  void ToggleMarkerByClick(TKelColumn* Column, TShiftState Shift);
  TPopupMenu* MenuAt(int X, int Y) const;
  bool IsDataRow(int ARow) const { return ARow >= FTitleOffset && ARow < RowCount() - FTotalOffset; }
  bool IsTotalRow(int ARow) const { return FTotalOffset > 1 && ARow > RowCount() - FTotalOffset; }
  void TrackButton(int X, int Y);
  void TrackCell(int X, int Y);
  void StopTracking();
  void StopCellTracking();
  void UpdateHotButtons(int X, int Y);
  void UpdateHotCells(int X, int Y);
  void SetHotButton(TGridCoord Value);
  void SetHotCell(TGridCoord Value);
  // Repaints the whole title of Column (every cell it spans); a null column the corner.
  void InvalidateTitle(TKelColumn* Column);
  // The title under a title cell: its column, its level and the data columns and last title row
  // it spans.
  struct TTitleSpan {
    TKelColumn* Column = nullptr;
    int Depth = 0;
    int FirstCol = 0;
    int LastCol = 0;
    int LastRow = 0;
  };
  TTitleSpan TitleSpanAt(int DataCol, int ARow) const;
  // The whole title's rectangle, from the rectangle of its cell (DataCol, ARow).
  TRect TitleSpanRect(const TTitleSpan& Span, int DataCol, int ARow, const TRect& Cell) const;
  // The look the title button of Span (null column: the corner) has now.
  TGridDrawState TitleButtonState(TKelColumn* Column) const;
  // The column a grid column shows; null outside the data columns.
  TKelColumn* ShownColumn(int RawCol) const;
  // Moves data column FromIndex to ToIndex in this grid and in the linked grids after it.
  void MoveLinkedColumn(int FromIndex, int ToIndex);
  // A column leaves the collection: the mouse state lets go of it.
  void ForgetColumn(const TCollectionItem* Item);

  bool FTracking = false;        // a title button (or the corner's) is held down
  int FTracked = -1;             // its grid column (MouseCoord's)
  TKelColumn* FTrackCol = nullptr;  // its column; null for the corner
  bool FPressed = false;         // it looks pressed (the mouse is over it)
  TPoint FPressXY;               // where it was pressed
  bool FExpandButton = false;    // the held (or hot) title button is the title's expand box
  bool FCellTracking = false;    // a data cell's button is held down
  TGridCoord FTrackCell{-1, -1};  // the data cell pressed last
  bool FCellPressed = false;     // the held cell button looks pressed
  bool FSelectedCell = false;    // the press was on the cell that was already current
  TGridCoord FHotButton{-1, -1};  // hot title (MouseCoord's cell)
  TGridCoord FHotCell{-1, -1};    // hot data cell
  TKelColumn* FSizingCol = nullptr;  // column whose right border sizing would move
  TKelColumn* FDragCol = nullptr;    // column (or group) being moved
  TKelColumn* FMovedCol = nullptr;   // the column the finished move is about
  bool FMovingColumn = false;        // ColumnMoved is moving columns itself
  bool FDragRows = false;
  TPopupMenu* FFillerPopupMenu = nullptr;     // not owned; cleared by Notification
  TPopupMenu* FIndicatorPopupMenu = nullptr;  // not owned; cleared by Notification
  int FLastCol = -1;            // cell of the last automatic drop-down; -1 none, -2 blocked
  int FLastRow = -1;            // while the mouse is down

 public:

  // ---- Totals, sequence, lists, filter, order (KelDBGridPending.cpp) --------------------------
  void UpdateTotals(bool Auto);
  void UpdateFilter();
  void UpdateOrder(bool Apply);
  virtual void TotalsChanged(TTotalResult TotalResult, TField* Field);
  // ---- Totals (KelTotalsEngine.cpp, KelTotalsBand.cpp) ----
  // The text of band row Index of Column's totals, for painting, hints and copying.
  virtual String GetTotalText(TKelColumn* Column, int Index, TTextKind TextKind);
  // Text unless OnTotalGetText changes it.
  virtual String TotalGetText(TKelColumn* Column, int Index, const String& Text, TTextKind TextKind);
  // Whether the current record feeds the totals (OnTotalCalcQuery).
  virtual bool TotalCalcQuery(TDataSet* DataSet);
  // Lets OnTotalCalcValue see and change Value in each pass of a calculated total.
  virtual void TotalCalcValue(TKelColumnTotalValue* Total, TCalcPass Pass, Variant& Value);
  // Repaints the bottom rows.
  void InvalidateTotals();
  // Repaints the data rows.
  void InvalidateData();
  void InvalidateTitles();
  // Repaints the corner title cell above the indicator.
  void InvalidateCorner();

  // ---- Cell text (KelDBGridCellText.cpp) ------------------------------------------------------
  // The text bridge every data cell text passes through: one value to text and back, then a
  // whole cell (several values split at the column's delimiter) to text and back.
  virtual String ColGetItem(TKelColumn* Column, const String& Item, TTextKind TextKind);
  virtual String ColSetItem(TKelColumn* Column, const String& Text);
  virtual String ColGetText(TKelColumn* Column, const String& Text, TTextKind TextKind);
  virtual String ColSetText(TKelColumn* Column, const String& Text);
  // Number of the record being evaluated (the current one, or the row a TKelDataRowScope
  // evaluates) for auto numbers: RecNumber under a forced sequence (-1 for a row being
  // inserted), else the data set's RecNo; -1 without data.
  int GetRecNumber() const;
  // The editor's text hooks: the edit text of the column at screen column ACol, kept as the
  // pending edit text; SetEditText only keeps the text (UpdateData writes it to the field).
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  // Column's field may be changed from the grid: puts the data link into edit state, marks it
  // modified and answers whether it is editing.
  virtual bool CanColumnModify(TKelColumn* Column);
  // A column's field was changed through its text: fires OnColTextChanged.
  virtual void ColTextChanged(TKelColumn* Column);

  // ---- Sequence and list items (KelDBGridSequence.cpp, KelDBGridListItems.cpp) ---------------
  // Counts the records of a forced sequence again (Auto: only with dgAutoUpdateSequence), after
  // DelayInterval with dgDelayUpdateSequence.
  void UpdateSequence(bool Auto);
  void DelayUpdateSequence(TObject* Sender);
  // Reloads the pick lists of the poAutoLoadList columns (Auto: only with
  // dgAutoUpdateListItems), after DelayInterval with dgDelayUpdateListItems.
  void UpdateListItems(bool Auto);
  void DelayUpdateListItems(TObject* Sender);
  // Whether any column has poAutoLoadList and a field whose values can make a list; each such
  // column is added to List when one is given.
  bool AutoLoadListPresent(std::vector<TKelColumn*>* List) const;

  // ---- Events ---------------------------------------------------------------------------------
  TColGetTextEvent OnColGetText;
  TColSetTextEvent OnColSetText;
  TColTextChangedEvent OnColTextChanged;
  TNotifyEvent OnColEnter;
  TNotifyEvent OnColExit;
  TNotifyEvent OnTotalsUpdated;
  TTotalCalcQueryEvent OnTotalCalcQuery;
  TTotalCalcValueEvent OnTotalCalcValue;
  TTotalGetTextEvent OnTotalGetText;
  TTotalClickEvent OnTotalClick;
  TNotifyEvent OnSequenceUpdated;
  TNotifyEvent OnListItemsUpdated;
  TColumnScrollEvent OnColumnScroll;
  TNotifyEvent OnRowResize;
  TPaintColumnCellEvent OnPaintColumnCell;
  TDrawColumnCellEvent OnDrawColumnCell;
  TDrawDataCellEvent OnDrawDataCell;
  TCalcImageIndexEvent OnCalcImageIndex;

  // ---- For tests and diagnostics --------------------------------------------------------------
  // Layouts run since creation (InternalLayout passes that did their work).
  int LayoutCount() const { return FLayoutCount; }
  // Checks the consistency of rows, columns, the field map and the lock counters; raises
  // EInvalidGridOperation naming the first broken rule.
  void AssertInvariants() const;

 protected:
  // A descendant whose factories must take effect constructs the base with this tag and calls
  // Construct() at the end of its own constructor (C++ runs the base class's virtuals while the
  // base is being built).
  struct TDeferConstruction {};
  TKelCustomDBGrid(TComponent* AOwner, TDeferConstruction);
  void Construct();

  // ---- Factories ------------------------------------------------------------------------------
  virtual std::unique_ptr<TKelDBGridColumns> CreateColumns();
  virtual std::unique_ptr<TKelGridDataLink> CreateDataLink();
  virtual std::unique_ptr<TKelDBGridFilter> CreateFilter();
  virtual std::unique_ptr<TKelDBGridSearch> CreateSearch();
  virtual std::unique_ptr<TKelDBGridSettings> CreateSettings();
  virtual std::unique_ptr<TKelDBGridTotals> CreateTotals();
  virtual std::unique_ptr<TKelGridStyle> CreateGridStyle();
  virtual std::unique_ptr<TKelScrollProp> CreateScrollProp();
  virtual std::unique_ptr<TKelDBGridGradient> CreateGradient();
  // Called by the totals object while it is built.
  virtual std::unique_ptr<TKelTotalDataLink> CreateTotalDataLink(TKelDBGridTotals* ATotals);

  // ---- The grid's own virtual operations, in slot order ---------------------------------------
  virtual void DefineFieldMap();
  virtual bool DoCalcValues(TCalcPass Pass, bool SelectedOnly);
  virtual void InvalidateBorder();
  virtual void LinkActive(bool Value);
  virtual void ListItemsUpdated();
  virtual void LoadListItems();
  virtual bool NeedsNotification(TComponent* AComponent);
  virtual void Scroll(int Distance);
  virtual void SequenceUpdated();
  virtual void SetColumnAttributes();
  virtual void TotalsUpdated();
  virtual void UpdateCalcValues(bool SelectedOnly);
  virtual bool UpdateSequenceValues();
  virtual void ChangeDataSetFilter(bool AFiltered, const String& AFilter,
                                   const TFilterRecordEvent& Handler, const String& KeyFields);
  virtual bool ChangeDataSetOrder(const String& AOrderFields);
  virtual void PerformDelayed();
  virtual void UpdateSearchPanel();

  // ---- Painting hooks (KelDBGridPaint.cpp) ----------------------------------------------------
  // Fires OnPaintColumnCell, which may change the brush colour, the font and the image.
  virtual void PaintColumnCell(const TRect& Rect, int DataCol, TKelColumn* Column, bool Highlight,
                               TSelections Selections, TColor& Color, TFont* Font, TCellImage& Image);
  virtual void DrawColumnCell(const TRect& Rect, int DataCol, TKelColumn* Column, TGridDrawState State);
  virtual void DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State);
  // Lets OnCalcImageIndex change a data cell's (Column null: the indicator's) image index.
  virtual int CalcImageIndex(TKelColumn* Column, int Index);
  // Non-fixed lines take the data line colours with gdoDataColLines / gdoDataRowLines.
  TColor LineColor(bool Fixed, bool Vertical) const override;

  // ---- Dynamic hooks --------------------------------------------------------------------------
  virtual void ColEnter();
  virtual void ColExit();

  // ---- Data link reactions (KelDBGridData.cpp) ------------------------------------------------
  void DataChanged();
  void EditingChanged();
  void RecordChanged(TField* Field);
  void UpdateActive();
  void UpdateData();
  // The editor is shown and the selected column's edit text no longer matches what it was given.
  bool EditTextStale() const;
  // Lookup result columns keyed by KeyField take the result its new value locates.
  void UpdateLookupResults(TField* KeyField);
  Variant LocateLookupResult(TKelColumn* Column, const Variant& Key);

  // ---- Layout internals -----------------------------------------------------------------------
  void InternalLayout();
  void MeasureRowHeights();
  void MeasureTitleLevels(TCanvas* Canvas);
  void MeasureTotalRows(TCanvas* Canvas);
  void CMDeferLayout(TMessage& Message);
  // Waiting operations of later parts called by the layout (KelDBGridPending.cpp).
  void RecreateMarkers();
  void ResetTotalFields();
  int GreatestTotalValuesCount() const;
  void SetStretchActive();
  // Repaints the data area when a column draws images tiled over the grid or along the axis
  // that moved (idTileCol for rows, idTileRow for columns); answers whether it did.
  bool InvalidateTile(TImageDraw Tile);
  virtual void FilterChanged();
  void ApplyOrderOnActivation();

  // ---- Platform overrides ---------------------------------------------------------------------
  void Loaded() override;
  // The pseudo-property "OrderFields".
  void DefineProperties(TFiler* Filer) override;
  // Every column takes the new default font, in one layout.
  void CMFontChanged(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void WMSize(TWMSize& Message) override;
  void TopLeftChanged() override;
  void WMVScroll(TWMVScroll& Message) override;
  void WMHScroll(TWMHScroll& Message) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  // The shown editor gets the wheel first; the grid scrolls only when the editor leaves it.
  void CMMouseWheel(TCMMouseWheel& Message) override;
  // Up and down move the link's window a row; left and right are the platform's.
  void TimedScroll(TGridScrollDirection Direction) override;
  // A data row dragged to a new height sets LinesCount (the row heights follow).
  void RowHeightsChanged() override;
  void ChangeScale(int M, int D) override;
  // With ParentFont the title, header and totals fonts take the new font.
  void CMParentFontChanged(TMessage& Message) override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  // The cells, then the filler face beyond the last column along the titles and the totals.
  void Paint() override;

 private:
  friend class TKelGridDataLink;
  friend class TKelDBGridTotals;
  friend class TKelDBGridColumns;
  friend class TKelColumn;
  friend class TKelDataRowScope;

  // Painting of each cell kind (KelDBGridPaint.cpp, KelDBGridPaintTitles.cpp,
  // KelDBGridPaintTotals.cpp).
  void PaintIndicatorCell(int DataRow, const TRect& Rect);
  void PaintDataCell(int ACol, int DataRow, const TRect& Rect, TGridDrawState State);
  void PaintFixedCell(const TRect& Rect, TColor Color);
  void PaintFillerCell(int ARow, const TRect& Rect);
  void PaintTitleCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State);
  void PaintHeaderBand(TKelColumn* Column, int Band, const TRect& Title, const TRect& Clip);
  void PaintTitleFace(const TRect& Rect, TColor Color, TGridDrawState State);
  void PaintTitleMarker(TKelColumn* Column, TRect& TextRect);
  void PaintTitleButton(TKelColumn* Column, TRect& TextRect);
  void PaintTotalCell(int ACol, int Band, const TRect& Rect);
  void PaintBeyondColumns();
  bool TotalBandBoxed(int Band) const;
  void PaintCellFocus(const TRect& Rect);
  // The colours and selections of a data cell before default painting.
  TSelections SetupDataCellColors(TKelColumn* Column, int DataRow, bool Fixed, TGridDrawState State);
  // The image a data cell shows by default (column images, check box, expand box).
  TCellImage DataCellImage(TKelColumn* Column);
  // The indicator glyph of data row Row (-1 for none).
  int IndicatorIndex(int DataRow);
  // Construction and destruction steps.
  void CreateImageLists();
  void FreeOwnedObjects();
  // Change callbacks of the owned fonts and the gradient.
  void TitleFontChanged();
  void GradientChanged();
  // Repaints after a change of the look (when the window exists).
  void InvalidateLook();
  // UpdateBorder as an option or look change asks for it.
  void UpdateBorderForLook();
  // Option reactions.
  void ApplyPlatformOptions(TKelDBGridOptions Value);
  void ReactToOptions(TKelDBGridOptions Changed);
  // Layout steps.
  void CloseLayoutBracket(bool Failing);
  void PostDeferredLayout();
  void DropDefaultColumnsOfMixedSet();
  void RebindColumns();
  void BindDefaultColumns();
  void SetPlatformColumns();
  void CountBottomRows();
  int CountTitleRows() const;
  void SetBottomRowHeights();
  // Record window.
  void FitRecordWindow();
  // Scrolling rectangles.
  TRect RowBox(int ARow) const;
  void ScrollDataRows(int Distance);
  bool IsHiddenColumn(int RawCol) const;
  // Editing is offered: dgEditing, and under dgAllowInsertOff only while records exist.
  bool EditingOffered(TKelDBGridOptions Value) const;
  // Linked grids and free notifications.
  void SetManageGrid(TKelCustomDBGrid* Value);
  void DetachLinkedGrids();
  void FieldRemoved(TComponent* AField);
  // Scrolling: the thumb's track position moves the data (WMVScroll); a wheel notch moves by
  // Rows, an untouched inserted record being cancelled instead.
  void ScrollByThumb(int TrackPos);
  void WheelScroll(int Rows);
  // The scroll timer's distance for a client point outside the data area (0 inside), after
  // scrolling one step towards it.
  int ScrollTowards(TPoint Pos);
  // Delayed totals update (one-shot timer).
  void DelayUpdateTotals();
  // Totals calculation steps (KelTotalsEngine.cpp).
  void ForEachCalcTotal(bool SelectedOnly, const std::function<void(TKelColumnTotalValue*, bool)>& Visit) const;
  bool RecordFeedsSelectionTotals() const;
  void CalcRecords(bool SelectedOnly);
  bool AggregateInDataSet(bool SelectedOnly);
  // Delay timers may run: outside design mode while the grid is showing.
  bool CanStartDelayTimer() const;

  // ---- Option values ----
  TKelDBGridOptions FOptions = DefaultGridOptions;        // main options
  TKelDBGridOptionsEx FOptionsEx = DefaultGridOptionsEx;  // totals, order, sequence, selection
  TKelDBGridOptionsExt FOptionsExt = DefaultGridOptionsExt;  // extra columns, lists, scrolling
  TGridDrawingOptions FDrawingOptions = DefaultDrawingOptions;
  TKelHintOptions FHintOptions = DefaultHintOptions;
  TKelResizeOptions FResizeOptions = DefaultResizeOptions;
  TSystemStyleElements FSystemStyleElements = DefaultSystemStyleElements;
  TMultiSelectOptions FMultiSelectOptions = DefaultMultiSelectOptions;

  // ---- Look ----
  TFixedStyle FFixedStyle = fsDefault;
  TFixedTheme FFixedTheme = ftDefault;
  bool FCtl3DAuto = true;                 // Ctl3D follows the look (UpdateBorder)
  TColor FHeaderColor = clBtnFace;        // background of header bands
  TColor FFillerColor = clBtnFace;        // background of the corner title cell
  bool FFillerButton = true;              // the corner title cell is drawn as a button
  int FFillerIndex = -7;                  // glyph of the corner title cell (negative: built-in)
  THotButtons FHotButtons = hbAuto;
  TColor FEditorColor = clNone;           // background of the editor; clNone: the cell's
  TListBorder FListBorder = lbAuto;
  TFocusRect FFocusRect = frAuto;
  TColor FStripeColor = clNone;           // background of every other row; clNone: no stripes
  TColor FSelectionColor = clDefault;
  TColor FSelectRowColor = clDefault;
  TColor FSelectCellColor = clDefault;
  TColor FHighlightText = clDefault;
  TColor FDataColLineColor = clDefault;
  TColor FDataRowLineColor = clDefault;
  TMarkerStyle FMarkerStyle = msAuto;
  TMarkerTransparent FMarkerTransparent = mtAuto;
  bool FDefaultDrawing = true;            // data cells are painted by the grid
  bool FParentCustomHint = true;
  bool FUserChange = true;                // changes come from the user (cleared while the grid
                                          // adjusts itself)
  int FLoadedStyleIndex = -1;             // platform style the markers were built for; -1 none
  bool FCopyingFonts = false;             // the grid itself is copying fonts (keeps ParentFont)

  // ---- Owned objects ----
  std::unique_ptr<TKelDBGridColumns> FColumns;
  std::vector<TKelColumn*> FVisibleColumns;  // showing columns in order; rebuilt by layouts
  std::unique_ptr<TKelGridDataLink> FDataLink;
  std::unique_ptr<TFont> FTitleFont;
  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TKelBookmarkList> FBookmarks;
  std::unique_ptr<TKelColumnList> FSelectedCols;
  std::unique_ptr<TKelDBGridFilter> FFilterGrid;
  std::unique_ptr<TKelDBGridSearch> FSearch;
  std::unique_ptr<TKelDBGridSettings> FSettings;
  std::unique_ptr<TKelDBGridTotals> FTotals;
  std::unique_ptr<TKelGridStyle> FGridStyle;
  std::unique_ptr<TKelScrollProp> FScrollProp;
  std::unique_ptr<TKelDBGridGradient> FGradient;
  std::unique_ptr<TImageList> FIndicators;   // cut from KELDBINDICATORS
  std::unique_ptr<TImageList> FCheckBoxes;   // cut from KELDBCHECKBOXES
  std::unique_ptr<TImageList> FExpandBoxes;  // cut from KELDBEXPANDBOXES
  std::unique_ptr<TImageList> FMarkers;      // cut from KELDBMARKERS in the resolved look
  TImageList* FIndicatorImages = nullptr;    // not owned; cleared by Notification
  TImageList* FTitleImages = nullptr;        // not owned; cleared by Notification
  TImageList* FTitleMarkers = nullptr;       // not owned; cleared by Notification
  // The inputs the marker and indicator strips were last built for (RecreateMarkers).
  TMarkerStyle FBuiltMarkerStyle = msAuto;   // msAuto: never built
  bool FBuiltMarkerTransparent = false;
  bool FBuiltSystemMarkers = false;
  String FBuiltMarkerStyleName;
  std::vector<std::string_view> FTextLines;  // scratch of the cell text routine
  TSelections FCellSelections;               // of the data cell being painted
  bool FCellHighlight = false;               // the data cell being painted is highlighted
  std::unique_ptr<TKelDBGridDataRows> FDataRows;      // created on first use
  std::unique_ptr<TKelDBGridCurrentRow> FCurrentRow;  // created on first use
  std::unique_ptr<TKelDBGridCurrentCol> FCurrentCol;  // created on first use

  // ---- Row and column areas (derived by layouts) ----
  int FTitleOffset = 1;       // title rows at the top; 0 without dgTitles
  int FIndicatorOffset = 1;   // grid columns before the first data column
  int FTotalOffset = 0;       // bottom rows: the blank row plus all total rows
  int FTotalHeader = 0;       // total header rows (0 or 1)
  int FTotalValues = 0;       // total values rows
  int FTotalFooter = 0;       // total footer rows (0 or 1)
  int FFixedCols = 0;         // frozen data columns (published FixedCols)
  int FIndicatorWidth = 20;   // pixels; values below 12 are stored as 11

  // ---- Row heights ----
  int FLineHeight = 0;        // TextHeight("Wg") in the grid font; 0 until measured
  int FHeaderRowHeight = 0;   // one header band inside a title; 0 without dgTitleHeaders
  int FTotalRowHeight = 0;    // each total row
  int FLinesCount = 1;        // text lines per data row
  int FLinesCountMin = 1;
  int FLinesCountMax = -1;    // -1: no maximum
  int FTitleLinesCount = 1;
  int FHeaderLinesCount = 1;
  int FDefaultWidthMin = -1;  // bounds of default column widths; -1: none
  int FDefaultWidthMax = -1;
  int FStretchWidthMin = -1;  // bounds of stretched column widths; -1: none
  int FStretchWidthMax = -1;
  int FWheelScrollRows = 0;
  bool FRowCalculated = false;  // heights were measured since the last OnRowResize
  int FLastRowHeight = 0;       // data row height OnRowResize last reported
  bool FLockChangeScale = false;  // ChangeScale is resizing rows (not a user's drag)

  // ---- Scroll bars ----
  TScrollStyle FScrollBars = ssBoth;  // the grid's own ScrollBars
  bool FFlatSBMode = false;           // custom-drawn scroll bars in use
  bool FFlatSBInit = false;           // the window's scroll bar state is initialised
  int FLastLeftCol = -1;              // LeftCol last reported by OnColumnScroll
  std::unique_ptr<TTimer> FScrollTimer;  // scrolling while the mouse drags outside; null: off
  bool FScrollTracking = false;       // a drag that scrolls is under way
  TPoint FScrollMousePos{-1, -1};     // point ScrollToCellAt last followed

  // ---- Lock counters (every one held by a guard; see KelDBGridsPrivate.h) ----
  int FUpdateLock = 0;        // BeginUpdate nesting
  int FLayoutLock = 0;        // BeginLayout nesting
  int FChangeLock = 0;        // grid-initiated data set moves and cancels
  int FInvalidateLock = 0;    // UpdateRowCount is resizing rows
  int FSelectLock = 0;        // selection is being changed
  int FPositionDisabled = 0;  // DisablePosition nesting
  bool FLayoutFromDataSet = false;  // a layout change that came from the data set is handled
  bool FInUpdateListItems = false;
  bool FInUpdateSequence = false;
  bool FInUpdateTotals = false;
  bool FInColExit = false;    // ColExit is running
  bool FManagement = false;   // synchronising the managed grid

  // ---- Data state ----
  int FSelRow = 0;            // grid row the indicator last marked
  String FEditText;           // text last given to or taken from the editor
  bool FIsESCKey = false;     // the last key was Escape
  bool FAcquireFocus = true;  // mouse and scroll handling move the focus to the grid first
  int FRecCount = 0;          // forced sequence: record count
  int FRecNumber = 0;         // forced sequence: number of the current record
  int FRowNumber = 0;         // forced sequence: row offset of the row being evaluated
  TBookmark FLastBookmark;    // saved by DisablePosition
  int FLastPosition = 0;      // window row saved by DisablePosition
  TDataSet* FPositionDataSet = nullptr;  // data set whose controls DisablePosition disabled

  // ---- Selection state ----
  TMultiSelect FMultiSelect = msRows;
  int FSelectionOffset = 0;   // first selectable column
  int FSelectionBegCol = -1;  // column range anchor and end; -1 = none
  int FSelectionEndCol = -1;
  int FSelectionMin = -1;
  int FSelectionMax = -1;
  bool FSelectionColumn = false;
  bool FRowsChanged = false;  // selection changed since the last notice
  bool FColsChanged = false;

  // ---- Linked grids ----
  TKelCustomDBGrid* FMasterGrid = nullptr;  // the grid followed; cleared by Notification
  TBookmark FExpandedRecord;  // the record whose expand box is open; empty: none
  TKelCustomDBGrid* FManageGrid = nullptr;  // the next grid of the ring to synchronise

  // ---- Delay timers (one-shot; each ends before its work runs) ----
  TDelayTimer FLoaderTimer;  // delayed list items update
  TDelayTimer FUpdateTimer;  // delayed sequence update
  TDelayTimer FTotalsTimer;  // delayed totals update

  // ---- Column model ----
  bool FStretchMode = false;       // published StretchMode
  bool FStretchActive = false;     // StretchMode with an active data link
  bool FStretching = false;        // a StretchGrid pass is running
  int FStretchRestWidth = 0;       // width the last stretch pass left to the unfixed columns
  int FStretchRestBase = 0;        // their base widths
  int FLastResizedCol = -1;        // grid column whose width changed last; -1 = none
  bool FReadOnly = false;          // every column defaults to read-only
  TImeMode FImeMode = imDontCare;  // input method settings the columns default to
  TImeName FImeName;
  String FOrderFields;             // the order string as given (see SetOrderFields)

  int FLayoutCount = 0;       // InternalLayout passes (diagnostics)
};

// The grid with its properties published.
class TKelDBGrid : public TKelCustomDBGrid {
  KEL_CLASS(TKelDBGrid, TKelCustomDBGrid)

 public:
  explicit TKelDBGrid(TComponent* AOwner) : TKelCustomDBGrid(AOwner) {}
  static const TPropList& PublishedProperties();
};

}  // namespace kel
