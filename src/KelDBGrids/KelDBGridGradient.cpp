// TKelDBGridGradient's published table.
#include "KelDBGrids/KelDBGridGradient.h"

namespace kel {

const TPropList& TKelDBGridGradient::PublishedProperties() {
  using G = TKelDBGridGradient;
  static const TPropList list = PropertyTable<G>()
      .Set("Cells", &G::Cells, &G::SetCells, AllGradientCells);
  return list;
}

}  // namespace kel
