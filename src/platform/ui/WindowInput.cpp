// Input routing: a backend (or test kit) event becomes window messages.
//
// Mouse: the target is the window holding the capture, else the deepest shown window under the
// point (topmost top-level first). A press on a scroll bar is tracked here; elsewhere in the
// frame it is dropped. Moves send CM_MOUSELEAVE / CM_MOUSEENTER along the changed part of the
// parent chain, WM_SETCURSOR, then WM_MOUSEMOVE. A press on the same button within the
// double-click time and distance of the previous one, on a window that wants double clicks,
// becomes WM_xBUTTONDBLCLK. The wheel goes to the focused window.
// Keys: WM_CHAR for the typed character is queued first (so a key handler can peek and remove
// it), then WM_KEYDOWN goes to the focused window through the CN_KEYDOWN pre-processing.
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

Cardinal ButtonMessage(TMouseButton button, TInputKind kind, bool dbl) {
  static constexpr Cardinal down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static constexpr Cardinal up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  static constexpr Cardinal dblclk[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  if (kind == ikMouseUp) return up[button];
  return dbl ? dblclk[button] : down[button];
}

int ButtonKey(TMouseButton button) {
  static constexpr int keys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  return keys[button];
}

// Keys of the Shift and Ctrl state, Alt from the key data.
LPARAM KeyData(const TInputEvent& event, bool up) {
  LPARAM data = 1;
  if (event.Shift.Contains(ssAlt)) data |= AltMask;
  if (up) data |= static_cast<LPARAM>(0xC0000000u);
  return data;
}

bool IsAncestorOrSelf(const TControl* ancestor, const TControl* control) {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == ancestor) return true;
  return false;
}

}  // namespace

void TWindowManager::RouteInput(const TInputEvent& Event) {
  SetKey(VK_SHIFT, Event.Shift.Contains(ssShift));
  SetKey(VK_CONTROL, Event.Shift.Contains(ssCtrl));
  SetKey(VK_MENU, Event.Shift.Contains(ssAlt));
  TWinControl* top = Find(Event.Window);
  TPoint screen = FCursorPos;
  if (top && (Event.Kind == ikMouseMove || Event.Kind == ikMouseDown || Event.Kind == ikMouseUp ||
              Event.Kind == ikWheel)) {
    screen = {top->Left() + Event.Pos.X, top->Top() + Event.Pos.Y};
    FCursorPos = screen;
  }
  switch (Event.Kind) {
    case ikMouseMove:
    case ikMouseDown:
    case ikMouseUp: RouteMouse(Event, screen); break;
    case ikWheel: RouteWheel(Event, screen); break;
    case ikKeyDown:
    case ikKeyUp: RouteKey(Event); break;
    case ikText: RouteText(Event); break;
    case ikQuit: Application->Terminate(); break;
    default: RouteWindowEvent(Event); break;
  }
}

TWinControl* TWindowManager::ChildWindowAt(TWinControl* Parent, TPoint ClientPos) const {
  for (auto it = Parent->FControls.rbegin(); it != Parent->FControls.rend(); ++it) {
    auto* window = dynamic_cast<TWinControl*>(*it);
    if (!window || !window->FHandle || window->FTopWindow) continue;
    const auto info = FWindows.find(window->FHandle);
    if (info == FWindows.end() || !info->second.Visible) continue;
    if (!window->BoundsRect().Contains(ClientPos)) continue;
    const TRect client = ClientArea(window);
    const TPoint inner{ClientPos.X - window->Left() - client.Left,
                       ClientPos.Y - window->Top() - client.Top};
    if (!Rect(0, 0, client.Width(), client.Height()).Contains(inner)) return window;
    TWinControl* deeper = ChildWindowAt(window, inner);
    return deeper ? deeper : window;
  }
  return nullptr;
}

TWinControl* TWindowManager::WindowAt(TPoint ScreenPos) const {
  for (int pass = 0; pass < 2; ++pass)
    for (auto it = FTopLevels.rbegin(); it != FTopLevels.rend(); ++it) {
      TWinControl* top = *it;
      const bool topMost = (top->FParams.ExStyle & WS_EX_TOPMOST) != 0;
      if (topMost != (pass == 0)) continue;
      if (!IsWindowShown(top) || !top->BoundsRect().Contains(ScreenPos)) continue;
      const TPoint client = top->ScreenToClient(ScreenPos);
      if (!top->ClientRect().Contains(client)) return top;
      TWinControl* child = ChildWindowAt(top, client);
      return child ? child : top;
    }
  return nullptr;
}

