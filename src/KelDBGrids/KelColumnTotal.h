// The total-row objects of a column: TKelColumnTotal (base of every total object), the value
// total TKelColumnTotalValue with its header and footer forms, the collection of value rows
// TKelColumnTotalValues, and the field-values row TKelColumnTotalFields.
//
// Each column owns one header, one footer, one field-values object and a collection of value
// rows, made through the column's Create... factories. KelColumnTotal.cpp holds their settings
// and defaults, KelColumnTotalText.cpp what they show (field binding, captions, formatting,
// design-time names), KelTotalsEngine.cpp how a value total is calculated.
//
// Like a column's, a total's colour, caption, alignment and font are assignable: until assigned
// they follow the grid's Totals (or, for the alignment, the column), and they are streamed only
// when assigned and different from that default.
#pragma once

#include <memory>

#include "KelDBGrids/KelAssignable.h"
#include "KelDBGrids/KelColumnTypes.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TKelColumn;
class TKelCustomDBGrid;
class TPopupMenu;

class TKelColumnTotal : public TCollectionItem {
  KEL_CLASS(TKelColumnTotal, TCollectionItem)

 public:
  // An item of a column's value rows (the collection knows the column).
  explicit TKelColumnTotal(TCollection* ACollection);
  // A total owned directly by AColumn (header, footer, field values).
  explicit TKelColumnTotal(TKelColumn* AColumn);
  ~TKelColumnTotal() override;
  // Published: Alignment, Color, Ellipsis, Font, Hint, PopupMenu, TotalBox, VAlignment, Visible,
  // WordWrap.
  static const TPropList& PublishedProperties();

  TKelColumn* Column() const { return FColumn; }
  TKelCustomDBGrid* Grid() const;

  // ---- Assignable (default while unassigned) ----
  // The column's Alignment.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  TAlignment DefaultAlignment() const;
  // The grid totals' Color; clBtnFace without a grid.
  TColor Color() const;
  void SetColor(TColor Value);
  TColor DefaultColor() const;
  // The grid totals' Font; the column's font without a grid. Reading it makes an unassigned
  // font equal to its default without reporting a change.
  TFont* Font();
  void SetFont(TFont* Value) { FFont.Get()->Assign(Value); }
  TFont* DefaultFont() const;
  // Copies the default font into an unassigned font (no change report).
  void RefreshDefaultFont();
  TKelColumnValues AssignedValues() const { return FAssignedValues; }

  // ---- Plain settings ----
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  bool ToolTips() const { return FToolTips; }
  void SetToolTips(bool Value);
  TToolTipsWidth ToolTipsWidth() const { return FToolTipsWidth; }
  void SetToolTipsWidth(TToolTipsWidth Value);
  TTotalBox TotalBox() const { return FTotalBox; }
  void SetTotalBox(TTotalBox Value);
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // ---- Unpublished here, published by the descendants that use them ----
  // The caption text: an assigned caption, or the formatted value.
  const String& Caption() const { return FCaption; }
  virtual void SetCaption(const String& Value);
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TTotalResult TotalResult() const { return FTotalResult; }
  virtual void SetTotalResult(TTotalResult Value);

  // ---- What the total shows (KelColumnTotalText.cpp) ----
  // The field read: for trDataField and trCalcValue of the grid's data set (by FieldName, else
  // the column's FieldName), for trTotalField of the totals data set. Bound on first read,
  // unbound when FieldName or TotalResult changes and at every layout of the grid.
  TField* Field() const;
  virtual void SetField(TField* Value);
  // The caption text; of "first|second" the second while the totals are Selected.
  String GetCaption() const;
  // The text of the total by TotalResult (trTotalField: of the totals data set's first record).
  virtual String GetDisplayText();

  // Every setting back to its default; the caption text and value are cleared.
  virtual void RestoreDefaults();
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 protected:
  // Reports a change of this total to its column (repaints its cells).
  void TotalChanged();
  // A setting the calculation depends on changed: repaints, and a calculated total updates the
  // totals (UpdateTotals(true)).
  void CalcSettingChanged();
  // Drops references to a menu or field being freed.
  friend class TKelColumn;
  friend class TKelCustomDBGrid;
  void ComponentRemoved(TComponent* AComponent);
  // The data set the field is looked up in.
  TDataSet* FieldDataSet() const;
  // Reads the bound field's DisplayText on record Index of the totals data link's window.
  String TotalFieldText(int Index) const;
  void RegisterMenus(TKelCustomDBGrid* Grid) const;

  TKelColumnValues FAssignedValues;  // cvTotalColor, cvTotalCaption, cvTotalAlignment, cvTotalFont
  String FCaption;                   // caption text (assigned, or the formatted value)
  TTotalResult FTotalResult = trCaption;

 private:
  void Init();
  void FontChanged();
  bool IsAlignmentStored() const;
  bool IsColorStored() const;
  bool IsFontStored() const;
  TFont* FontForStreaming();

  TKelColumn* FColumn;                // owning column; fixed at creation
  TKelDefaultedFont FFont{[this] { FontChanged(); }};  // follows DefaultFont while cvTotalFont is unassigned
  TAlignment FAlignment = taLeftJustify;  // meaningful while cvTotalAlignment is assigned
  TColor FColor = clBtnFace;          // meaningful while cvTotalColor is assigned
  bool FEllipsis = true;
  String FHint;
  TPopupMenu* FPopupMenu = nullptr;   // not owned; cleared by the grid's Notification
  bool FToolTips = true;
  TToolTipsWidth FToolTipsWidth = ttAutoWidth;
  TTotalBox FTotalBox = tbAuto;
  TVAlignment FVAlignment = tvCenter;
  bool FVisible = true;
  bool FWordWrap = true;
  String FFieldName;                  // field to read; empty = the column's field
  mutable TField* FField = nullptr;   // bound field, not owned; null until bound (see Field)
  int FImageIndex = -1;               // image of the totals' Images; -1 = none
};

