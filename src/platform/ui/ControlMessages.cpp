// Message dispatch: the handler table (message id -> the virtual handler named after it, with
// the typed record decoded before and stored back after the call), and TControl's handlers for
// mouse, wheel, context menu and the CM_ notifications.
#include <algorithm>
#include <array>
#include <type_traits>

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

template <typename>
struct THandlerTraits;
template <typename C, typename M>
struct THandlerTraits<void (C::*)(M&)> {
  using Class = C;
  using Record = M;
};

using TThunk = void (*)(TControl&, TMessage&);

struct THandlerEntry {
  Cardinal Msg;
  TThunk Thunk;
  bool WindowOnly;  // the handler is a TWinControl member
};

}  // namespace

// Friend of the control classes: builds the table from their protected handlers.
struct TMessageTables {
  template <auto Handler>
  static void Thunk(TControl& control, TMessage& message) {
    using Traits = THandlerTraits<decltype(Handler)>;
    auto& self = static_cast<typename Traits::Class&>(control);
    if constexpr (std::is_same_v<typename Traits::Record, TMessage>) {
      (self.*Handler)(message);
    } else {
      typename Traits::Record record(message);
      (self.*Handler)(record);
      record.StoreTo(message);
    }
  }

  template <auto Handler>
  static constexpr THandlerEntry Entry(Cardinal msg) {
    using Class = typename THandlerTraits<decltype(Handler)>::Class;
    return {msg, &Thunk<Handler>, !std::is_same_v<Class, TControl>};
  }