bool TWindowManager::IsDoubleClick(HWND Wnd, TMouseButton Button, TPoint ScreenPos) {
  const std::uint64_t now = Application->Tick();
  const TSystemMetrics& metrics = SystemMetrics();
  const bool dbl = !FLastWasDouble && FLastClickWnd == Wnd && FLastClickButton == Button &&
                   now - FLastClickTime <= static_cast<std::uint64_t>(metrics.DoubleClickTime) &&
                   std::abs(ScreenPos.X - FLastClickPos.X) <= metrics.DoubleClickDistance &&
                   std::abs(ScreenPos.Y - FLastClickPos.Y) <= metrics.DoubleClickDistance;
  FLastClickWnd = Wnd;
  FLastClickButton = Button;
  FLastClickTime = now;
  FLastClickPos = ScreenPos;
  FLastWasDouble = dbl;
  return dbl;
}

void TWindowManager::UpdateMouseControl(TControl* NewControl) {
  TControl* old = FMouseControl;
  if (old == NewControl) return;
  FMouseControl = NewControl;
  for (TControl* c = old; c; c = c->Parent()) {
    if (IsAncestorOrSelf(c, NewControl)) break;
    c->Perform(CM_MOUSELEAVE);
    if (FMouseControl != NewControl) return;  // a handler destroyed or moved things
  }
  std::vector<TControl*> entered;
  for (TControl* c = NewControl; c; c = c->Parent()) {
    if (IsAncestorOrSelf(c, old)) break;
    entered.push_back(c);
  }
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    (*it)->Perform(CM_MOUSEENTER);
    if (FMouseControl != NewControl) return;
  }
  if (NewControl) Screen->ShowCursorOf(NewControl->Cursor());
}

void TWindowManager::RouteMouse(const TInputEvent& Event, TPoint ScreenPos) {
  if (Event.Kind != ikMouseMove) SetKey(ButtonKey(Event.Button), Event.Kind == ikMouseDown);
  if (FBarWnd) {  // a scroll bar holds the mouse
    if (Event.Kind == ikMouseMove) BarMouseMove(ScreenPos);
    if (Event.Kind == ikMouseUp) BarMouseUp();
    return;
  }
  TWinControl* under = WindowAt(ScreenPos);
  TWinControl* target = FCapture ? Find(FCapture) : under;
  if (Event.Kind == ikMouseDown) {
    Application->CancelHint();
    // A press outside an open popup menu closes it (the menu window holds the capture).
    if (TPopupMenuWindow* menu = ActivePopupMenuWindow(); menu && TopOf(under) != menu) {
      menu->CloseWith(nullptr);
      target = FCapture ? Find(FCapture) : under;
    }
  }
  TControl* hover = nullptr;
  if (under) {
    const TPoint client = under->ScreenToClient(ScreenPos);
    hover = under->ControlAtPos(client, false);
    if (!hover) hover = under;
  }
  UpdateMouseControl(hover);
  if (!target || !Find(target->FHandle)) return;
  if (!IsWindowEnabled(target->FHandle) && !FCapture) return;
  if (Event.Kind != ikMouseMove && MouseBlockedByModal(TopOf(target))) return;
  const HWND wnd = target->FHandle;
  const TPoint client = target->ScreenToClient(ScreenPos);
  const TRect clientRect = target->ClientRect();
  const bool inClient = FCapture || clientRect.Contains(client);
  if (!inClient) {
    if (Event.Kind == ikMouseDown) {
      const TRect area = ClientArea(target);
      BarMouseDown(target, {client.X + area.Left, client.Y + area.Top});
    }
    return;
  }
  WPARAM keys = ShiftStateToKeys(ShiftState());
  TMessage message{WM_MOUSEMOVE, keys, PointToLParam(client), 0};
  if (Event.Kind == ikMouseMove) {
    Application->SendMessage(wnd, WM_SETCURSOR, wnd, MakeLParam(HTCLIENT, WM_MOUSEMOVE));
    if (!Find(wnd)) return;
    Application->HintMouseMessage(hover, message);
    Application->SendMessage(wnd, WM_MOUSEMOVE, keys, message.LParam);
    return;
  }
  bool dbl = false;
  if (Event.Kind == ikMouseDown) {
    dbl = IsDoubleClick(wnd, Event.Button, ScreenPos) &&
          (target->FParams.ClassStyle & CS_DBLCLKS) != 0;
    TWinControl* top = TopOf(target);
    if (top && dynamic_cast<TCustomForm*>(top) && top->FHandle != FActiveWindow)
      SetActiveWindow(top);
  }
  message.Msg = ButtonMessage(Event.Button, Event.Kind, dbl);
  Application->HintMouseMessage(hover, message);
  Application->SendMessage(wnd, message.Msg, keys, message.LParam);
}

