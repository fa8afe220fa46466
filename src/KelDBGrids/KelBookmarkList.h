// TKelBookmarkList, the grid's SelectedRows: the selected records as bookmarks, kept in the data
// set's bookmark order.
#pragma once

#include <vector>

#include "platform/classes/Classes.h"
#include "platform/db/DB.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TKelCustomDBGrid;

class TKelBookmarkList : public TObject {
  KEL_CLASS(TKelBookmarkList, TObject)

 public:
  explicit TKelBookmarkList(TKelCustomDBGrid* AGrid) : FGrid(AGrid) {}

  TKelCustomDBGrid* Grid() const { return FGrid; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // The bookmark at Index (0..Count-1); EListError otherwise.
  const TBookmark& Items(int Index) const;
  // The grid's data link is active.
  bool Active() const { return FActive; }
  // The link became active or inactive: the list starts empty either way.
  void LinkActive(bool Value);

 private:
  TKelCustomDBGrid* FGrid;          // owner
  std::vector<TBookmark> FItems;    // selected records, sorted by the data set's CompareBookmarks
  std::vector<Variant> FSaved;      // key values captured by a save of the selection
  TBookmark FCacheKey;              // the last bookmark looked up (compared by identity)
  int FCacheIndex = -1;             // its insertion index; -1 = cache empty
  bool FCacheFound = false;         // whether it was in the list
  bool FActive = false;
};

}  // namespace kel
