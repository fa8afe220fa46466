// The published-property tables of the column model: TKelColumn (78), TKelColumnTitle (19), the
// total objects and TKelColumnsWrapper.
//
// The order of a table is the order a stream is written and read in, so a property comes after
// those its setter looks at: FieldName before Width (an unassigned width compares with the
// field's default width), CheckBox and ExpandBox before ImageDraw and Transparent.
//
// Assignable properties are stored only when assigned and different from their default; fonts
// are read onto a new font while a stream is read (see FontForStreaming).
#include "KelDBGrids/KelColumn.h"
#include "platform/db/DB.h"
#include "platform/grids/Grids.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

String DelimiterText(TKelColumn* Column) { return Utf8Encode(Column->DelimiterChar()); }

void SetDelimiterText(TKelColumn* Column, const String& Value) {
  if (CharLength(Value) != 1) throw EConvertError("DelimiterChar takes one character, not '" + Value + "'");
  Column->SetDelimiterChar(CharAt(Value, 1));
}

}  // namespace

const TPropList& TKelColumn::PublishedProperties() {
  using C = TKelColumn;
  static const TPropList list = PropertyTable<C>()
      .Enum("Alignment", &C::Alignment, &C::SetAlignment)
      .Boolean("AutoNumber", &C::AutoNumber, &C::SetAutoNumber, false)
      .Enum("ButtonStyle", &C::ButtonStyle, &C::SetButtonStyle, cbsAuto)
      .Enum("CalendarDepth", &C::CalendarDepth, &C::SetCalendarDepth, cdDecade)
      .Enum("CharCase", &C::CharCase, &C::SetCharCase, ecNormal)
      .Boolean("CheckBox", &C::CheckBox, &C::SetCheckBox, false)
      .Enum("CheckBoxKind", &C::CheckBoxKind, &C::SetCheckBoxKind, ckCheck)
      .Enum("CheckBoxStyle", &C::CheckBoxStyle, &C::SetCheckBoxStyle, cbAuto)
      .Boolean("CheckBoxThemed", &C::CheckBoxThemed, &C::SetCheckBoxThemed, false)
      .Enum("CheckBoxToggle", &C::CheckBoxToggle, &C::SetCheckBoxToggle, ctOnCellClick)
      .String("CheckBoxValues", &C::CheckBoxValues, &C::SetCheckBoxValues)
      .Integer("Color", &C::Color, &C::SetColor)
      .String("DelimiterChar", &DelimiterText, &SetDelimiterText, ",")
      .Boolean("DelimiterLine", &C::DelimiterLine, &C::SetDelimiterLine, false)
      .Set("DialogOptions", &C::DialogOptions, &C::SetDialogOptions,
           TDialogOptions{doShowColumn, doItemEnabled})
      .Object("DropDownMenu", &C::DropDownMenu, &C::SetDropDownMenu)
      .Integer("DropDownRows", &C::DropDownRows, &C::SetDropDownRows, 0)
      .Integer("DropDownWidth", &C::DropDownWidth, &C::SetDropDownWidth, 0)
      .Boolean("EditMemo", &C::EditMemo, &C::SetEditMemo, true)
      .String("EditorHint", &C::EditorHint, &C::SetEditorHint)
      .Boolean("Ellipsis", &C::Ellipsis, &C::SetEllipsis, true)
      .Boolean("ExpandBox", &C::ExpandBox, &C::SetExpandBox, false)
      .Enum("ExpandBoxSize", &C::ExpandBoxSize, &C::SetExpandBoxSize, ebSmall)
      .Boolean("ExpandBoxThemed", &C::ExpandBoxThemed, &C::SetExpandBoxThemed, false)
      .Enum("ExpandBoxToggle", &C::ExpandBoxToggle, &C::SetExpandBoxToggle, etOnCellClick)
      .Integer("ExpandCols", &C::ExpandCols, &C::SetExpandCols, 0)
      .Boolean("Expanded", [](C* c) { return c->FExpanded; }, &C::SetExpanded, true)
      .Enum("ExpandStyle", &C::ExpandStyle, &C::SetExpandStyle, cesAuto)
      .String("FieldName", &C::FieldName, &C::SetFieldName)
      .Object("FilterList", &C::FilterList, &C::SetFilterList)
      .String("FilterText", &C::FilterText, &C::SetFilterText)
      .Object("Font", &C::FontForStreaming, &C::SetFont)
      .String("Hint", &C::Hint, &C::SetHint)
      .Enum("ImageDraw", &C::ImageDraw, &C::SetImageDraw, idCenter)
      .Integer("ImageMargin", &C::ImageMargin, &C::SetImageMargin, 0)
      .Integer("ImageOffsetX", &C::ImageOffsetX, &C::SetImageOffsetX, 0)
      .Integer("ImageOffsetY", &C::ImageOffsetY, &C::SetImageOffsetY, 0)
      .Object("Images", &C::Images, &C::SetImages)
      .Enum("ImeMode", &C::ImeMode, &C::SetImeMode)
      .String("ImeName", &C::ImeName, &C::SetImeName)
      .String("KeyField", &C::KeyField, &C::SetKeyField)
      .Set("ListOptions", &C::ListOptions, &C::SetListOptions, DefaultListOptions)
      .Enum("LookupColumn", &C::LookupColumn, nullptr)
      .Object("LookupDataSet", &C::LookupDataSet, &C::SetLookupDataSet)
      .String("LookupKeyField", &C::LookupKeyField, &C::SetLookupKeyField)
      .String("LookupListFields", &C::LookupListFields, &C::SetLookupListFields)
      .String("LookupListTitles", &C::LookupListTitles, &C::SetLookupListTitles)
      .String("LookupListWidths", &C::LookupListWidths, &C::SetLookupListWidths)
      .String("LookupResultField", &C::LookupResultField, &C::SetLookupResultField)
      .Boolean("MultiSelectList", &C::MultiSelectList, nullptr)
      .Enum("MultiSelectText", &C::MultiSelectText, &C::SetMultiSelectText, mstEllipsis)
      .Object("PickList", &C::PickList, &C::SetPickList)
      .Set("PickOptions", &C::PickOptions, &C::SetPickOptions, DefaultPickOptions)
      .Object("PickText", &C::PickText, &C::SetPickText)
      .String("PickTextFormat", &C::PickTextFormat, &C::SetPickTextFormat)
      .Object("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
      .Boolean("QuickDraw", &C::QuickDraw, &C::SetQuickDraw, true)
      .Boolean("ReadOnly", &C::ReadOnly, &C::SetReadOnly)
      .Boolean("ShowBlob", &C::ShowBlob, &C::SetShowBlob, true)
      .Boolean("ShowEdit", &C::ShowEdit, &C::SetShowEdit, true)
      .Boolean("SuppressRTL", &C::SuppressRTL, &C::SetSuppressRTL, false)
      .Object("Title", &C::Title, &C::SetTitle)
      .Boolean("ToolTips", &C::ToolTips, &C::SetToolTips, true)
      .Enum("ToolTipsWidth", &C::ToolTipsWidth, &C::SetToolTipsWidth, ttAutoWidth)
      .Object("TotalFields", &C::TotalFields, &C::SetTotalFields)
      .Object("TotalFooter", &C::TotalFooter, &C::SetTotalFooter)
      .Object("TotalHeader", &C::TotalHeader, &C::SetTotalHeader)
      .Object("TotalValues", &C::TotalValues, &C::SetTotalValues)
      .Boolean("Transparent", &C::Transparent, &C::SetTransparent)
      .Integer("TransparentColor", &C::TransparentColor, &C::SetTransparentColor, clNone)
      .Enum("VAlignment", &C::VAlignment, &C::SetVAlignment, tvCenter)
      .Boolean("Visible", [](C* c) { return c->FVisible; }, &C::SetVisible)
      .Boolean("Wallpaper", &C::Wallpaper, &C::SetWallpaper, false)
      .Integer("Width", &C::Width, &C::SetWidth)
      .Integer("WidthBase", &C::WidthBase, &C::SetWidthBase)
      .Integer("WidthMax", &C::WidthMax, &C::SetWidthMax, -1)
      .Integer("WidthMin", &C::WidthMin, &C::SetWidthMin, -1)
      .Boolean("WordWrap", &C::WordWrap, &C::SetWordWrap, true)
      .Stored("Alignment", &C::IsAlignmentStored)
      .Stored("CheckBoxValues", &C::IsCheckBoxValuesStored)
      .Stored("Color", &C::IsColorStored)
      .Stored("Expanded", [](C* c) { return !c->FExpanded; })
      .Stored("Font", &C::IsFontStored)
      .Stored("ImeMode", &C::IsImeModeStored)
      .Stored("ImeName", &C::IsImeNameStored)
      .Stored("KeyField", [](C* c) { return !c->FKeyField.empty(); })
      .Stored("LookupDataSet", [](C* c) { return c->FLookupDataSet != nullptr; })
      .Stored("LookupKeyField", [](C* c) { return !c->FLookupKeyField.empty(); })
      .Stored("LookupListFields", [](C* c) { return !c->FLookupListFields.empty(); })
      .Stored("LookupResultField", [](C* c) { return !c->FLookupResultField.empty(); })
      .Stored("ReadOnly", &C::IsReadOnlyStored)
      .Stored("Transparent", &C::IsTransparentStored)
      .Stored("Width", &C::IsWidthStored)
      .Stored("WidthBase", false);
  return list;
}

const TPropList& TKelColumnTitle::PublishedProperties() {
  using T = TKelColumnTitle;
  static const TPropList list = PropertyTable<T>()
      .Enum("Alignment", &T::Alignment, &T::SetAlignment)
      .Boolean("AutoFilter", &T::AutoFilter, &T::SetAutoFilter, true)
      .Boolean("AutoToggle", &T::AutoToggle, &T::SetAutoToggle, true)
      .Boolean("Button", &T::Button, &T::SetButton, true)
      .String("Caption", &T::Caption, &T::SetCaption)
      .Integer("Color", &T::Color, &T::SetColor)
      .Object("DropDownMenu", &T::DropDownMenu, &T::SetDropDownMenu)
      .Boolean("Ellipsis", &T::Ellipsis, &T::SetEllipsis, true)
      .Object("Font", &T::FontForStreaming, &T::SetFont)
      .String("Header", &T::Header, &T::SetHeader)
      .String("HeaderHint", &T::HeaderHint, &T::SetHeaderHint)
      .String("Hint", &T::Hint, &T::SetHint)
      .Integer("ImageIndex", &T::ImageIndex, &T::SetImageIndex, -1)
      .Enum("Marker", &T::Marker, &T::SetMarker, tmNone)
      .Integer("MarkerIndex", &T::MarkerIndex, &T::SetMarkerIndex, -1)
      .Integer("OrderIndex", &T::OrderIndex, &T::SetOrderIndex)
      .Object("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
      .Enum("VAlignment", &T::VAlignment, &T::SetVAlignment, tvCenter)
      .Boolean("WordWrap", &T::WordWrap, &T::SetWordWrap, true)
      .Stored("Alignment", &T::IsAlignmentStored)
      .Stored("Caption", &T::IsCaptionStored)
      .Stored("Color", &T::IsColorStored)
      .Stored("Font", &T::IsFontStored)
      .Stored("OrderIndex", false);
  return list;
}

const TPropList& TKelColumnTotal::PublishedProperties() {
  using T = TKelColumnTotal;
  static const TPropList list = PropertyTable<T>()
      .Enum("Alignment", &T::Alignment, &T::SetAlignment)
      .Integer("Color", &T::Color, &T::SetColor)
      .Boolean("Ellipsis", &T::Ellipsis, &T::SetEllipsis, true)
      .Object("Font", &T::FontForStreaming, &T::SetFont)
      .String("Hint", &T::Hint, &T::SetHint)
      .Object("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
      .Enum("TotalBox", &T::TotalBox, &T::SetTotalBox, tbAuto)
      .Enum("VAlignment", &T::VAlignment, &T::SetVAlignment, tvCenter)
      .Boolean("Visible", &T::Visible, &T::SetVisible, true)
      .Boolean("WordWrap", &T::WordWrap, &T::SetWordWrap, true)
      .Stored("Alignment", &T::IsAlignmentStored)
      .Stored("Color", &T::IsColorStored)
      .Stored("Font", &T::IsFontStored);
  return list;
}

// The result comes before Caption and FieldName, whose setters it does not affect, so that a
// stream read back binds the field under the right result.
const TPropList& TKelColumnTotalValue::PublishedProperties() {
  using T = TKelColumnTotalValue;
  static const TPropList list = PropertyTable<T>()
      .Enum("CalcApply", &T::CalcApply, &T::SetCalcApply, caBoth)
      .Enum("CalcValue", &T::CalcValue, &T::SetCalcValue, cvSum)
      .Enum("TotalResult", &T::TotalResult, &T::SetTotalResult, trCaption)
      .String("Caption", &T::Caption, &T::SetCaption)
      .String("FieldName", &T::FieldName, &T::SetFieldName)
      .String("Format", &T::Format, &T::SetFormat)
      .Boolean("FormatAsFloat", &T::FormatAsFloat, &T::SetFormatAsFloat, false)
      .Integer("ImageIndex", &T::ImageIndex, &T::SetImageIndex, -1)
      .Enum("NullValue", &T::NullValue, &T::SetNullValue, nvExclude)
      .Boolean("ToolTips", &T::ToolTips, &T::SetToolTips, true)
      .Enum("ToolTipsWidth", &T::ToolTipsWidth, &T::SetToolTipsWidth, ttAutoWidth)
      .Integer("TotalRecNo", &T::TotalRecNo, &T::SetTotalRecNo, 1)
      .Stored("Caption", &T::IsCaptionStored);
  return list;
}

const TPropList& TKelColumnTotalFields::PublishedProperties() {
  using T = TKelColumnTotalFields;
  static const TPropList list = PropertyTable<T>()
      .String("FieldName", &T::FieldName, &T::SetFieldName);
  return list;
}

const TPropList& TKelColumnsWrapper::PublishedProperties() {
  using W = TKelColumnsWrapper;
  static const TPropList list = PropertyTable<W>()
      .Object("Columns", &W::Columns, &W::SetColumns)
      .String("OrderFields", &W::OrderFields, &W::SetOrderFields);
  return list;
}

}  // namespace kel