void TWindowManager::RouteWheel(const TInputEvent& Event, TPoint ScreenPos) {
  TWinControl* target = Find(FFocus);
  if (!target || !IsWindowShown(target)) target = WindowAt(ScreenPos);
  if (!target) return;
  Application->CancelHint();
  const WPARAM keys = ShiftStateToKeys(ShiftState());
  Application->SendMessage(target->FHandle, WM_MOUSEWHEEL,
                           MakeWParam(static_cast<int>(keys), Event.WheelDelta * WHEEL_DELTA),
                           PointToLParam(ScreenPos));
}

void TWindowManager::DispatchKeyMessage(TWinControl* Control, TMessage& Message) {
  const HWND wnd = Control->FHandle;
  Application->HintMouseMessage(Control, Message);
  if (Application->SendMessage(wnd, CN_BASE + Message.Msg, Message.WParam, Message.LParam) != 0)
    return;
  if (Find(wnd)) Message.Result = Application->SendMessage(wnd, Message.Msg, Message.WParam, Message.LParam);
}

void TWindowManager::RouteKey(const TInputEvent& Event) {
  const bool down = Event.Kind == ikKeyDown;
  SetKey(Event.Key, down);
  if (TPopupMenuWindow* menu = ActivePopupMenuWindow(); menu && down && menu->MenuKey(Event.Key))
    return;
  TWinControl* target = Find(FFocus);
  if (!target) target = Find(FActiveWindow);
  if (!target) return;
  const bool alt = Event.Shift.Contains(ssAlt) && !Event.Shift.Contains(ssCtrl);
  if (down && Event.KeyChar != 0) {
    TApplication::TQueued item;
    item.Msg = {target->FHandle, alt ? WM_SYSCHAR : WM_CHAR, Event.KeyChar, KeyData(Event, false),
                GetTickCount(), FCursorPos};
    Application->FQueue.push_front(std::move(item));
  }
  TMessage message{down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP),
                   Event.Key, KeyData(Event, !down), 0};
  if (down)
    DispatchKeyMessage(target, message);
  else
    Application->SendMessage(target->FHandle, message.Msg, message.WParam, message.LParam);
}

void TWindowManager::RouteText(const TInputEvent& Event) {
  TWinControl* target = Find(FFocus);
  if (!target) return;
  const HWND wnd = target->FHandle;
  const String& text = Event.Text;
  for (std::size_t i = 0; i < text.size();) {
    // Decode one UTF-8 code point.
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    Char code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < text.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += static_cast<std::size_t>(length);
    TMessage message{WM_CHAR, code, 1, 0};
    if (TWinControl* control = Find(wnd)) DispatchKeyMessage(control, message);
  }
}

void TWindowManager::RouteWindowEvent(const TInputEvent& Event) {
  TWinControl* top = Find(Event.Window);
  if (!top) return;
  switch (Event.Kind) {
    case ikWindowClose: Application->SendMessage(top->FHandle, WM_CLOSE, 0, 0); break;
    case ikWindowMoved:
    case ikWindowResized: {
      FApplyingNativeBounds = true;
      try {
        if (Event.Kind == ikWindowMoved)
          top->SetBounds(Event.Pos.X, Event.Pos.Y, top->Width(), top->Height());
        else
          top->SetBounds(top->Left(), top->Top(), Event.Width, Event.Height);
      } catch (...) {
        FApplyingNativeBounds = false;
        throw;
      }
      FApplyingNativeBounds = false;
      break;
    }
    case ikWindowExposed:
      if (top->FTopWindow && top->FTopWindow->NativeShown)
        Backend()->Present(top->FHandle, top->FTopWindow->Surface,
                           Rect(0, 0, top->Width(), top->Height()));
      break;
    case ikWindowFocusGained:
      // A popup that the desktop focused hands the keyboard back to its owner at once.
      if (dynamic_cast<TCustomForm*>(top))
        SetActiveWindow(top);
      else if (TWinControl* active = Find(FActiveWindow); active && IsWindowShown(active))
        Backend()->FocusWindow(FActiveWindow);
      break;
    default: break;
  }
}

}  // namespace kel
