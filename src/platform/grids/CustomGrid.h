// TCustomGrid: the platform grid. A window of cells in columns and rows, the first FixedCols
// columns and FixedRows rows fixed (they never scroll), the rest scrolled by whole columns and
// rows. It keeps the geometry (sizes per axis, hidden cells, the top-left scrollable cell), the
// current cell and the selection, the standard scroll bars, the mouse protocols for sizing and
// moving columns and rows, the in-place editor's lifecycle, and it paints by calling DrawCell for
// every visible cell.
//
// Descendants override the virtual hooks below; the grid calls them in the classic order:
//   sizing:  CalcSizingState (press on a border) -> Sizing (each move) -> ColWidthsChanged or
//            RowHeightsChanged (release, once);
//   moving:  BeginColumnDrag (press on a title) -> CheckColumnDrag (each destination) ->
//            EndColumnDrag (release) -> ColumnMoved (when the column really moves);
//   editing: CanEditShow -> CreateEditor (first time) -> GetEditMask/GetEditText/GetEditLimit ->
//            SetEditText (every change of the text, and when the editor hides).
//
// Coordinates given to and answered by the public API are client pixels; with right-to-left
// alignment they are mirrored (column 0 at the right edge). TGridDrawInfo is always logical
// (left to right).
//
// Implementation map: CustomGrid.cpp (construction, properties, counts and sizes),
// GridGeometry.cpp (draw info, rectangles, hit tests, invalidation), GridNavigation.cpp (current
// cell, selection, moving columns and rows), GridScrolling.cpp (top-left cell, scroll bars,
// timed scrolling), GridPainting.cpp (Paint), GridInput.cpp (keys, mouse, sizing and moving,
// window messages), GridEditor.cpp (the in-place editor).
#pragma once

#include <cairo.h>

#include <memory>
#include <vector>

#include "platform/grids/GridTypes.h"
#include "platform/ui/Controls.h"

namespace kel {

class TInplaceEdit;

class TCustomGrid : public TCustomControl {
  KEL_CLASS(TCustomGrid, TCustomControl)

 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // Published: the defaults every grid constructs (BorderStyle bsSingle, ParentColor false,
  // TabStop true). Counts, sizes and options are published by TDrawGrid, so that descendants
  // that manage them (data grids) do not stream them.
  static const TPropList& PublishedProperties();

  // --- Counts and sizes -------------------------------------------------------------------------
  // Counts are at least 1; fixed counts are less than the counts (EInvalidGridOperation).
  int ColCount() const { return FCols.Count(); }
  void SetColCount(int Value);
  int RowCount() const { return FRows.Count(); }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  // A width or height of 0 or less hides the column or row together with its line. Reading
  // outside the grid answers the default.
  int ColWidths(int Index) const { return FCols.Size(Index); }
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const { return FRows.Size(Index); }
  void SetRowHeights(int Index, int Value);
  // Setting a default size gives it to every column (row).
  int DefaultColWidth() const { return FCols.DefaultSize(); }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FRows.DefaultSize(); }
  void SetDefaultRowHeight(int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  // Tab and Shift+Tab stop only on columns whose tab stop is set (all by default).
  bool TabStops(int Index) const;
  void SetTabStops(int Index, bool Value);

  // --- Scroll position --------------------------------------------------------------------------
  // The first scrollable column and row shown; never below the fixed ones.
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  // Scrollable columns (rows) shown whole from LeftCol (TopRow) on.
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // Width and height of the cells shown, lines included.
  int GridWidth() const;
  int GridHeight() const;

  // --- Geometry ---------------------------------------------------------------------------------
  // The client rectangle of a cell, its line excluded; empty when the cell is not shown
  // (scrolled away or hidden). Cells cut by the client edge are clipped to it.
  TRect CellRect(int ACol, int ARow) const;
  // The rectangle covering the shown cells of a block; empty when none is shown.
  TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
  // The cell under a client point; {-1, -1} outside the cells.
  TGridCoord MouseCoord(int X, int Y) const;
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
  void CalcDrawInfo(TGridDrawInfo& DrawInfo) const;
  // Only the fixed part: line widths, fixed boundaries, first cells and counts.
  void CalcFixedInfo(TGridDrawInfo& DrawInfo) const;

  // --- Current cell and selection ---------------------------------------------------------------
  // Setting Col or Row moves the current cell there (SelectCell may refuse) and shows it.
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  // From the anchor to the current cell (the whole row with goRowSelect).
  TGridRect Selection() const;
  void SetSelection(const TGridRect& Value);

  // --- Options and look -------------------------------------------------------------------------
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  // Colour of the lines between scrollable cells, and between fixed cells.
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor FixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value);
  // The grid fills each cell's background (and draws fixed edges and the focus frame) around
  // DrawCell.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TGridState GridState() const { return FGridState; }