// A total that shows a caption, a field value or a calculated value: the class of the header,
// the footer and each value row.
class TKelColumnTotalValue : public TKelColumnTotal {
  KEL_CLASS(TKelColumnTotalValue, TKelColumnTotal)

 public:
  explicit TKelColumnTotalValue(TCollection* ACollection) : TKelColumnTotal(ACollection) {}
  explicit TKelColumnTotalValue(TKelColumn* AColumn) : TKelColumnTotal(AColumn) {}
  // Published: CalcApply, CalcValue, Caption, FieldName, Format, FormatAsFloat, ImageIndex,
  // NullValue, ToolTips, ToolTipsWidth, TotalRecNo, TotalResult; Value as the pseudo-property
  // "Value" (a list of its type name and its value).
  static const TPropList& PublishedProperties();

  TCalcApply CalcApply() const { return FCalcApply; }
  void SetCalcApply(TCalcApply Value);
  TCalcValue CalcValue() const { return FCalcValue; }
  void SetCalcValue(TCalcValue Value);
  // Assigning a caption makes Value unassigned.
  void SetCaption(const String& Value) override;
  const String& Format() const { return FFormat; }
  void SetFormat(const String& Value);
  bool FormatAsFloat() const { return FFormatAsFloat; }
  void SetFormatAsFloat(bool Value);
  TNullValue NullValue() const { return FNullValue; }
  void SetNullValue(TNullValue Value);
  int TotalRecNo() const { return FTotalRecNo; }
  // Values below 1 become 1.
  void SetTotalRecNo(int Value);
  const Variant& Value() const { return FValue; }
  // Stores the value and shows it: the caption text becomes FormatValue(Value), which is not an
  // assigned caption.
  void SetValue(const Variant& Value);
  // Text of a value in the caption, by Format (see KelColumnTotalText.cpp).
  virtual String FormatValue(const Variant& Value);
  // Format, of "first|second" the second while the totals are Selected.
  String GetFormat() const;
  // The name the total shows at design time: "Sum(Qty)", "DataField: Name", "<None>", ...
  String GetDisplayName() override;

  // ---- Calculation (KelTotalsEngine.cpp) ----
  // One pass of the calculation; answers whether the total took part.
  virtual bool DoCalcValue(TCalcPass Pass);
  // A trCalcValue total that a whole-data-set pass would feed (CalcApply fits the selection).
  bool TakesPartInRecords() const;
  // The aggregate the data set can compute for this total, if its kind has one.
  bool AggregateRequest(TAggregateRequest& Request) const;
  // The result the data set computed: the final pass shows it and the record passes skip it.
  void SetComputedResult(const Variant& Value);
  bool ResultComputed() const { return FResultComputed; }

  void RestoreDefaults() override;
  void Assign(TPersistent* Source) override;

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  bool IsCaptionStored() const;
  bool IsValueStored() const;
  void ReadValue(TReader* Reader);
  void WriteValue(TWriter* Writer) const;
  // cpCalcRec: the current record's value, through OnTotalCalcValue and NullValue.
  void AddRecord();
  void Accumulate(const Variant& Value);

  TCalcApply FCalcApply = caBoth;
  TCalcValue FCalcValue = cvSum;
  String FFormat;
  bool FFormatAsFloat = false;
  TNullValue FNullValue = nvExclude;
  int FTotalRecNo = 1;   // record of the totals data set shown by trTotalField, >= 1
  Variant FValue;        // the value shown; unassigned until set

  // ---- Running calculation (from cpReset to cpFinal of one recalculation) ----
  Variant FAccumulator;          // the value being built
  int FCounter = 0;              // records counted
  bool FResultComputed = false;  // FAccumulator is the data set's final result
};

class TKelColumnTotalHeader : public TKelColumnTotalValue {
  KEL_CLASS(TKelColumnTotalHeader, TKelColumnTotalValue)

 public:
  explicit TKelColumnTotalHeader(TKelColumn* AColumn) : TKelColumnTotalValue(AColumn) {}
};

class TKelColumnTotalFooter : public TKelColumnTotalValue {
  KEL_CLASS(TKelColumnTotalFooter, TKelColumnTotalValue)

 public:
  explicit TKelColumnTotalFooter(TKelColumn* AColumn) : TKelColumnTotalValue(AColumn) {}
};

// The field-values rows: consecutive records of the totals data set; always trTotalField.
class TKelColumnTotalFields : public TKelColumnTotal {
  KEL_CLASS(TKelColumnTotalFields, TKelColumnTotal)

 public:
  explicit TKelColumnTotalFields(TKelColumn* AColumn);
  // Published: FieldName.
  static const TPropList& PublishedProperties();

  // The result stays trTotalField.
  void SetTotalResult(TTotalResult Value) override {}
  void RestoreDefaults() override;
};

// The value rows of a column.
class TKelColumnTotalValues : public TCollectionOf<TKelColumnTotalValue> {
  KEL_CLASS(TKelColumnTotalValues, TCollection)

 public:
  explicit TKelColumnTotalValues(TKelColumn* AColumn);
  TKelColumn* Column() const { return FColumn; }
  // Every row back to its defaults; the rows stay.
  void RestoreDefaults();

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TKelColumn* FColumn;  // owner
};

}  // namespace kel
