// TKelDBGridFilter, the grid's FilterGrid: the settings of the column filters the user picks from
// value lists dropped down from the titles, and the state of the filter the grid installs on its
// data set.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/classes/Classes.h"

namespace kel {

class TKelCustomDBGrid;
class TKelColumn;

enum TKelDBGridFilterOption : std::uint8_t {
  foAutoApplyList,  // ticking a value applies it at once (no OK/Cancel buttons)
  foListAnimation,
  foListAlignment,
  foOverlayedList,
  foLoadAllItems,
};
KEL_ENUM_NAMES(TKelDBGridFilterOption, "foAutoApplyList", "foListAnimation", "foListAlignment",
               "foOverlayedList", "foLoadAllItems")
using TKelDBGridFilterOptions = TSet<TKelDBGridFilterOption>;
inline constexpr TKelDBGridFilterOptions DefaultFilterOptions{foAutoApplyList, foListAnimation,
                                                              foListAlignment, foOverlayedList};

class TKelDBGridFilter : public TPersistent {
  KEL_CLASS(TKelDBGridFilter, TPersistent)

 public:
  explicit TKelDBGridFilter(TKelCustomDBGrid* AGrid);
  // Published: AutoFilter, AutoUpdate, DropDownRows, DropDownWidth, Filtered, Options.
  static const TPropList& PublishedProperties();

  TKelCustomDBGrid* Grid() const { return FGrid; }
  // Filter buttons are offered in the titles.
  bool AutoFilter() const { return FAutoFilter; }
  void SetAutoFilter(bool Value);
  // Column filter changes are applied at once.
  bool AutoUpdate() const { return FAutoUpdate; }
  void SetAutoUpdate(bool Value) { FAutoUpdate = Value; }
  // Size of the value list; 0 leaves it to the list.
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int Value) { FDropDownRows = Value; }
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value) { FDropDownWidth = Value; }
  // The column filters take part.
  bool Filtered() const { return FFiltered; }
  void SetFiltered(bool Value) { FFiltered = Value; }
  TKelDBGridFilterOptions Options() const { return FOptions; }
  void SetOptions(TKelDBGridFilterOptions Value) { FOptions = Value; }
  void SwitchOptions(TKelDBGridFilterOptions Value, bool On);

  // The combined filter expression of the filtered columns.
  const String& FilterText() const { return FFilterText; }
  // The grid's filter is installed on the data set.
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  // Columns whose filter is set, in column order.
  const std::vector<TKelColumn*>& FilteredColumns() const { return FFilteredColumns; }

  // Collects the filtered columns.
  void UpdateColumns();
  // Joins the filtered columns' expressions into FilterText.
  void UpdateFilterText();

  void Assign(TPersistent* Source) override;

 private:
  TKelCustomDBGrid* FGrid;  // owner
  bool FAutoFilter = false;
  bool FAutoUpdate = true;
  int FDropDownRows = 0;
  int FDropDownWidth = 0;
  bool FFiltered = true;
  TKelDBGridFilterOptions FOptions = DefaultFilterOptions;
  String FFilterText;                        // derived by UpdateFilterText
  bool FActive = false;                      // the grid's filter is on the data set
  std::vector<TKelColumn*> FFilteredColumns;  // derived by UpdateColumns
};

}  // namespace kel
