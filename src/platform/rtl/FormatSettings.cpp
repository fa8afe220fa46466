#include "platform/rtl/FormatSettings.h"

namespace kel {

TFormatSettings FormatSettings;

}  // namespace kel
