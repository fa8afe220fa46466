#include "platform/rtl/Exceptions.h"

namespace kel {

void Abort() { throw EAbort("Operation aborted"); }

}  // namespace kel
