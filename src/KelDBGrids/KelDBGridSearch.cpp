// TKelDBGridSearch: settings, history and the published table.
#include "KelDBGrids/KelDBGridSearch.h"

#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/rtl/Strings.h"

namespace kel {

TKelDBGridSearch::TKelDBGridSearch(TKelCustomDBGrid* AGrid)
    : FGrid(AGrid), FHistory(std::make_unique<TStringList>()) {}

TKelDBGridSearch::~TKelDBGridSearch() = default;

const TPropList& TKelDBGridSearch::PublishedProperties() {
  using S = TKelDBGridSearch;
  static const TPropList list = PropertyTable<S>()
      .Boolean("Active", &S::Active, &S::SetActive, true)
      .Integer("Color", &S::Color, &S::SetColor, clDefault)
      .Set("Options", &S::Options, &S::SetOptions, TKelSearchOptions{})
      .Boolean("PanelVisible", &S::PanelVisible, &S::SetPanelVisible, false)
      .String("Text", &S::Text, &S::SetText);
  return list;
}

TStrings* TKelDBGridSearch::History() const { return FHistory.get(); }

void TKelDBGridSearch::CheckFilterAvailable(const String& AText, TKelSearchOptions AOptions) {
  if (!AText.empty() && AOptions.Contains(soFilterRows))
    RaiseNotAvailable("TKelDBGridSearch keeping only matching rows (soFilterRows)");
}

void TKelDBGridSearch::SetOptions(TKelSearchOptions Value) {
  CheckFilterAvailable(FText, Value);
  FOptions = Value;
}

void TKelDBGridSearch::SetText(const String& Value) {
  CheckFilterAvailable(Value, FOptions);
  FText = Value;
}

void TKelDBGridSearch::SwitchOptions(TKelSearchOptions Value, bool On) {
  SetOptions(On ? FOptions + Value : FOptions - Value);
}

void TKelDBGridSearch::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelDBGridSearch*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  CheckFilterAvailable(source->FText, source->FOptions);
  FActive = source->FActive;
  FColor = source->FColor;
  FOptions = source->FOptions;
  FPanelVisible = source->FPanelVisible;
  FText = source->FText;
  FHistory->Assign(source->FHistory.get());
}

}  // namespace kel
