// TKelColumn: one grid column, bound to a field of the grid's data set by name, with its display
// and editing settings, its title, its four total-row objects, its width and its place among
// nested columns.
//
// A column's visual settings are assignable: until assigned they follow a default computed when
// read (from the field, the grid or the parent object), and they are streamed only when
// assigned and different from that default. The set of assigned values is TKelColumnValues.
//
// The class is spread over several sources, one concern each:
//   KelColumn.cpp            construction, field binding, lookup kind, display name, assignable
//                            settings, fonts, the plain setters, Assign and RestoreDefaults
//   KelColumnProperties.cpp  the published-property tables of the column model
//   KelColumnWidth.cpp       default, true and optimal width, bounds, stretching, scaling
//   KelColumnNesting.cpp     nested columns: parent, depth, expanded, showing, group moves,
//                            Synchronize
//   KelColumnTitle.cpp, KelColumnTotal.cpp, KelDBGridColumns.cpp, KelColumnsStreaming.cpp
#pragma once

#include <cstdint>
#include <memory>

#include "KelDBGrids/KelColumnTitle.h"
#include "KelDBGrids/KelColumnTotal.h"
#include "KelDBGrids/KelAssignable.h"
#include "KelDBGrids/KelColumnTypes.h"
#include "KelDBGrids/KelDBGridTypes.h"
#include "platform/graphics/Graphics.h"
#include "platform/grids/Edit.h"

namespace kel {

class TDataSet;
class TField;
class TImageList;
class TKelCustomDBGrid;
class TKelDBGridColumns;
class TPopupMenu;
struct TLookupTextCache;
class TStrings;
class TStringList;

class TKelColumn : public TCollectionItem {
  KEL_CLASS(TKelColumn, TCollectionItem)

 public:
  explicit TKelColumn(TCollection* ACollection);
  ~TKelColumn() override;
  // Published (78), see KelColumnProperties.cpp. Visible and Expanded publish the column's own
  // flags (what it was set to), not the values its parent makes them.
  static const TPropList& PublishedProperties();

  // The collection's grid; null for a free-standing collection.
  TKelCustomDBGrid* Grid() const;
  TKelDBGridColumns* Columns() const;

  // ---- Field binding (KelColumn.cpp) ----------------------------------------------------------
  // The bound field. Bound on first read by name when the grid has a data set, except while the
  // data set is closed and has no persistent fields (nothing to find then).
  TField* Field() const;
  virtual void SetField(TField* Value);
  // The bound field as it is, without binding one by name.
  TField* BoundField() const { return FField; }
  const String& FieldName() const { return FFieldName; }
  // Looks the field up (unless the grid is loading) and reports the column changed.
  void SetFieldName(const String& Value);
  // How the column is tied to a lookup list (see the rules in KelColumn.cpp).
  TKelLookupColumn LookupColumn() const;
  // The field whose values the column shows, titles, aligns and measures: for a
  // lcLookupValueField column the LookupResultField of LookupDataSet, else Field.
  TField* ResultField() const;
  // "Result[Key]" for lookup value columns, the field name, "(caption)" or the generic name.
  String GetDisplayName() override;

  // ---- Assignable settings --------------------------------------------------------------------
  // The field's alignment (of the result field for a lookup value column).
  TAlignment Alignment() const;
  virtual void SetAlignment(TAlignment Value);
  TAlignment DefaultAlignment() const;
  // The grid's Color; clWindow without a grid.
  TColor Color() const;
  void SetColor(TColor Value);
  TColor DefaultColor() const;
  // The grid's Font; the column's own font object without a grid. Reading it makes an
  // unassigned font equal to its default without reporting a change.
  TFont* Font();
  void SetFont(TFont* Value) { FFont.Get()->Assign(Value); }
  TFont* DefaultFont() const;
  // Copies the default font into an unassigned font (no change report).
  void RefreshDefaultFont();
  // The grid's ImeMode / ImeName.
  TImeMode ImeMode() const;
  virtual void SetImeMode(TImeMode Value);
  TImeMode DefaultImeMode() const;
  TImeName ImeName() const;
  virtual void SetImeName(const TImeName& Value);
  TImeName DefaultImeName() const;
  // True when the grid is read-only; else the field's ReadOnly; false without a field.
  bool ReadOnly() const;
  virtual void SetReadOnly(bool Value);
  bool DefaultReadOnly() const;
  TKelColumnValues AssignedValues() const { return FAssignedValues; }

