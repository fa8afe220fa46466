// Private to the ui unit: the styles the platform ships, the system look first.
#pragma once

#include <vector>

#include "platform/ui/Styles.h"

namespace kel {

std::vector<TStyleInfo> ShippedStyles();

}  // namespace kel