  // --- Editor -----------------------------------------------------------------------------------
  // The in-place editor once created (first shown), else null. Owned by the grid.
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  // True while the editor is wanted on the current cell (it shows when CanEditShow agrees).
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);

 protected:
  // --- Painting ---------------------------------------------------------------------------------
  // Draws one cell in ARect (client pixels, mirrored for right-to-left) in state AState.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
  void Paint() override;
  // Mirrors (true) or restores the canvas's coordinates about the client's vertical centre
  // line and sets its orientation, while painting.
  virtual void ChangeGridOrientation(bool RightToLeftOrientation);
  // Colour of a line between fixed cells or between scrollable ones, vertical or horizontal;
  // clNone draws no line (its room stays).
  virtual TColor LineColor(bool Fixed, bool Vertical) const;
  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid();
  void InvalidateRect(const TGridRect& ARect);

  // --- Geometry hooks ---------------------------------------------------------------------------
  // The cell under a logical point; -1 on an axis outside the cells.
  TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo) const;
  // The largest LeftCol / TopRow that still shows Coord's column / row at the far edge.
  TGridCoord CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo) const;
  // Draw information for a client of Width x Height pixels.
  void CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int Width, int Height) const;
  // Decides whether a press at (X, Y) starts sizing a column or a row: State becomes
  // gsColSizing or gsRowSizing with the cell Index, the border's position SizingPos and the
  // press's offset from it SizingOfs; otherwise State is gsNormal and Index -1.
  // The geometry of the shown cells, cached until the grid's geometry changes.
  const TGridDrawInfo& DrawInfo() const;
  virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                               int& SizingOfs, TGridDrawInfo& FixedInfo);
  // The mouse moved while sizing: moves the sizing line to follow it.
  virtual void Sizing(int X, int Y);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  // ColCount or RowCount changed from the old counts.
  virtual void SizeChanged(int OldColCount, int OldRowCount) {}

  // --- Moving columns and rows ------------------------------------------------------------------
  // Asked when a press starts moving Origin; may change both or refuse.
  virtual bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
  // Asked for every new destination while moving; refusing keeps the last destination.
  virtual bool CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
  // Asked at the release (and on cancel, with Destination = Origin); refusing moves nothing.
  virtual bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
  virtual bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
  virtual bool CheckRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
  virtual bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
  // After a column (row) moved from FromIndex to ToIndex.
  virtual void ColumnMoved(int FromIndex, int ToIndex) {}
  virtual void RowMoved(int FromIndex, int ToIndex) {}
  // Moves a column with its width and tab stop (the current cell follows), then ColumnMoved.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);

  // --- Current cell -----------------------------------------------------------------------------
  // May refuse a new current cell.
  virtual bool SelectCell(int ACol, int ARow) { return true; }
  // Moves the current cell (and with MoveAnchor the anchor), scrolling it into view when Show.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  // Moves the current cell as the keyboard does: then the editor follows and Click fires.
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  // A fixed cell was clicked (goFixedColClick, goFixedRowClick).
  virtual void FixedCellClick(int ACol, int ARow) {}

  // --- Scrolling --------------------------------------------------------------------------------
  // After every change of LeftCol or TopRow; the base moves the editor.
  virtual void TopLeftChanged();
  // While the mouse selects outside the cells: moves the anchor one cell that way.
  virtual void TimedScroll(TGridScrollDirection Direction);
  void UpdateScrollRange();
  void UpdateScrollPos();

  // --- Editor -----------------------------------------------------------------------------------
  virtual TInplaceEdit* CreateEditor();
  virtual bool CanEditShow();
  virtual bool CanEditAcceptKey(Char Key) { return true; }
  virtual bool CanEditModify() { return true; }
  virtual String GetEditText(int ACol, int ARow) { return String(); }
  virtual void SetEditText(int ACol, int ARow, const String& Value) {}
  // Maximum length of the editor's text; 0 = no limit.
  virtual int GetEditLimit() { return 0; }
  virtual String GetEditMask(int ACol, int ARow) { return String(); }
  void ShowEditor();
  void HideEditor();
  // Opens the editor and types Ch into it.
  void ShowEditorChar(Char Ch);
  // Reloads the editor's text, mask and limit and puts it back over the current cell.
  void InvalidateEditor();
  // Hands the editor's text to SetEditText (the editor calls it on every change).
  void UpdateText();
  // The grid or its editor holds the focus (or is the form's active control).
  bool IsActiveControl() const;

  // --- Input ------------------------------------------------------------------------------------
  virtual bool CanGridAcceptKey(Word Key, TShiftState Shift) { return true; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  // The grid's own handling of a press (GridMouseDown), then OnMouseDown.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A press without OnMouseDown: focus, double click, sizing, selecting, fixed-cell clicks and
  // moving; for descendants that fire the event after handling of their own. False when the
  // grid could not take the focus (the press is dropped).
  bool GridMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

  // --- Window -----------------------------------------------------------------------------------
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void ChangeScale(int M, int D) override;
  void WMSize(TWMSize& Message) override;
  void WMSetFocus(TWMSetFocus& Message) override;
  void WMKillFocus(TWMKillFocus& Message) override;
  void WMSetCursor(TWMSetCursor& Message) override;
  void WMChar(TWMChar& Message) override;
  void WMCancelMode(TWMCancelMode& Message) override;
  void WMHScroll(TWMHScroll& Message) override;
  void WMVScroll(TWMVScroll& Message) override;
  void WMGetDlgCode(TWMGetDlgCode& Message) override;
  void WMTimer(TWMTimer& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

 private:
  friend class TInplaceEdit;

  // Which axis a shared routine works on.
  enum TAxisKind : std::uint8_t { akColumns, akRows };

  // CustomGrid.cpp
  void ChangeSize(int NewColCount, int NewRowCount);
  void ClampCurrentToGrid();
  void ResizeCell(TAxisKind Kind, int Index, int Value);
  void ResetTopLeft();
  [[noreturn]] static void InvalidOp(const char* Message);
  void GeometryChanged() { ++FGeometryVersion; }

  // GridGeometry.cpp
  void CalcAxis(TGridAxisDrawInfo& Axis) const;
  void CalcFixedAxis(TGridAxisDrawInfo& Axis, TGridOptions LineOptions, int FixedCount,
                     int FirstCell, const TGridAxis& Sizes) const;
  // Start (logical pixels) of a shown cell of an axis.
  static int CellStart(const TGridAxisDrawInfo& Axis, int Index);
  // The logical span [Start, End) of the shown cells of an axis in Lo..Hi; false when none.
  static bool AxisSpan(const TGridAxisDrawInfo& Axis, int Lo, int Hi, bool IncludeLine,
                       int& Start, int& End);
  // A block of cells -> client rectangle (mirrored for right-to-left), empty when not shown.
  TRect GridRectToScreenRect(const TGridRect& ARect, bool IncludeLine) const;
  TRect MirrorRect(const TRect& R) const;
  // Invalidates a rectangle given in logical pixels.
  void InvalidateLogicalRect(const TRect& R);
  int MirrorX(int X) const;
  static int AxisCellAt(const TGridAxisDrawInfo& Axis, int Pos);

  // GridNavigation.cpp
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  void MoveAnchor(const TGridCoord& NewAnchor);
  void SelectionMoved(const TGridRect& OldSel);
  void ClampInView(const TGridCoord& Coord);
  // The nearest shown column from Start going by Step (+1 or -1) within the scrollable ones;
  // Start itself when it is shown, -1 when there is none.
  int ShownColumnFrom(int Start, int Step) const;
  int ShownRowFrom(int Start, int Step) const;

  // GridScrolling.cpp
  void MoveTopLeft(int ALeft, int ATop);
  void TopLeftMoved(const TGridCoord& OldTopLeft);
  void ScrollData(int DX, int DY, const TGridDrawInfo& Info);
  void ModifyScrollBar(int ScrollBar, Word ScrollCode, int Pos, bool UseRightToLeft);
  void UpdateAxisScrollBar(int Bar, const TGridAxisDrawInfo& Axis, int MaxFirst);
  TGridCoord MaxTopLeft() const;
  void StartScrollTimer();
  void StopScrollTimer();

  // GridPainting.cpp
  // A cell shown on the canvas: its index, logical start and size (> 0).
  struct TShownCell {
    int Index = 0;
    int Start = 0;
    int Size = 0;
  };
  static void CollectShown(const TGridAxisDrawInfo& Axis, int ClipLo, int ClipHi,
                           std::vector<TShownCell>& Cells);
  void DrawLines(const TGridDrawInfo& Info);
  void DrawCells(const TGridDrawInfo& Info, bool Focused);
  void CollectClipRects();
  bool InClip(const TRect& Cell) const;
  void DrawCellBackground(const TRect& ARect, TGridDrawState AState);
  void DrawFixedEdges(const TRect& ARect, const TGridDrawInfo& Info);
  void FillBeyondCells(const TGridDrawInfo& Info);
  void DrawTrackingLine();
  // The logical strip a sizing or moving line covers at Pos.
  TRect TrackingLineRect(int Pos, bool Vertical) const;
  void InvalidateTrackingLine();
  // Logical position of the moving line: the edge of FMovePos the column (row) would go to.
  int MovePosition() const;

  // GridInput.cpp
  void CancelMode();
  void StartMoving(TAxisKind Kind, const TGridCoord& Cell, int X, int Y);
  void MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo& Info, TAxisKind Kind,
                     const TPoint& MousePt);
  void FinishSizing();
  // Answers whether the column or row moved.
  bool FinishMoving(int X, int Y);
  void StartFixedClick(const TGridCoord& Cell);
  void SetTracked(TGridCoord& Field, const TGridCoord& Value);
  void HorizontalStep(Word Key, TShiftState Shift, TGridCoord& Current, TGridCoord& TopLeft,
                      int PageWidth) const;
  void TabStep(bool Backward, TGridCoord& Current) const;

  // GridEditor.cpp
  void UpdateEdit();
  void UpdateEditor();
  void HideEdit();

  // --- Option values (set by the properties) ----------------------------------------------------
  TGridAxis FCols;                 // column widths; offsets cached (hit tests search them)
  TGridAxis FRows;                 // row heights; sparse, never walked beyond what is shown
  std::vector<bool> FTabStops;     // per column; true = Tab stops there
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FGridLineWidth = 1;          // pixels of each line
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TScrollStyle FScrollBars = ssBoth;
  TColor FFixedColor = clBtnFace;
  TColor FGridLineColor = clSilver;
  TColor FFixedLineColor = clBlack;
  bool FDefaultDrawing = true;

  // --- Position -----------------------------------------------------------------------------------
  TGridCoord FTopLeft{1, 1};       // LeftCol, TopRow
  TGridCoord FCurrent{1, 1};       // current cell
  TGridCoord FAnchor{1, 1};        // other corner of the selection

  // --- Interaction state (mouse protocols, editor) ------------------------------------------------
  TGridState FGridState = gsNormal;
  int FSizingIndex = -1;           // column or row being sized
  int FSizingPos = 0;              // logical position of the sizing line
  int FSizingOfs = 0;              // press offset from the border
  int FMoveIndex = -1;             // column or row being moved
  int FMovePos = -1;               // where it would go now
  bool FTimerRunning = false;      // window timer 1 (selecting, moving) is on
  TGridCoord FHotTrackCell{-1, -1};  // fixed cell under the mouse (goFixedHotTrack)
  TGridCoord FPressedCell{-1, -1};   // fixed cell held down (goFixedColClick/RowClick)
  TInplaceEdit* FInplaceEdit = nullptr;  // owned (component owner: the grid)
  bool FEditorMode = false;
  int FInplaceCol = -1;            // cell the editor's contents belong to; -1 = none
  int FInplaceRow = -1;
  bool FUpdatingScrollRange = false;  // guards the WM_SIZE a scroll bar change sends

  // --- Derived caches -------------------------------------------------------------------------------
  // Draw info of the last CalcDrawInfo, valid while FGeometryVersion and the client size match.
  mutable TGridDrawInfo FDrawInfo;
  mutable unsigned FDrawInfoVersion = 0;
  mutable int FDrawInfoWidth = -1;
  mutable int FDrawInfoHeight = -1;
  unsigned FGeometryVersion = 1;   // bumped by every change of counts, sizes, lines, top-left

  // --- Per-paint scratch (kept to reuse their memory) -----------------------------------------------
  cairo_matrix_t FPaintMatrix{};   // the context's transformation when Paint began
  bool FPainting = false;          // Paint is running (ChangeGridOrientation may transform)
  std::vector<TShownCell> FShownCols;  // columns met by the paint's clip, fixed ones first
  std::vector<TShownCell> FShownRows;
  // The rectangles of the paint's clip region (empty: the bounding box is exact), so that cells
  // between two invalid areas, such as a scrolled-in row and a scroll bar, are not repainted.
  std::vector<TRect> FClipRects;
};

}  // namespace kel
