// The drop-down lists' process-wide limits.
#include "KelDBGrids/KelDBGridGlobals.h"

namespace kel {

int MaxDropDownRows = 20;
int MaxDropDownWidth = 800;

}  // namespace kel
