// TKelColumnTitle: the title cell of a column: caption, look, title button settings, sort
// marker, and the column's part of the multi-level header band above the titles.
//
// Caption, colour, alignment and font are assignable: the assigned values live in the owning
// column's set (cvTitleCaption, cvTitleColor, cvTitleAlignment, cvTitleFont).
//
// Header holds segments separated by "|", the first being the top level: "Sales|2024" puts the
// column under "Sales" on the first band and "2024" on the second. Neighbouring columns whose
// segments are equal up to a level share that band cell.
#pragma once

#include <memory>

#include "KelDBGrids/KelAssignable.h"
#include "KelDBGrids/KelColumnTypes.h"
#include "platform/graphics/Graphics.h"

namespace kel {

class TKelColumn;
class TKelCustomDBGrid;
class TPopupMenu;

class TKelColumnTitle : public TPersistent {
  KEL_CLASS(TKelColumnTitle, TPersistent)

 public:
  explicit TKelColumnTitle(TKelColumn* AColumn);
  ~TKelColumnTitle() override;
  // Published (19): Alignment, AutoFilter, AutoToggle, Button, Caption, Color, DropDownMenu,
  // Ellipsis, Font, Header, HeaderHint, Hint, ImageIndex, Marker, MarkerIndex, OrderIndex (not
  // stored), PopupMenu, VAlignment, WordWrap.
  static const TPropList& PublishedProperties();

  TKelColumn* Column() const { return FColumn; }

  // ---- Assignable (default while unassigned) ----
  // taLeftJustify.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  // The field's DisplayName (for a lookup value column, that of the lookup result field); the
  // column's FieldName without a field.
  String Caption() const;
  void SetCaption(const String& Value);
  String DefaultCaption() const;
  // The grid's FixedColor; clBtnFace without a grid.
  TColor Color() const;
  void SetColor(TColor Value);
  TColor DefaultColor() const;
  // The grid's TitleFont; the column's Font without a grid. Reading it makes an unassigned font
  // equal to its default without reporting a change.
  TFont* Font();
  void SetFont(TFont* Value) { FFont.Get()->Assign(Value); }
  TFont* DefaultFont() const;
  // Copies the default font into an unassigned font (no change report).
  void RefreshDefaultFont();
  // The assignable settings are streamed when assigned and different from their defaults.
  bool IsAlignmentStored() const;
  bool IsCaptionStored() const;
  bool IsColorStored() const;
  bool IsFontStored() const;

  // ---- Plain settings ----
  bool AutoFilter() const { return FAutoFilter; }
  void SetAutoFilter(bool Value);
  bool AutoToggle() const { return FAutoToggle; }
  void SetAutoToggle(bool Value);
  bool Button() const { return FButton; }
  void SetButton(bool Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  const String& Header() const { return FHeader; }
  // A change of the band count re-lays the grid out.
  void SetHeader(const String& Value);
  const String& HeaderHint() const { return FHeaderHint; }
  void SetHeaderHint(const String& Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  // Index into the grid's TitleImages; -1 = none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // ---- Sort marker ----
  // TODO(ordering): the setters keep the values; the grid's order fields and the collection's
  // order list follow them once ordering is built.
  TMarker Marker() const { return FMarker; }
  void SetMarker(TMarker Value);
  // Index into the grid's TitleMarkers; -1 = not in the order.
  int MarkerIndex() const { return FMarkerIndex; }
  void SetMarkerIndex(int Value);
  // Position of the column in the grid's order; -1 = not in it.
  int OrderIndex() const { return FOrderIndex; }
  void SetOrderIndex(int Value);

  // ---- Header bands ----
  // Number of "|" plus one; 0 for an empty header.
  int GetHeaderRowCount() const;
  // Segment Index (from 0, the top level) of Header / HeaderHint; empty when missing.
  String GetHeaderRows(int Index) const;
  String GetHeaderHintRows(int Index) const;
  // The band cell at level Index continues into the showing column on the left (right): both
  // have the same non-empty segments on every level down to Index.
  bool HeaderLeft(int Index) const;
  bool HeaderRight(int Index) const;

  // Every setting back to its default and the title's assigned values cleared.
  void RestoreDefaults();
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  friend class TKelColumn;
  TKelCustomDBGrid* Grid() const;
  bool IsAssigned(TKelColumnValue Value) const;
  void Assigned(TKelColumnValue Value);
  void FontChanged();
  TFont* FontForStreaming();
  // True when the showing column Offset places away shares the band cell at level Index.
  bool SharesHeaderWith(int Offset, int Index) const;
  void MenuRemoved(TComponent* AComponent);
  void RegisterMenus(TKelCustomDBGrid* Grid) const;

  TKelColumn* FColumn;                    // owner
  TKelDefaultedFont FFont{[this] { FontChanged(); }};  // follows DefaultFont while cvTitleFont is unassigned
  String FCaption;                        // meaningful while cvTitleCaption is assigned
  TColor FColor = clBtnFace;              // meaningful while cvTitleColor is assigned
  TAlignment FAlignment = taLeftJustify;  // meaningful while cvTitleAlignment is assigned
  bool FAutoFilter = true;                // the title offers the column's filter list
  bool FAutoToggle = true;                // a click toggles the sort marker
  bool FButton = true;                    // the title acts as a button
  TPopupMenu* FDropDownMenu = nullptr;    // not owned; cleared by the grid's Notification
  bool FEllipsis = true;
  String FHeader;                         // band segments separated by "|"
  String FHeaderHint;                     // hints of the band segments, split likewise
  String FHint;
  int FImageIndex = -1;
  TMarker FMarker = tmNone;
  int FMarkerIndex = -1;
  int FOrderIndex = -1;
  TPopupMenu* FPopupMenu = nullptr;       // not owned; cleared by the grid's Notification
  TVAlignment FVAlignment = tvCenter;
  bool FWordWrap = true;
};

}  // namespace kel
