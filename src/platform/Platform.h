// The whole platform layer the grid stands on. Tests add "platform/testkit/Testkit.h".
#pragma once

#include "platform/classes/Classes.h"
#include "platform/db/DB.h"
#include "platform/graphics/Graphics.h"
#include "platform/grids/Grids.h"
#include "platform/rtl/Rtl.h"
#include "platform/ui/Ui.h"
