// The graphics helpers shared by the grid, the drop-down lists and the navigator: gradient
// settings and fills, and the theme helpers.
#pragma once

#include "ZoltsGraph/ZoltGradient.h"
#include "ZoltsGraph/ZoltTheme.h"
