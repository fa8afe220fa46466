// TKelGridStyle: the spacing sets of the visual styles and the relayout they cause.
#include "KelDBGrids/KelGridStyle.h"

#include "KelDBGrids/KelDBGrid.h"

namespace kel {

TKelGridStyle::TKelGridStyle(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}

const TPropList& TKelGridStyle::PublishedProperties() {
  using S = TKelGridStyle;
  static const TPropList list = PropertyTable<S>()
      .Integer("DataRowSpace", &S::DataRowSpace, &S::SetDataRowSpace)
      .Integer("HeaderRowSpace", &S::HeaderRowSpace, &S::SetHeaderRowSpace)
      .Integer("TitleColMargin", &S::TitleColMargin, &S::SetTitleColMargin)
      .Integer("TitleRowSpace", &S::TitleRowSpace, &S::SetTitleRowSpace)
      .Integer("TotalColMargin", &S::TotalColMargin, &S::SetTotalColMargin)
      .Integer("TotalRowSpace", &S::TotalRowSpace, &S::SetTotalRowSpace)
      .Enum("VisualStyle", &S::VisualStyle, &S::SetVisualStyle, vsXPStyle)
      .Stored("DataRowSpace", &S::SpacingsStored)
      .Stored("HeaderRowSpace", &S::SpacingsStored)
      .Stored("TitleColMargin", &S::SpacingsStored)
      .Stored("TitleRowSpace", &S::SpacingsStored)
      .Stored("TotalColMargin", &S::SpacingsStored)
      .Stored("TotalRowSpace", &S::SpacingsStored);
  return list;
}

void TKelGridStyle::SetSpacing(int& Field, int Value) {
  if (Field == Value) return;
  Field = Value;
  VisualStyleChanged(true);
}

void TKelGridStyle::SetSpacings(int Data, int Header, int TitleMargin, int Title, int TotalMargin,
                                int Total) {
  FDataRowSpace = Data;
  FHeaderRowSpace = Header;
  FTitleColMargin = TitleMargin;
  FTitleRowSpace = Title;
  FTotalColMargin = TotalMargin;
  FTotalRowSpace = Total;
}

void TKelGridStyle::SetVisualStyle(TVisualStyle Value) {
  if (Value == vsDefault) Value = FGrid && FGrid->IsGridThemed(false) ? vsXPStyle : vsStandard;
  else if (Value == FVisualStyle) return;
  FVisualStyle = Value;
  if (Value == vsStandard) SetSpacings(3, 4, 0, 4, 0, 4);
  else if (Value == vsXPStyle) SetSpacings(4, 8, 1, 8, 0, 8);
  VisualStyleChanged(false);
}

void TKelGridStyle::VisualStyleChanged(bool Custom) {
  if (Custom) FVisualStyle = vsCustom;
  if (!FGrid) return;
  FGrid->LayoutChanged();
  FGrid->InvalidateEditor();
}

void TKelGridStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelGridStyle*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  SetSpacings(source->FDataRowSpace, source->FHeaderRowSpace, source->FTitleColMargin,
              source->FTitleRowSpace, source->FTotalColMargin, source->FTotalRowSpace);
  FVisualStyle = source->FVisualStyle;
  VisualStyleChanged(false);
}

}  // namespace kel
