// TKelColumnList, the grid's SelectedCols: the selected columns, either as the range
// SelectionMin..SelectionMax of the grid (no list) or as an explicit list sorted by collection
// index.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Classes.h"

namespace kel {

class TKelCustomDBGrid;
class TKelColumn;

class TKelColumnList : public TObject {
  KEL_CLASS(TKelColumnList, TObject)

 public:
  explicit TKelColumnList(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}

  TKelCustomDBGrid* Grid() const { return FGrid; }
  // Columns in the explicit list; 0 in range mode.
  int Count() const { return FList ? static_cast<int>(FList->size()) : 0; }
  // The column at Index (0..Count-1); EListError otherwise.
  TKelColumn* Items(int Index) const;
  // Membership follows the grid's column range: there is no explicit list, or it was built from
  // the range and not edited since.
  bool AutoRefresh() const { return !FList || FAuto; }

 private:
  TKelCustomDBGrid* FGrid;                             // owner
  std::unique_ptr<std::vector<TKelColumn*>> FList;     // explicit list; null in range mode
  std::vector<int> FSavedIDs;                          // collection IDs captured by a save
  TKelColumn* FCacheKey = nullptr;                     // the last column looked up
  int FCacheIndex = -1;                                // its insertion index; -1 = cache empty
  bool FCacheFound = false;
  bool FAuto = false;                                  // the list was built from the range
};

}  // namespace kel