  static const std::vector<THandlerEntry>& Table() {
    static const std::vector<THandlerEntry> table = [] {
      std::vector<THandlerEntry> t = {
          Entry<&TControl::WMLButtonDown>(WM_LBUTTONDOWN),
          Entry<&TControl::WMLButtonUp>(WM_LBUTTONUP),
          Entry<&TControl::WMLButtonDblClk>(WM_LBUTTONDBLCLK),
          Entry<&TControl::WMRButtonDown>(WM_RBUTTONDOWN),
          Entry<&TControl::WMRButtonUp>(WM_RBUTTONUP),
          Entry<&TControl::WMRButtonDblClk>(WM_RBUTTONDBLCLK),
          Entry<&TControl::WMMButtonDown>(WM_MBUTTONDOWN),
          Entry<&TControl::WMMButtonUp>(WM_MBUTTONUP),
          Entry<&TControl::WMMButtonDblClk>(WM_MBUTTONDBLCLK),
          Entry<&TControl::WMMouseMove>(WM_MOUSEMOVE),
          Entry<&TControl::WMMouseWheel>(WM_MOUSEWHEEL),
          Entry<&TControl::WMCancelMode>(WM_CANCELMODE),
          Entry<&TControl::WMContextMenu>(WM_CONTEXTMENU),
          Entry<&TControl::CMEnabledChanged>(CM_ENABLEDCHANGED),
          Entry<&TControl::CMVisibleChanged>(CM_VISIBLECHANGED),
          Entry<&TControl::CMFontChanged>(CM_FONTCHANGED),
          Entry<&TControl::CMColorChanged>(CM_COLORCHANGED),
          Entry<&TControl::CMParentFontChanged>(CM_PARENTFONTCHANGED),
          Entry<&TControl::CMParentColorChanged>(CM_PARENTCOLORCHANGED),
          Entry<&TControl::CMParentShowHintChanged>(CM_PARENTSHOWHINTCHANGED),
          Entry<&TControl::CMParentBiDiModeChanged>(CM_PARENTBIDIMODECHANGED),
          Entry<&TControl::CMBiDiModeChanged>(CM_BIDIMODECHANGED),
          Entry<&TControl::CMTextChanged>(CM_TEXTCHANGED),
          Entry<&TControl::CMCursorChanged>(CM_CURSORCHANGED),
          Entry<&TControl::CMHintShow>(CM_HINTSHOW),
          Entry<&TControl::CMHintShowPause>(CM_HINTSHOWPAUSE),
          Entry<&TControl::CMMouseEnter>(CM_MOUSEENTER),
          Entry<&TControl::CMMouseLeave>(CM_MOUSELEAVE),
          Entry<&TControl::CMMouseWheel>(CM_MOUSEWHEEL),
          Entry<&TControl::CMCancelMode>(CM_CANCELMODE),
          Entry<&TControl::CMDesignHitTest>(CM_DESIGNHITTEST),
          Entry<&TWinControl::WMPaint>(WM_PAINT),
          Entry<&TWinControl::WMNCPaint>(WM_NCPAINT),
          Entry<&TWinControl::WMEraseBkgnd>(WM_ERASEBKGND),
          Entry<&TWinControl::WMSize>(WM_SIZE),
          Entry<&TWinControl::WMSetFocus>(WM_SETFOCUS),
          Entry<&TWinControl::WMKillFocus>(WM_KILLFOCUS),
          Entry<&TWinControl::WMKeyDown>(WM_KEYDOWN),
          Entry<&TWinControl::WMKeyUp>(WM_KEYUP),
          Entry<&TWinControl::WMSysKeyDown>(WM_SYSKEYDOWN),
          Entry<&TWinControl::WMSysKeyUp>(WM_SYSKEYUP),
          Entry<&TWinControl::WMChar>(WM_CHAR),
          Entry<&TWinControl::WMSetCursor>(WM_SETCURSOR),
          Entry<&TWinControl::WMHScroll>(WM_HSCROLL),
          Entry<&TWinControl::WMVScroll>(WM_VSCROLL),
          Entry<&TWinControl::WMGetDlgCode>(WM_GETDLGCODE),
          Entry<&TWinControl::WMTimer>(WM_TIMER),
          Entry<&TWinControl::CNKeyDown>(CN_KEYDOWN),
          Entry<&TWinControl::CNKeyDown>(CN_SYSKEYDOWN),
          Entry<&TWinControl::CNChar>(CN_CHAR),
          Entry<&TWinControl::CMEnter>(CM_ENTER),
          Entry<&TWinControl::CMExit>(CM_EXIT),
          Entry<&TWinControl::CMShowingChanged>(CM_SHOWINGCHANGED),
          Entry<&TWinControl::CMDialogKey>(CM_DIALOGKEY),
          Entry<&TWinControl::CMDialogChar>(CM_DIALOGCHAR),
          Entry<&TWinControl::CMChildKey>(CM_CHILDKEY),
          Entry<&TWinControl::CMWantSpecialKey>(CM_WANTSPECIALKEY),
          Entry<&TWinControl::CMCtl3DChanged>(CM_CTL3DCHANGED),
          Entry<&TWinControl::CMBorderChanged>(CM_BORDERCHANGED),
          Entry<&TWinControl::CMInvalidate>(CM_INVALIDATE),
          Entry<&TWinControl::CMRecreateWnd>(CM_RECREATEWND),
          Entry<&TWinControl::CMRelease>(CM_RELEASE),
      };
      std::sort(t.begin(), t.end(),
                [](const THandlerEntry& a, const THandlerEntry& b) { return a.Msg < b.Msg; });
      return t;
    }();
    return table;
  }
};

void TControl::Dispatch(TMessage& Message) {
  const auto& table = TMessageTables::Table();
  const auto it = std::lower_bound(
      table.begin(), table.end(), Message.Msg,
      [](const THandlerEntry& entry, Cardinal msg) { return entry.Msg < msg; });
  if (it != table.end() && it->Msg == Message.Msg &&
      (!it->WindowOnly || dynamic_cast<TWinControl*>(this))) {
    it->Thunk(*this, Message);
    return;
  }
  DefaultHandler(Message);
}

// ---- Mouse ------------------------------------------------------------------------------------

void TControl::WMLButtonDown(TWMLButtonDown& Message) {
  SendCancelMode(this);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) FControlState += csClicked;
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMLButtonDblClk& Message) {
  SendCancelMode(this);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMLButtonUp& Message) {
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState -= csClicked;
    if (ClientRect().Contains(Message.Pos())) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TWMRButtonDown& Message) { DoMouseDown(Message, mbRight, {}); }

