// The values a check-box column stores for checked and unchecked: its CheckBoxValues text read
// as "checked;unchecked".
#pragma once

#include "platform/rtl/Types.h"

namespace kel {

struct TCheckBoxValues {
  // Characters kept of each value.
  static constexpr int MaxLength = 255;

  String Checked;    // the text before the first ";"; the whole text without one
  String Unchecked;  // the text after the first ";"; empty without one

  // Splits Text at its first ";"; each part is cut to MaxLength characters.
  static TCheckBoxValues Parse(const String& Text);
};

}  // namespace kel
