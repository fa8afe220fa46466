// The data-aware grid: TKelDBGrid with its option sets, data link, columns and the property
// objects it owns (filter, search, settings, totals, grid style, scroll bars, gradient, the
// selection lists).
#pragma once

#include "KelDBGrids/KelBookmarkList.h"
#include "KelDBGrids/KelCellText.h"
#include "KelDBGrids/KelCheckBoxValues.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelColumnList.h"
#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelDBGridEnumerators.h"
#include "KelDBGrids/KelDBGridFilter.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "KelDBGrids/KelDBGridGradient.h"
#include "KelDBGrids/KelDBGridOptions.h"
#include "KelDBGrids/KelDBGridSearch.h"
#include "KelDBGrids/KelDBGridSettings.h"
#include "KelDBGrids/KelDBGridTotals.h"
#include "KelDBGrids/KelDBGridTypes.h"
#include "KelDBGrids/KelDataRowScope.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelGridStyle.h"
#include "KelDBGrids/KelScan.h"
#include "KelDBGrids/KelScrollProp.h"
