// The published-property table of TKelDBGrid: every property of the grid that streaming and
// access by name see, with its stored default.
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridFilter.h"
#include "KelDBGrids/KelDBGridGradient.h"
#include "KelDBGrids/KelDBGridSearch.h"
#include "KelDBGrids/KelDBGridSettings.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridStyle.h"
#include "KelDBGrids/KelScrollProp.h"
#include "platform/db/DB.h"

namespace kel {

const TPropList& TKelDBGrid::PublishedProperties() {
  using G = TKelDBGrid;
  static const TPropList list = PropertyTable<G>()
      .Object("Columns", &G::Columns, &G::SetColumns)
      .Boolean("Ctl3DAuto", &G::Ctl3DAuto, &G::SetCtl3DAuto, true)
      .Integer("DataColLineColor", &G::DataColLineColor, &G::SetDataColLineColor, clDefault)
      .Integer("DataRowLineColor", &G::DataRowLineColor, &G::SetDataRowLineColor, clDefault)
      .Object("DataSource", &G::DataSource, &G::SetDataSource)
      .Boolean("DefaultDrawing", &G::DefaultDrawing, &G::SetDefaultDrawing, true)
      .Integer("DefaultWidthMax", &G::DefaultWidthMax, &G::SetDefaultWidthMax, -1)
      .Integer("DefaultWidthMin", &G::DefaultWidthMin, &G::SetDefaultWidthMin, -1)
      .Set("DrawingOptions", &G::DrawingOptions, &G::SetDrawingOptions, DefaultDrawingOptions)
      .Integer("EditorColor", &G::EditorColor, &G::SetEditorColor, clNone)
      .Boolean("FillerButton", &G::FillerButton, &G::SetFillerButton, true)
      .Integer("FillerColor", &G::FillerColor, &G::SetFillerColor, clBtnFace)
      .Integer("FillerIndex", &G::FillerIndex, &G::SetFillerIndex, -7)
      .Object("FilterGrid", &G::FilterGrid)
      .Integer("FixedCols", &G::FixedCols, &G::SetFixedCols, 0)
      .Enum("FixedStyle", &G::FixedStyle, &G::SetFixedStyle, fsDefault)
      .Enum("FixedTheme", &G::FixedTheme, &G::SetFixedTheme, ftDefault)
      .Enum("FocusRect", &G::FocusRect, &G::SetFocusRect, frAuto)
      .Object("Gradient", &G::Gradient)
      .Object("GridStyle", &G::GridStyle)
      .Integer("HeaderColor", &G::HeaderColor, &G::SetHeaderColor, clBtnFace)
      .Object("HeaderFont", &G::HeaderFont, &G::SetHeaderFont)
      .Integer("HeaderLinesCount", &G::HeaderLinesCount, &G::SetHeaderLinesCount, 1)
      .Integer("HighlightText", &G::HighlightText, &G::SetHighlightText, clDefault)
      .Set("HintOptions", &G::HintOptions, &G::SetHintOptions, DefaultHintOptions)
      .Enum("ImeMode", &G::ImeMode, &G::SetImeMode, imDontCare)
      .String("ImeName", &G::ImeName, &G::SetImeName)
      .Enum("HotButtons", &G::HotButtons, &G::SetHotButtons, hbAuto)
      .Object("IndicatorImages", &G::IndicatorImages, &G::SetIndicatorImages)
      .Integer("IndicatorWidth", &G::IndicatorWidth, &G::SetIndicatorWidth, 20)
      .Integer("LinesCount", &G::LinesCount, &G::SetLinesCount, 1)
      .Integer("LinesCountMax", &G::LinesCountMax, &G::SetLinesCountMax, -1)
      .Integer("LinesCountMin", &G::LinesCountMin, &G::SetLinesCountMin, 1)
      .Enum("ListBorder", &G::ListBorder, &G::SetListBorder, lbAuto)
      .Enum("MarkerStyle", &G::MarkerStyle, &G::SetMarkerStyle, msAuto)
      .Enum("MarkerTransparent", &G::MarkerTransparent, &G::SetMarkerTransparent, mtAuto)
      .Object("MasterGrid", &G::MasterGrid, &G::SetMasterGrid)
      .Set("MultiSelectOptions", &G::MultiSelectOptions, &G::SetMultiSelectOptions, DefaultMultiSelectOptions)
      .Set("Options", &G::Options, &G::SetOptions, DefaultGridOptions)
      .Set("OptionsEx", &G::OptionsEx, &G::SetOptionsEx, DefaultGridOptionsEx)
      .Set("OptionsExt", &G::OptionsExt, &G::SetOptionsExt, DefaultGridOptionsExt)
      .Boolean("ParentCustomHint", &G::ParentCustomHint, &G::SetParentCustomHint, true)
      .Boolean("ReadOnly", &G::ReadOnly, &G::SetReadOnly, false)
      .Set("ResizeOptions", &G::ResizeOptions, &G::SetResizeOptions, DefaultResizeOptions)
      .Enum("ScrollBars", &G::ScrollBars, &G::SetScrollBars, ssBoth)
      .Object("ScrollProp", &G::ScrollProp)
      .Object("Search", &G::Search)
      .Integer("SelectCellColor", &G::SelectCellColor, &G::SetSelectCellColor, clDefault)
      .Integer("SelectionColor", &G::SelectionColor, &G::SetSelectionColor, clDefault)
      .Integer("SelectRowColor", &G::SelectRowColor, &G::SetSelectRowColor, clDefault)
      .Object("Settings", &G::Settings)
      .Boolean("StretchMode", &G::StretchMode, &G::SetStretchMode, false)
      .Integer("StretchWidthMax", &G::StretchWidthMax, &G::SetStretchWidthMax, -1)
      .Integer("StretchWidthMin", &G::StretchWidthMin, &G::SetStretchWidthMin, -1)
      .Integer("StripeColor", &G::StripeColor, &G::SetStripeColor, clNone)
      .Set("SystemStyleElements", &G::SystemStyleElements, &G::SetSystemStyleElements,
           DefaultSystemStyleElements)
      .Object("TitleFont", &G::TitleFont, &G::SetTitleFont)
      .Object("TitleImages", &G::TitleImages, &G::SetTitleImages)
      .Object("TitleMarkers", &G::TitleMarkers, &G::SetTitleMarkers)
      .Integer("TitleLinesCount", &G::TitleLinesCount, &G::SetTitleLinesCount, 1)
      .Object("Totals", &G::Totals)
      .Integer("WheelScrollRows", &G::WheelScrollRows, &G::SetWheelScrollRows, 0)
      .Event("OnCalcImageIndex")
      .Event("OnColEnter")
      .Event("OnColExit")
      .Event("OnColGetText")
      .Event("OnColSetText")
      .Event("OnColTextChanged")
      .Event("OnColumnScroll")
      .Event("OnDrawColumnCell")
      .Event("OnDrawDataCell")
      .Event("OnListItemsUpdated")
      .Event("OnPaintColumnCell")
      .Event("OnRowResize")
      .Event("OnSequenceUpdated")
      .Event("OnTotalCalcQuery")
      .Event("OnTotalCalcValue")
      .Event("OnTotalClick")
      .Event("OnTotalGetText")
      .Event("OnTotalsUpdated")
      .Stored("Columns", &G::StoreColumns);
  return list;
}

}  // namespace kel
