// TScreen: screen and work area from the backend, the cursor table and override cursor, the
// list of forms, and the system metrics table.
#include "platform/ui/Screen.h"

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WindowManager.h"

namespace kel {

TScreen& TheScreen() {
  static TScreen screen(nullptr);
  return screen;
}

namespace {

TCursorShape StandardShape(TCursor cursor) {
  switch (cursor) {
    case crNone: return cshHidden;
    case crCross: return cshCross;
    case crIBeam: return cshIBeam;
    case crSizeNESW: return cshSizeNESW;
    case crSizeNS:
    case crVSplit: return cshSizeNS;
    case crSizeNWSE: return cshSizeNWSE;
    case crSizeWE:
    case crHSplit: return cshSizeWE;
    case crUpArrow: return cshUpArrow;
    case crHourGlass:
    case crSQLWait:
    case crAppStart: return cshWait;
    case crNoDrop:
    case crNo: return cshNo;
    case crHandPoint: return cshHand;
    case crSizeAll: return cshSizeAll;
    default: return cshArrow;
  }
}

}  // namespace

TScreen* Screen = &TheScreen();

const TSystemMetrics& SystemMetrics() {
  static const TSystemMetrics metrics;
  return metrics;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner), FHintFont(std::make_unique<TFont>()) {
  FHintFont->SetColor(clInfoText);
}

TScreen::~TScreen() { Destroying(); }

int TScreen::Width() const { return DesktopRect().Width(); }
int TScreen::Height() const { return DesktopRect().Height(); }

TRect TScreen::DesktopRect() const { return Application->Backend()->ScreenRect(); }

TRect TScreen::WorkAreaRect() const { return Application->Backend()->WorkArea(); }

void TScreen::SetCursor(TCursor value) {
  if (FCursor == value) return;
  FCursor = value;
  ShowCursorOf(value == crDefault ? crArrow : value);
}

TCursorShape TScreen::Cursors(TCursor Index) const {
  for (const auto& [cursor, shape] : FCursorMap)
    if (cursor == Index) return shape;
  return StandardShape(Index);
}

void TScreen::SetCursors(TCursor Index, TCursorShape Shape) {
  for (auto& entry : FCursorMap)
    if (entry.first == Index) {
      entry.second = Shape;
      return;
    }
  FCursorMap.emplace_back(Index, Shape);
}

void TScreen::ShowCursorOf(TCursor ControlCursor) {
  TCursor cursor = FCursor != crDefault ? FCursor : ControlCursor;
  if (cursor == crDefault) cursor = crArrow;
  if (cursor == FCurrentCursor) return;
  FCurrentCursor = cursor;
  Application->Windows().SetCursorShape(Cursors(cursor));
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  std::erase(FForms, Form);
  if (FActiveForm == Form) FActiveForm = nullptr;
}

}  // namespace kel
