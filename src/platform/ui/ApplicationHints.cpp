// The hint pipeline of TApplication, on the application clock.
//
// The mouse rests on a control with ShowHint -> after the hint pause (the control may change it
// through CM_HINTSHOWPAUSE) the control answers CM_HINTSHOW with a filled THintInfo -> the hint
// window shows the text at HintPos until the hide timeout, a click or key, or the mouse leaving
// CursorRect. Moving to another control while a hint shows uses the short pause.
#include "platform/ui/Application.h"
#include "platform/ui/HintWindow.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

// The part of a hint before the first '|' (the classic short hint).
String ShortHint(const String& hint) {
  const auto bar = hint.find('|');
  return bar == String::npos ? hint : hint.substr(0, bar);
}

// The nearest control at or above Control whose ShowHint is on.
TControl* HintControlOf(TControl* Control) {
  while (Control && !Control->ShowHint()) Control = Control->Parent();
  return Control;
}

// Moves Rect so that it lies within Area (as far as it fits).
TRect KeepInside(TRect rect, const TRect& area) {
  if (rect.Right > area.Right) rect.Offset(area.Right - rect.Right, 0);
  if (rect.Bottom > area.Bottom) rect.Offset(0, area.Bottom - rect.Bottom);
  if (rect.Left < area.Left) rect.Offset(area.Left - rect.Left, 0);
  if (rect.Top < area.Top) rect.Offset(0, area.Top - rect.Top);
  return rect;
}

constexpr int CursorHeight = 20;  // the hint shows this far below the mouse

}  // namespace

void TApplication::SetShowHint(bool value) {
  if (FShowHint == value) return;
  FShowHint = value;
  if (!FShowHint) CancelHint();
}

void TApplication::HintMouseMessage(TControl* Control, const TMessage& Message) {
  if (Message.Msg != WM_MOUSEMOVE) {
    if ((Message.Msg >= WM_LBUTTONDOWN && Message.Msg <= WM_MOUSELAST) ||
        Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN)
      CancelHint();
    return;
  }
  const TPoint cursor = FWindows->CursorPos();
  TControl* hintControl = HintControlOf(Control);
  if (FHintActive && hintControl == FHintControl && FHintCursorRect.Contains(cursor)) return;
  const bool wasActive = FHintActive;
  if (hintControl == FHintControl && FHintTimer != 0 && !wasActive) return;  // pause running
  HideHint();
  StopTimer(FHintTimer);
  FHintTimer = 0;
  FHintControl = hintControl;
  if (!FShowHint || !FHintControl) return;
  int pause = wasActive ? FHintShortPause : FHintPause;
  FHintControl->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
  if (pause < 0) return;
  FHintTimer = StartTimer(static_cast<Cardinal>(std::max(pause, 1)), [this] { HintTimerFired(); });
}

void TApplication::HintTimerFired() {
  StopTimer(FHintTimer);
  FHintTimer = 0;
  ActivateHint(FWindows->CursorPos());
}

void TApplication::HideTimerFired() {
  StopTimer(FHideTimer);
  FHideTimer = 0;
  HideHint();
}

void TApplication::ActivateHint(TPoint CursorPos) {
  TControl* under = FindDragTarget(CursorPos, true);
  TControl* control = HintControlOf(under);
  if (!FShowHint || !control) return;
  FHintControl = control;
  THintInfo info;
  info.HintControl = control;
  info.HintPos = {CursorPos.X, CursorPos.Y + CursorHeight};
  info.HintMaxWidth = Screen->Width();
  info.HintColor = FHintColor;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(CursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = ShortHint(control->Hint());
  const LRESULT refused = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  if (refused != 0 || info.HintStr.empty()) {
    HideHint();
    return;
  }
  THintWindowClass factory =
      info.HintWindowClass ? info.HintWindowClass : &HintWindowClassOf<THintWindow>;
  if (FHintWindow && FHintWindowClass != factory) {
    delete FHintWindow;
    FHintWindow = nullptr;
  }
  if (!FHintWindow) {
    FHintWindow = factory(this);
    FHintWindowClass = factory;
  }
  FHintWindow->SetColor(info.HintColor);
  TRect rect = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  rect.Offset(info.HintPos.X, info.HintPos.Y);
  rect = KeepInside(rect, Screen->DesktopRect());
  FHintWindow->ActivateHintData(rect, info.HintStr, info.HintData);
  FHintActive = true;
  const TPoint origin = control->ClientOrigin();
  FHintCursorRect = info.CursorRect;
  FHintCursorRect.Offset(origin.X, origin.Y);
  StopTimer(FHideTimer);
  FHideTimer = 0;
  if (info.HideTimeout > 0)
    FHideTimer = StartTimer(static_cast<Cardinal>(info.HideTimeout), [this] { HideTimerFired(); });
  if (info.ReshowTimeout > 0)
    FHintTimer =
        StartTimer(static_cast<Cardinal>(info.ReshowTimeout), [this] { HintTimerFired(); });
}

void TApplication::HideHint() {
  if (FHintWindow && FHintWindow->Active()) FHintWindow->ReleaseHandle();
  if (FHintActive) FHintHiddenAt = Tick();
  FHintActive = false;
  StopTimer(FHideTimer);
  FHideTimer = 0;
}

void TApplication::CancelHint() {
  StopTimer(FHintTimer);
  FHintTimer = 0;
  HideHint();
  FHintControl = nullptr;
}

}  // namespace kel
