// TKelBookmarkList: item access and the link state.
#include "KelDBGrids/KelBookmarkList.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

const TBookmark& TKelBookmarkList::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FItems[Index];
}

// Nothing can be selected before the selection operations exist, so the list is always empty
// here. TODO(multi-selection): clear the list (a selection change) before taking the state.
void TKelBookmarkList::LinkActive(bool Value) { FActive = Value; }

}  // namespace kel
