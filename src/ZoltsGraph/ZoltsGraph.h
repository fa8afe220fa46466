// The graphics helpers shared by the grid, the drop-down lists and the navigator: gradient
// settings and the platform's theme answers.
#pragma once

#include "ZoltsGraph/ZoltGradient.h"
