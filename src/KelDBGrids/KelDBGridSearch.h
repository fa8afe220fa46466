// TKelDBGridSearch, the grid's Search: the settings of the search bar (text, options, whether
// matches are highlighted and whether the bar is shown) and the history of search texts.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"

namespace kel {

class TKelCustomDBGrid;
class TStrings;

enum TKelSearchMode : std::uint8_t { smFirst, smNext, smPrev, smLast };

enum TKelSearchOption : std::uint8_t {
  soCaseSensitive, soWholeWords, soWrapAround, soSkipMessage, soFilterRows
};
KEL_ENUM_NAMES(TKelSearchOption, "soCaseSensitive", "soWholeWords", "soWrapAround", "soSkipMessage",
               "soFilterRows")
using TKelSearchOptions = TSet<TKelSearchOption>;

class TKelDBGridSearch : public TPersistent {
  KEL_CLASS(TKelDBGridSearch, TPersistent)

 public:
  explicit TKelDBGridSearch(TKelCustomDBGrid* AGrid);
  ~TKelDBGridSearch() override;
  // Published: Active, Color, Options, PanelVisible, Text.
  static const TPropList& PublishedProperties();

  TKelCustomDBGrid* Grid() const { return FGrid; }
  // Matches are highlighted.
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  // Highlight colour; clDefault lets the painter choose.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TKelSearchOptions Options() const { return FOptions; }
  void SetOptions(TKelSearchOptions Value);
  void SwitchOptions(TKelSearchOptions Value, bool On);
  // The search bar is shown.
  bool PanelVisible() const { return FPanelVisible; }
  void SetPanelVisible(bool Value) { FPanelVisible = Value; }
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  // Earlier search texts, most recent first.
  TStrings* History() const;

  // Matches are highlighted: Active with a text.
  bool GetVisible() const { return FActive && !FText.empty(); }
  // The text keeps only matching rows.
  bool GetFilterActive() const { return !FText.empty() && FOptions.Contains(soFilterRows); }

  void Assign(TPersistent* Source) override;

 private:
  TKelCustomDBGrid* FGrid;  // owner
  bool FActive = true;
  TColor FColor = clDefault;
  TKelSearchOptions FOptions;
  bool FPanelVisible = false;
  String FText;
  std::unique_ptr<TStrings> FHistory;

  // Keeping only matching rows is not built yet: a text with soFilterRows is refused.
  static void CheckFilterAvailable(const String& AText, TKelSearchOptions AOptions);
};

}  // namespace kel
