// The clipboard: text through the backend (the desktop's clipboard live, a process-wide string
// headless).
#include "platform/ui/Clipboard.h"

#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"

namespace kel {

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

String TClipboard::AsText() const { return Application->Backend()->ClipboardText(); }

void TClipboard::SetAsText(const String& value) { Application->Backend()->SetClipboardText(value); }

bool TClipboard::HasFormat(int Format) const {
  return (Format == CF_TEXT || Format == CF_UNICODETEXT) && !AsText().empty();
}

void TClipboard::Clear() { SetAsText(""); }

}  // namespace kel
