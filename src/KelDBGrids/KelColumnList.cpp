// TKelColumnList: item access.
#include "KelDBGrids/KelColumnList.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

TKelColumn* TKelColumnList::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Format("List index out of bounds (%d)", {Index}));
  return (*FList)[Index];
}

}  // namespace kel
