// Reading a CheckBoxValues text into its checked and unchecked values.
#include "KelDBGrids/KelCheckBoxValues.h"

#include "platform/rtl/StrUtils.h"

namespace kel {

TCheckBoxValues TCheckBoxValues::Parse(const String& Text) {
  const std::size_t separator = Text.find(';');
  if (separator == String::npos) return {Copy(Text, 1, MaxLength), String()};
  return {Copy(Text.substr(0, separator), 1, MaxLength), Copy(Text.substr(separator + 1), 1, MaxLength)};
}

}  // namespace kel