  // ---- Width (KelColumnWidth.cpp) -------------------------------------------------------------
  // Width in pixels. A column that is not showing takes no room: -(column line width), -1
  // without a grid (not while the grid is written or a column set saved). In stretch mode,
  // while written or saved, the base width. An unassigned width is DefaultWidth.
  int Width();
  // Written back to the field's DisplayWidth for columns the grid built; clamped to the bounds;
  // a value equal to DefaultWidth on an unassigned width keeps it unassigned.
  virtual void SetWidth(int Value);
  // The assigned width or DefaultWidth, whether showing or not.
  int TrueWidth();
  // From the field's DisplayWidth in the column font, widened for the title, within the grid's
  // DefaultWidthMin/DefaultWidthMax; 64 without a grid.
  int DefaultWidth();
  bool IsWidthStored();
  // Widest text of the records in the data link's window, plus image margin and editor button.
  int OptimalWidth();
  // Bounds of the width; -1 = none. Values below -1 are ignored.
  int WidthMin() const { return FWidthMin; }
  void SetWidthMin(int Value);
  int WidthMax() const { return FWidthMax; }
  void SetWidthMax(int Value);
  // The width stretching distributes from: TrueWidth outside stretch mode (writing it writes
  // Width); the column's base width in stretch mode.
  int WidthBase();
  void SetWidthBase(int Value);

  // ---- Nesting (KelColumnNesting.cpp) ---------------------------------------------------------
  // Number of following columns nested under this one.
  int ExpandCols() const { return FExpandCols; }
  void SetExpandCols(int Value);
  // An object field (ftADT, ftArray) or ExpandCols > 0.
  bool Expandable() const;
  // Nested columns show instead of this one: the own flag of an expandable column.
  bool Expanded() const;
  void SetExpanded(bool Value);
  // The own flag and the parent's Visible.
  bool Visible() const;
  void SetVisible(bool Value);
  // Part of the layout: not expanded, visible, every ancestor expanded.
  bool Showing() const;
  // The column or the group it heads is on screen: Visible and every ancestor expanded.
  bool Visibility() const;
  // The column this one is nested under; null at the top.
  TKelColumn* ParentColumn() const;
  // Number of ancestors.
  int Depth() const;
  // Index of the last column of the group this column heads (its own index without nested ones).
  int ExpandIndex() const;
  // Width of the group's showing columns, each with its column line; 0 for an invisible column.
  int ExpandWidth();
  // Moves the column (with its group); see SetIndex.
  void MoveTo(int Index) { SetIndex(Index); }
  // A column the user made moves with its group; a column the grid built moves its field.
  void SetIndex(int Value) override;
  // A column moved into another grid's set tells that grid of the components it refers to.
  void SetCollection(TCollection* Value) override;
  // Hands Expanded, Visible and the true width to the column at the same index of the grid's
  // managed (linked) grid.
  void Synchronize();

  // ---- Title and totals -----------------------------------------------------------------------
  TKelColumnTitle* Title() const;
  void SetTitle(TKelColumnTitle* Value) { Title()->Assign(Value); }
  TKelColumnTotalHeader* TotalHeader() const;
  void SetTotalHeader(TKelColumnTotalHeader* Value) { TotalHeader()->Assign(Value); }
  TKelColumnTotalValues* TotalValues() const;
  void SetTotalValues(TKelColumnTotalValues* Value) { TotalValues()->Assign(Value); }
  TKelColumnTotalFields* TotalFields() const;
  void SetTotalFields(TKelColumnTotalFields* Value) { TotalFields()->Assign(Value); }
  TKelColumnTotalFooter* TotalFooter() const;
  void SetTotalFooter(TKelColumnTotalFooter* Value) { TotalFooter()->Assign(Value); }
  // A total of the column changed: its band cells repaint; without a total (value rows added or
  // removed) the grid lays out again (KelTotalsBand.cpp).
  virtual void TotalChanged(TKelColumnTotal* Total);
  // The total object at band row r (header, value item, field values, footer); null for none.
  TKelColumnTotal* GetTotalRows(int r) const;
  // The same when it is a value total.
  TKelColumnTotalValue* GetTotalValueRows(int r) const;

