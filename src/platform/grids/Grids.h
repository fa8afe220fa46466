// The grids unit: the platform grid (TCustomGrid) with TDrawGrid and TStringGrid, its in-place
// editor (TInplaceEdit), and the edit controls beneath it (TCustomEdit, TCustomMaskEdit).
#pragma once

#include "platform/grids/CustomGrid.h"
#include "platform/grids/Edit.h"
#include "platform/grids/EditMask.h"
#include "platform/grids/GridTypes.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/grids/MaskEdit.h"
#include "platform/grids/StringGrid.h"