void TControl::WMRButtonDblClk(TWMRButtonDblClk& Message) {
  DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TWMRButtonUp& Message) {
  // The window's default handling turns the release into a context menu request.
  TMessage raw = Message.Raw();
  DefaultHandler(raw);
  if (raw.Msg == WM_RBUTTONUP && raw.Result == 0) {
    const TPoint screen = ClientToScreen(Message.Pos());
    Perform(WM_CONTEXTMENU, 0, PointToLParam(screen));
  }
  Message.Result = raw.Result;
  DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TWMMButtonDown& Message) { DoMouseDown(Message, mbMiddle, {}); }

void TControl::WMMButtonDblClk(TWMMButtonDblClk& Message) {
  DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TWMMButtonUp& Message) { DoMouseUp(Message, mbMiddle); }

void TControl::WMMouseMove(TWMMouseMove& Message) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  MouseMove(KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMMouseWheel(TWMMouseWheel& Message) {
  TCMMouseWheel wheel;
  wheel.Msg = CM_MOUSEWHEEL;
  wheel.ShiftState = KeysToShiftState(Message.Keys);
  wheel.WheelDelta = Message.WheelDelta;
  wheel.XPos = Message.XPos;
  wheel.YPos = Message.YPos;
  TMessage raw = wheel.Raw();
  Message.Result = Perform(raw);
}

void TControl::WMCancelMode(TWMCancelMode& Message) {
  if (MouseCapture()) SetMouseCapture(false);
  FControlState -= csClicked;
}

void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint pos = LParamToPoint(Message.LParam);
  if (pos.X == -1 && pos.Y == -1) pos = ClientToScreen(ClientRect().CenterPoint());
  if (FPopupMenu && FPopupMenu->AutoPopup()) {
    SendCancelMode(nullptr);
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(pos.X, pos.Y);
    Message.Result = 1;
    return;
  }
  DefaultHandler(Message);
}

void TControl::CMMouseWheel(TCMMouseWheel& Message) {
  Message.Result = 0;
  if (DoMouseWheel(Message.ShiftState, Message.WheelDelta, Message.Pos())) {
    Message.Result = 1;
    return;
  }
  if (FParent) {
    TMessage raw = Message.Raw();
    Message.Result = FParent->Perform(raw);
  }
}

void TControl::CMMouseEnter(TMessage& Message) {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (OnMouseLeave) OnMouseLeave(this);
}

// ---- Notifications ----------------------------------------------------------------------------

void TControl::CMEnabledChanged(TMessage& Message) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage& Message) { InvalidateRectOfControl(nullptr); }

void TControl::CMFontChanged(TMessage& Message) { Invalidate(); }

void TControl::CMColorChanged(TMessage& Message) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& Message) {
  if (FParentFont) TakeParentFont();
}

void TControl::CMParentColorChanged(TMessage& Message) {
  if (FParentColor) TakeParentColor();
}

void TControl::CMParentShowHintChanged(TMessage& Message) {
  if (FParentShowHint && FParent) FShowHint = FParent->ShowHint();
}

void TControl::CMParentBiDiModeChanged(TMessage& Message) {
  if (!FParentBiDiMode || !FParent || FBiDiMode == FParent->BiDiMode()) return;
  FBiDiMode = FParent->BiDiMode();
  Perform(CM_BIDIMODECHANGED);
}

void TControl::CMBiDiModeChanged(TMessage& Message) { Invalidate(); }

void TControl::CMTextChanged(TMessage& Message) { Invalidate(); }

void TControl::CMCursorChanged(TMessage& Message) {
  if (Application->Windows().MouseControl() == this) Screen->ShowCursorOf(FCursor);
}

void TControl::CMHintShow(TCMHintShow& Message) {}

void TControl::CMHintShowPause(TCMHintShowPause& Message) {}

}  // namespace kel
