// TKelDBGridTotals (settings of the total rows and the published table) and TKelTotalDataLink
// (the totals data set's window and the notifications that re-lay the total rows out).
#include "KelDBGrids/KelDBGridTotals.h"

#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"
#include "platform/graphics/Graphics.h"

namespace kel {

// ---- TKelTotalDataLink -------------------------------------------------------------------------

TKelTotalDataLink::TKelTotalDataLink(TKelDBGridTotals* ATotals) : FTotals(ATotals) {}

void TKelTotalDataLink::UpdateBufferCount() {
  if (!Active()) return;
  int count = DataSet()->RecordCount();
  if (FTotals->DataMaxRow() > 0 && (count < 0 || count > FTotals->DataMaxRow()))
    count = FTotals->DataMaxRow();
  SetBufferCount(count);
}

void TKelTotalDataLink::ActiveChanged() {
  if (Active() && DataSet()->IsUniDirectional()) DatabaseError(SDataSetUnidirectional);
  UpdateBufferCount();
  if (TKelCustomDBGrid* grid = FTotals->Grid()) grid->TotalsChanged(trCaption, nullptr);
}

void TKelTotalDataLink::DataSetChanged() {
  TKelCustomDBGrid* grid = FTotals->Grid();
  if (grid && grid->UpdateInProgress()) return;
  UpdateBufferCount();
  if (grid) grid->TotalsChanged(trCaption, nullptr);
}

void TKelTotalDataLink::RecordChanged(TField* Field) {
  if (TKelCustomDBGrid* grid = FTotals->Grid()) grid->TotalsChanged(trTotalField, Field);
}

// ---- TKelDBGridTotals --------------------------------------------------------------------------

TKelDBGridTotals::TKelDBGridTotals(TKelCustomDBGrid* AGrid)
    : FGrid(AGrid),
      FDataLink(AGrid ? AGrid->CreateTotalDataLink(this) : std::make_unique<TKelTotalDataLink>(this)),
      FFont(std::make_unique<TFont>()) {
  FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TKelDBGridTotals::~TKelDBGridTotals() = default;

const TPropList& TKelDBGridTotals::PublishedProperties() {
  using S = TKelDBGridTotals;
  static const TPropList list = PropertyTable<S>()
      .Enum("BoxStyle", &S::BoxStyle, &S::SetBoxStyle, cbAuto)
      .Boolean("CalcValues", &S::CalcValues, &S::SetCalcValues, true)
      .Integer("Color", &S::Color, &S::SetColor)
      .Integer("DataMaxRow", &S::DataMaxRow, &S::SetDataMaxRow, 5)
      .Object("DataSource", &S::DataSource, &S::SetDataSource)
      .Object("Font", &S::Font, &S::SetFont)
      .Object("Images", &S::Images, &S::SetImages)
      .Integer("LinesCount", &S::LinesCount, &S::SetLinesCount, 1)
      .Integer("SelectedColor", &S::SelectedColor, &S::SetSelectedColor, clDefault)
      .Stored("Color", &S::IsColorStored);
  return list;
}

bool TKelDBGridTotals::Visible() const {
  return FGrid && !(FGrid->OptionsEx() * TotalRowOptions).Empty();
}

bool TKelDBGridTotals::Active() const {
  if (Visible()) return true;
  return FGrid && FGrid->OptionsEx().Contains(dgSelectedAutoHidden) &&
         !(FGrid->OptionsEx() * SelectedTotalOptions).Empty();
}

bool TKelDBGridTotals::IsColorStored() const {
  return !FGrid || FColor != FGrid->FixedColor();
}

void TKelDBGridTotals::BandChanged() {
  if (Visible()) FGrid->LayoutChanged();
}

void TKelDBGridTotals::FontChanged() {
  if (!FGrid) return;
  if (!FGrid->FCopyingFonts && !FGrid->ComponentState().Contains(csLoading))
    FGrid->SetParentFont(false);
  BandChanged();
}

void TKelDBGridTotals::SetBoxStyle(TCheckBoxStyle Value) {
  if (FBoxStyle == Value) return;
  FBoxStyle = Value;
  if (FGrid) FGrid->InvalidateTotals();
}

void TKelDBGridTotals::SetCalcValues(bool Value) {
  if (FCalcValues == Value) return;
  FCalcValues = Value;
  if (Value && FGrid) FGrid->UpdateTotals(false);
}

void TKelDBGridTotals::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (FGrid) FGrid->InvalidateTotals();
}

void TKelDBGridTotals::SetDataMaxRow(int Value) {
  Value = std::max(Value, 0);
  if (FDataMaxRow == Value) return;
  FDataMaxRow = Value;
  FDataLink->UpdateBufferCount();
  if (FGrid) FGrid->TotalsChanged(trCaption, nullptr);
}

TDataSource* TKelDBGridTotals::DataSource() const { return FDataLink->DataSource(); }

void TKelDBGridTotals::SetDataSource(TDataSource* Value) {
  if (Value == DataSource()) return;
  if (Value && FGrid && Value == FGrid->DataSource()) {
    if (FGrid->ComponentState().Contains(csLoading)) return;
    DatabaseError(SCircularDataLink);
  }
  if (Value && Value->DataSet() && Value->DataSet()->IsUniDirectional())
    DatabaseError(SDataSetUnidirectional);
  FDataLink->SetDataSource(Value);
  if (Value && FGrid) Value->FreeNotification(FGrid);
  BandChanged();
}

void TKelDBGridTotals::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value && FGrid) Value->FreeNotification(FGrid);
  if (FGrid) FGrid->InvalidateTotals();
}

void TKelDBGridTotals::SetLinesCount(int Value) {
  Value = std::max(Value, 1);
  if (FLinesCount == Value) return;
  FLinesCount = Value;
  BandChanged();
}

void TKelDBGridTotals::SetSelectedColor(TColor Value) {
  if (FSelectedColor == Value) return;
  FSelectedColor = Value;
  if (FGrid) FGrid->SwitchDrawingOptions({gdoTotalSelected}, Value != clNone);
}

void TKelDBGridTotals::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelDBGridTotals*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  SetBoxStyle(source->FBoxStyle);
  SetCalcValues(source->FCalcValues);
  SetColor(source->FColor);
  SetDataMaxRow(source->FDataMaxRow);
  SetImages(source->FImages);
  SetLinesCount(source->FLinesCount);
  SetSelectedColor(source->FSelectedColor);
  FFont->Assign(source->FFont.get());
}

}  // namespace kel
