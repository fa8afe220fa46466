// The clipboard (text): the desktop's clipboard live, a process-wide one headless.
#pragma once

#include "platform/rtl/Types.h"

namespace kel {

constexpr int CF_TEXT = 1;
constexpr int CF_UNICODETEXT = 13;

class TClipboard {
 public:
  String AsText() const;
  void SetAsText(const String& value);
  bool HasFormat(int Format) const;
  void Clear();
};

TClipboard* Clipboard();

}  // namespace kel