  // ---- Plain settings -------------------------------------------------------------------------
  bool AutoNumber() const { return FAutoNumber; }
  void SetAutoNumber(bool Value);
  TKelColumnButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TKelColumnButtonStyle Value);
  TCalendarDepth CalendarDepth() const { return FCalendarDepth; }
  void SetCalendarDepth(TCalendarDepth Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  // Excludes ExpandBox; limits ImageDraw to idAlignment, idOpposite, idCenter.
  bool CheckBox() const { return FCheckBox; }
  void SetCheckBox(bool Value);
  TCheckBoxKind CheckBoxKind() const { return FCheckBoxKind; }
  void SetCheckBoxKind(TCheckBoxKind Value);
  TCheckBoxStyle CheckBoxStyle() const { return FCheckBoxStyle; }
  void SetCheckBoxStyle(TCheckBoxStyle Value);
  bool CheckBoxThemed() const { return FCheckBoxThemed; }
  void SetCheckBoxThemed(bool Value);
  TCheckBoxToggle CheckBoxToggle() const { return FCheckBoxToggle; }
  void SetCheckBoxToggle(TCheckBoxToggle Value);
  // Checked and unchecked value separated by ";"; empty restores the default, the platform's
  // texts for true and false joined by ";".
  const String& CheckBoxValues() const { return FCheckBoxValues; }
  void SetCheckBoxValues(const String& Value);
  Char DelimiterChar() const { return FDelimiterChar; }
  void SetDelimiterChar(Char Value);
  bool DelimiterLine() const { return FDelimiterLine; }
  void SetDelimiterLine(bool Value);
  TDialogOptions DialogOptions() const { return FDialogOptions; }
  void SetDialogOptions(TDialogOptions Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int Value);
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value);
  bool EditMemo() const { return FEditMemo; }
  void SetEditMemo(bool Value);
  const String& EditorHint() const { return FEditorHint; }
  void SetEditorHint(const String& Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  // Excludes CheckBox and sets Transparent; limits ImageDraw like CheckBox.
  bool ExpandBox() const { return FExpandBox; }
  void SetExpandBox(bool Value);
  TExpandBoxSize ExpandBoxSize() const { return FExpandBoxSize; }
  void SetExpandBoxSize(TExpandBoxSize Value);
  bool ExpandBoxThemed() const { return FExpandBoxThemed; }
  void SetExpandBoxThemed(bool Value);
  TExpandBoxToggle ExpandBoxToggle() const { return FExpandBoxToggle; }
  void SetExpandBoxToggle(TExpandBoxToggle Value);
  TKelColumnExpandStyle ExpandStyle() const { return FExpandStyle; }
  void SetExpandStyle(TKelColumnExpandStyle Value);
  // Values offered by the title's filter list.
  TStrings* FilterList() const;
  void SetFilterList(TStrings* Value);
  const String& FilterText() const { return FFilterText; }
  void SetFilterText(const String& Value);
  // FilterList or FilterText holds a condition.
  bool Filtered() const;
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TImageDraw ImageDraw() const { return FImageDraw; }
  void SetImageDraw(TImageDraw Value);
  int ImageMargin() const { return FImageMargin; }
  void SetImageMargin(int Value);
  int ImageOffsetX() const { return FImageOffsetX; }
  void SetImageOffsetX(int Value);
  int ImageOffsetY() const { return FImageOffsetY; }
  void SetImageOffsetY(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TKelListOptions ListOptions() const { return FListOptions; }
  void SetListOptions(TKelListOptions Value);
  // Adds (On) or removes the given options.
  void SwitchListOptions(TKelListOptions Value, bool On);
  // The lookup settings follow the field's while not set (a lookup field's data set, key,
  // result; LookupListFields its result field).
  TDataSet* LookupDataSet() const;
  void SetLookupDataSet(TDataSet* Value);
  String KeyField() const;
  void SetKeyField(const String& Value);
  String LookupKeyField() const;
  void SetLookupKeyField(const String& Value);
  String LookupResultField() const;
  void SetLookupResultField(const String& Value);
  String LookupListFields() const;
  void SetLookupListFields(const String& Value);
  const String& LookupListTitles() const { return FLookupListTitles; }
  void SetLookupListTitles(const String& Value);
  const String& LookupListWidths() const { return FLookupListWidths; }
  void SetLookupListWidths(const String& Value);
  // The column's list allows several values: loMultiSelectList, a string or memo field, and a
  // lookup key column or active pick data.
  bool MultiSelectList() const { return GetMultiSelectList(); }
  TMultiSelectText MultiSelectText() const { return FMultiSelectText; }
  void SetMultiSelectText(TMultiSelectText Value);
  // Created on first use; RestoreDefaults frees it.
  TStrings* PickList() const;
  void SetPickList(TStrings* Value);
  TKelPickOptions PickOptions() const { return FPickOptions; }
  void SetPickOptions(TKelPickOptions Value);
  void SwitchPickOptions(TKelPickOptions Value, bool On);
  TStrings* PickText() const;
  void SetPickText(TStrings* Value);
  // Empty means DefPickTextFormat.
  const String& PickTextFormat() const { return FPickTextFormat; }
  void SetPickTextFormat(const String& Value);
  // PickList has an item.
  bool PickListActive() const;
  // poSelectPickText and PickText has an item.
  bool PickTextActive() const;
  // The lines matching item indexes (PickText while pick text is active, else PickList) exist.
  bool PickDataActive() const;
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  bool QuickDraw() const { return FQuickDraw; }
  void SetQuickDraw(bool Value);
  bool ShowBlob() const { return FShowBlob; }
  void SetShowBlob(bool Value);
  bool ShowEdit() const { return FShowEdit; }
  void SetShowEdit(bool Value);
  bool SuppressRTL() const { return FSuppressRTL; }
  void SetSuppressRTL(bool Value);
  bool ToolTips() const { return FToolTips; }
  void SetToolTips(bool Value);
  TToolTipsWidth ToolTipsWidth() const { return FToolTipsWidth; }
  void SetToolTipsWidth(TToolTipsWidth Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor Value);
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool Wallpaper() const { return FWallpaper; }
  void SetWallpaper(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // ---- Derived queries ------------------------------------------------------------------------
  bool LookupActive() const { return LookupColumn() != lcNotDefined; }
  bool CalendarActive() const;
  bool HasDropDownButton() const;
  bool HasExpandableButton() const;
  bool HasExpandButton() const;
  bool HasFilterButton() const;
  bool UseRightToLeftAlignment() const;
  // ShowEdit, and neither a check-box, an expand-box nor an auto-number column.
  virtual bool CanEditShow() const;
  // A click on a check-box cell acts on the box.
  virtual bool CanCellTrack() const { return FCheckBox; }
  virtual bool IsExpandableBox() const { return FExpandBox; }
  // The active record is the one whose expand box the grid holds open (one record per grid).
  virtual bool IsExpandedBox() const;
  // Opens the active record's expand box (closing any other) or closes it, repaints and tells
  // the grid (OnCellExpand).
  virtual void ToggleExpandBox();

  // ---- Cell text (KelColumnText.cpp) ----------------------------------------------------------
  // The text painted for the active record: the field's display text (a memo's whole text with
  // ShowBlob) through the grid's ColGetText; empty without a field (an auto-number column shows
  // its number all the same).
  String GetDisplayText() const;
  // The text the editor starts with: the field's edit text (a memo's whole text with EditMemo,
  // unless the field has an OnGetText handler) through ColGetText.
  String GetEditText() const;
  // Writes an edited text to the field through ColSetText; nothing when it is the text shown.
  void SetEditText(const String& Value);
  // The display form of a cell's text: a multi-value column shown with mstEllipsis gives "..."
  // for no value and the first value followed by " ..." for several.
  virtual String FormatText(const String& Text) const;
  // PickTextFormat (DefPickTextFormat when empty) applied to pick text Index, pick list value
  // Index (each empty when the list is shorter) and Index.
  String FormatPickText(int Index) const;
  // The lines item indexes refer to: while pick text is active the pick texts, or their
  // formatted lines with poFormatPickText (not poFormatListOnly); else the pick list.
  TStrings* PickData() const;
  // The lines the drop-down list offers: as PickData, formatted with poFormatPickText alone.
  TStrings* PickDataList() const;
  // Index of the active record's value among the pick values (or an item number the field
  // stores with poStoreItemIndex); -1 when none.
  int PickIndex() const;
  // The active record's value, as the column shows it for editing, is the checked (Checked) or
  // the unchecked value of CheckBoxValues (letter case ignored). Without a field: whether the
  // current row's selection equals Checked; false while the data link is inactive.
  bool IsCheckBoxValue(bool Checked) const;
  // The glyph of the check state (0 unchecked, 1 checked, 2 grayed) in the row of CheckBoxKind;
  // the state alone when the column's Images have no such image.
  int GetCheckBoxImageIndex() const;
  // Stores the unchecked value in a checked cell and the checked value in any other, when the
  // grid lets the column change its field.
  void ToggleCheckBoxValue();

  // The texts found for lookup keys so far (see KelCellTextPrivate.h); made on first use.
  TLookupTextCache& LookupTexts() const;

  // Columns the user made or streamed are stored; the grid's default columns are not.
  bool IsStored() const { return FStored; }
  // Every published setting back to its default, assigned values cleared, pick list freed;
  // Visible, Expanded, FieldName and the stored flag stay.
  virtual void RestoreDefaults();
  // Copies every setting of another column.
  void Assign(TPersistent* Source) override;

 protected:
  virtual std::unique_ptr<TKelColumnTitle> CreateTitle();
  virtual std::unique_ptr<TKelColumnTotalFields> CreateTotalFields();
  virtual std::unique_ptr<TKelColumnTotalFooter> CreateTotalFooter();
  virtual std::unique_ptr<TKelColumnTotalHeader> CreateTotalHeader();
  virtual std::unique_ptr<TKelColumnTotalValues> CreateTotalValues();
  virtual bool GetMultiSelectList() const;
  // The column's filter changed: the titles repaint and the grid's filter follows.
  virtual void FilterChanged();

 private:
  friend class TKelColumnTitle;
  friend class TKelColumnTotal;
  friend class TKelDBGridColumns;
  friend class TKelCustomDBGrid;

  // Reports a change of this column to the collection (the grid repaints it); AllItems asks for
  // a new layout instead.
  void ColumnChanged(bool AllItems = false) { Changed(AllItems); }
  // The published settings that are neither assignable nor the column's identity and nesting.
  void CopySettings(const TKelColumn& Source);
  // A change that the in-place editor shows.
  void EditorChanged();
  // PickList, PickText or PickTextFormat changed: the formatted lines go, the editor follows.
  void PickChanged();
  // The formatted pick lines, built on first use (KelColumnText.cpp).
  TStrings* FormattedPickText() const;
  void Assigned(TKelColumnValue Value) { FAssignedValues += Value; }
  bool IsAssigned(TKelColumnValue Value) const { return FAssignedValues.Contains(Value); }
  void FontChanged();
  TFont* FontForStreaming();
  bool IsAlignmentStored() const;
  bool IsColorStored() const;
  bool IsFontStored() const;
  bool IsImeModeStored() const;
  bool IsImeNameStored() const;
  bool IsReadOnlyStored() const;
  bool IsCheckBoxValuesStored() const;
  bool IsTransparentStored() const;
  // ImageDraw as check-box and expand-box columns allow it.
  void LimitImageDraw();
  // A reference to a component the grid is told about when it is freed.
  template <typename T>
  void SetReference(T*& Field, T* Value);
  // Drops references to a component being freed.
  void ComponentRemoved(TComponent* AComponent);
  // Asks every component the column, its title and its totals refer to for a free
  // notification to Grid.
  void RegisterReferences(TKelCustomDBGrid* Grid);
  // The lookup settings of the bound lookup field, when it is one.
  TField* LookupFieldOf() const;
  // Nesting helpers (KelColumnNesting.cpp).
  void NestingChanged();
  TKelColumn* ColumnAt(int Index) const;
  bool IsDescendantOf(const TKelColumn* Ancestor) const;
  void MoveGroup(int Target);
  void MoveField(int Target);
  // Width helpers (KelColumnWidth.cpp).
  bool WidthAssigned() const { return IsAssigned(cvWidth); }
  bool StretchMode() const;
  bool GridStreaming() const;
  bool GridReading() const;
  void WriteBackDisplayWidth(int Value);
  int ClampWidth(int Value) const;
  // Bounds, base width, assigned width and assigned fonts by M/D (ScaleColumnsBy).
  void ScaleBy(int M, int D);

  // ---- Binding ----
  mutable TField* FField = nullptr;  // bound field; not owned, cleared by the grid's Notification
  String FFieldName;                 // name (full name for nested fields) of the field shown
  bool FStored = true;               // false for columns the grid built from the fields

  // ---- Owned parts (made on first use through the Create... factories) ----
  mutable std::unique_ptr<TKelColumnTitle> FTitle;
  mutable std::unique_ptr<TKelColumnTotalHeader> FTotalHeader;
  mutable std::unique_ptr<TKelColumnTotalValues> FTotalValues;
  mutable std::unique_ptr<TKelColumnTotalFields> FTotalFields;
  mutable std::unique_ptr<TKelColumnTotalFooter> FTotalFooter;
  TKelDefaultedFont FFont{[this] { FontChanged(); }};  // follows DefaultFont while cvFont is unassigned
  mutable std::unique_ptr<TStringList> FPickList;  // created on first use
  // The pick texts formatted with PickTextFormat, one per pick text: built on first use by the
  // cell text, dropped whenever PickList, PickText or PickTextFormat change.
  mutable std::unique_ptr<TStringList> FFormattedPickText;
  mutable std::unique_ptr<TLookupTextCache> FLookupTexts;
  std::unique_ptr<TStringList> FPickText;
  std::unique_ptr<TStringList> FFilterList;

  // ---- Assignable values (meaningful while their bit is in FAssignedValues) ----
  TKelColumnValues FAssignedValues;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clWindow;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;                 // the platform has no default input method: empty
  bool FReadOnly = false;
  int FWidth = 0;

  // ---- Plain settings ----
  bool FAutoNumber = false;
  TKelColumnButtonStyle FButtonStyle = cbsAuto;
  TCalendarDepth FCalendarDepth = cdDecade;
  TEditCharCase FCharCase = ecNormal;
  bool FCheckBox = false;
  TCheckBoxKind FCheckBoxKind = ckCheck;
  TCheckBoxStyle FCheckBoxStyle = cbAuto;
  bool FCheckBoxThemed = false;
  TCheckBoxToggle FCheckBoxToggle = ctOnCellClick;
  String FCheckBoxValues;               // set to the default by the constructor
  Char FDelimiterChar = U',';
  bool FDelimiterLine = false;
  TDialogOptions FDialogOptions{doShowColumn, doItemEnabled};
  TPopupMenu* FDropDownMenu = nullptr;  // not owned; cleared by the grid's Notification
  int FDropDownRows = 0;                // 0 leaves it to the list
  int FDropDownWidth = 0;               // 0 leaves it to the list
  bool FEditMemo = true;
  String FEditorHint;
  bool FEllipsis = true;
  bool FExpandBox = false;
  TExpandBoxSize FExpandBoxSize = ebSmall;
  bool FExpandBoxThemed = false;
  TExpandBoxToggle FExpandBoxToggle = etOnCellClick;
  TKelColumnExpandStyle FExpandStyle = cesAuto;
  String FFilterText;
  String FHint;
  TImageDraw FImageDraw = idCenter;
  int FImageMargin = 0;                 // pixels beside the text; 0 = the image takes the cell
  int FImageOffsetX = 0;
  int FImageOffsetY = 0;
  TImageList* FImages = nullptr;        // not owned; cleared by the grid's Notification
  TKelListOptions FListOptions = DefaultListOptions;
  TDataSet* FLookupDataSet = nullptr;   // not owned; null = the lookup field's
  String FKeyField;                     // empty = the lookup field's
  String FLookupKeyField;               // empty = the lookup field's
  String FLookupResultField;            // empty = the lookup field's
  String FLookupListFields;             // empty = the lookup field's result field
  String FLookupListTitles;
  String FLookupListWidths;
  TMultiSelectText FMultiSelectText = mstEllipsis;
  TKelPickOptions FPickOptions = DefaultPickOptions;
  String FPickTextFormat;
  TPopupMenu* FPopupMenu = nullptr;     // not owned; cleared by the grid's Notification
  bool FQuickDraw = true;
  bool FShowBlob = true;
  bool FShowEdit = true;
  bool FSuppressRTL = false;
  bool FToolTips = true;
  TToolTipsWidth FToolTipsWidth = ttAutoWidth;
  bool FTransparent = false;
  TColor FTransparentColor = clNone;
  TVAlignment FVAlignment = tvCenter;
  bool FWallpaper = false;
  bool FWordWrap = true;

  // ---- Width bounds and stretching ----
  int FWidthMin = -1;          // -1 = no bound
  int FWidthMax = -1;          // -1 = no bound
  int FStretchBase = 64;       // base width stretching distributes from (stretch mode)
  std::uint8_t FStretchState = 0;  // during StretchGrid: 0 free, 1..4 fixed at a bound

  // ---- Nesting ----
  int FExpandCols = 0;         // following columns nested under this one
  bool FExpanded = true;       // own flag; Expanded needs an expandable column too
  bool FVisible = true;        // own flag; Visible needs a visible parent too
};

}  // namespace kel

// Users of columns always get their collection too.
#include "KelDBGrids/KelDBGridColumns.h"
