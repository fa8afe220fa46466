// The message vocabulary of the window layer: message ids with their classic numeric values, the
// raw `TMessage`, the typed message records handlers receive, virtual-key codes, scroll codes,
// mouse-key flags, shift states and mouse buttons.
//
// A typed record (`TWMKey`, `TWMMouse`, ...) is decoded from a `TMessage` before its handler runs
// and stored back afterwards, so a handler may change `Result` or zero a `CharCode` to eat a key.
// `Raw()` rebuilds the raw message for forwarding it elsewhere.
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"

namespace kel {

using Word = std::uint16_t;
using DWord = std::uint32_t;
// A window handle: a number given to each window when it is created and never reused; 0 = none.
using HWND = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
  Cardinal Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// ---- Window messages -------------------------------------------------------------------------
constexpr Cardinal WM_NULL = 0x0000;
constexpr Cardinal WM_CREATE = 0x0001;
constexpr Cardinal WM_DESTROY = 0x0002;
constexpr Cardinal WM_MOVE = 0x0003;
constexpr Cardinal WM_SIZE = 0x0005;
constexpr Cardinal WM_ACTIVATE = 0x0006;
constexpr Cardinal WM_SETFOCUS = 0x0007;
constexpr Cardinal WM_KILLFOCUS = 0x0008;
constexpr Cardinal WM_ENABLE = 0x000A;
constexpr Cardinal WM_SETTEXT = 0x000C;
constexpr Cardinal WM_GETTEXT = 0x000D;
constexpr Cardinal WM_PAINT = 0x000F;
constexpr Cardinal WM_CLOSE = 0x0010;
constexpr Cardinal WM_QUIT = 0x0012;
constexpr Cardinal WM_ERASEBKGND = 0x0014;
constexpr Cardinal WM_SHOWWINDOW = 0x0018;
constexpr Cardinal WM_CANCELMODE = 0x001F;
constexpr Cardinal WM_SETCURSOR = 0x0020;
constexpr Cardinal WM_MOUSEACTIVATE = 0x0021;
constexpr Cardinal WM_CONTEXTMENU = 0x007B;
constexpr Cardinal WM_NCHITTEST = 0x0084;
constexpr Cardinal WM_NCPAINT = 0x0085;
constexpr Cardinal WM_GETDLGCODE = 0x0087;
constexpr Cardinal WM_NCMOUSEMOVE = 0x00A0;
constexpr Cardinal WM_NCLBUTTONDOWN = 0x00A1;
constexpr Cardinal WM_NCLBUTTONUP = 0x00A2;
constexpr Cardinal WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr Cardinal WM_KEYDOWN = 0x0100;
constexpr Cardinal WM_KEYUP = 0x0101;
constexpr Cardinal WM_CHAR = 0x0102;
constexpr Cardinal WM_SYSKEYDOWN = 0x0104;
constexpr Cardinal WM_SYSKEYUP = 0x0105;
constexpr Cardinal WM_SYSCHAR = 0x0106;
constexpr Cardinal WM_IME_STARTCOMPOSITION = 0x010D;
constexpr Cardinal WM_COMMAND = 0x0111;
constexpr Cardinal WM_TIMER = 0x0113;
constexpr Cardinal WM_HSCROLL = 0x0114;
constexpr Cardinal WM_VSCROLL = 0x0115;
constexpr Cardinal WM_MOUSEFIRST = 0x0200;
constexpr Cardinal WM_MOUSEMOVE = 0x0200;
constexpr Cardinal WM_LBUTTONDOWN = 0x0201;
constexpr Cardinal WM_LBUTTONUP = 0x0202;
constexpr Cardinal WM_LBUTTONDBLCLK = 0x0203;
constexpr Cardinal WM_RBUTTONDOWN = 0x0204;
constexpr Cardinal WM_RBUTTONUP = 0x0205;
constexpr Cardinal WM_RBUTTONDBLCLK = 0x0206;
constexpr Cardinal WM_MBUTTONDOWN = 0x0207;
constexpr Cardinal WM_MBUTTONUP = 0x0208;
constexpr Cardinal WM_MBUTTONDBLCLK = 0x0209;
constexpr Cardinal WM_MOUSEWHEEL = 0x020A;
constexpr Cardinal WM_MOUSELAST = 0x020A;
constexpr Cardinal WM_CAPTURECHANGED = 0x0215;
constexpr Cardinal WM_CUT = 0x0300;
constexpr Cardinal WM_COPY = 0x0301;
constexpr Cardinal WM_PASTE = 0x0302;
constexpr Cardinal WM_CLEAR = 0x0303;
constexpr Cardinal WM_UNDO = 0x0304;
constexpr Cardinal WM_USER = 0x0400;

// ---- Control messages (the library's own, between controls) -----------------------------------
constexpr Cardinal CM_BASE = 0xB000;
constexpr Cardinal CM_ACTIVATE = CM_BASE + 0;
constexpr Cardinal CM_DEACTIVATE = CM_BASE + 1;
constexpr Cardinal CM_GOTFOCUS = CM_BASE + 2;
constexpr Cardinal CM_LOSTFOCUS = CM_BASE + 3;
constexpr Cardinal CM_CANCELMODE = CM_BASE + 4;
constexpr Cardinal CM_DIALOGKEY = CM_BASE + 5;
constexpr Cardinal CM_DIALOGCHAR = CM_BASE + 6;
constexpr Cardinal CM_FOCUSCHANGED = CM_BASE + 7;
constexpr Cardinal CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr Cardinal CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr Cardinal CM_HITTEST = CM_BASE + 10;
constexpr Cardinal CM_VISIBLECHANGED = CM_BASE + 11;
constexpr Cardinal CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr Cardinal CM_COLORCHANGED = CM_BASE + 13;
constexpr Cardinal CM_FONTCHANGED = CM_BASE + 14;
constexpr Cardinal CM_CURSORCHANGED = CM_BASE + 15;
constexpr Cardinal CM_CTL3DCHANGED = CM_BASE + 16;
constexpr Cardinal CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr Cardinal CM_TEXTCHANGED = CM_BASE + 18;
constexpr Cardinal CM_MOUSEENTER = CM_BASE + 19;
constexpr Cardinal CM_MOUSELEAVE = CM_BASE + 20;
constexpr Cardinal CM_MENUCHANGED = CM_BASE + 21;
constexpr Cardinal CM_BUTTONPRESSED = CM_BASE + 24;
constexpr Cardinal CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr Cardinal CM_ENTER = CM_BASE + 26;
constexpr Cardinal CM_EXIT = CM_BASE + 27;
constexpr Cardinal CM_DESIGNHITTEST = CM_BASE + 28;
constexpr Cardinal CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr Cardinal CM_RELEASE = CM_BASE + 33;
constexpr Cardinal CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr Cardinal CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr Cardinal CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr Cardinal CM_CHILDKEY = CM_BASE + 46;
constexpr Cardinal CM_HINTSHOW = CM_BASE + 48;
constexpr Cardinal CM_RECREATEWND = CM_BASE + 51;
constexpr Cardinal CM_INVALIDATE = CM_BASE + 52;
constexpr Cardinal CM_BORDERCHANGED = CM_BASE + 59;
constexpr Cardinal CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr Cardinal CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr Cardinal CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr Cardinal CM_MOUSEWHEEL = CM_BASE + 67;
// Sent to every control after the visual style changed.
constexpr Cardinal CM_STYLECHANGED = CM_BASE + 87;

// Key messages as the control layer pre-processes them before the window sees them (dialog keys,
// CM_CHILDKEY); a non-zero result eats the key.
constexpr Cardinal CN_BASE = 0xBC00;
constexpr Cardinal CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr Cardinal CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr Cardinal CN_CHAR = CN_BASE + WM_CHAR;
constexpr Cardinal CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr Cardinal CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// ---- Codes carried by messages ----------------------------------------------------------------
// WM_SIZE kinds.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// Scroll bar kinds and scroll request codes (WM_HSCROLL / WM_VSCROLL).
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;
constexpr Word SB_LINEUP = 0;
constexpr Word SB_LINELEFT = 0;
constexpr Word SB_LINEDOWN = 1;
constexpr Word SB_LINERIGHT = 1;
constexpr Word SB_PAGEUP = 2;
constexpr Word SB_PAGELEFT = 2;
constexpr Word SB_PAGEDOWN = 3;
constexpr Word SB_PAGERIGHT = 3;
constexpr Word SB_THUMBPOSITION = 4;
constexpr Word SB_THUMBTRACK = 5;
constexpr Word SB_TOP = 6;
constexpr Word SB_LEFT = 6;
constexpr Word SB_BOTTOM = 7;
constexpr Word SB_RIGHT = 7;
constexpr Word SB_ENDSCROLL = 8;

// Mouse-key flags in the WParam of mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// WM_SETCURSOR / WM_NCHITTEST areas.
constexpr Word HTERROR = Word(-2);
constexpr Word HTTRANSPARENT = Word(-1);
constexpr Word HTNOWHERE = 0;
constexpr Word HTCLIENT = 1;
constexpr Word HTHSCROLL = 6;
constexpr Word HTVSCROLL = 7;
constexpr Word HTBORDER = 18;

// The wheel delta of one notch.
constexpr int WHEEL_DELTA = 120;

// Bit 29 of a key message's key data: Alt was held.
constexpr LPARAM AltMask = 0x20000000;

// ---- Virtual-key codes ------------------------------------------------------------------------
constexpr Word VK_LBUTTON = 0x01;
constexpr Word VK_RBUTTON = 0x02;
constexpr Word VK_CANCEL = 0x03;
constexpr Word VK_MBUTTON = 0x04;
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_CLEAR = 0x0C;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_PAUSE = 0x13;
constexpr Word VK_CAPITAL = 0x14;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;
constexpr Word VK_NEXT = 0x22;
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_SELECT = 0x29;
constexpr Word VK_PRINT = 0x2A;
constexpr Word VK_SNAPSHOT = 0x2C;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_HELP = 0x2F;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A, as their characters.
constexpr Word VK_LWIN = 0x5B;
constexpr Word VK_RWIN = 0x5C;
constexpr Word VK_APPS = 0x5D;
constexpr Word VK_NUMPAD0 = 0x60;
constexpr Word VK_NUMPAD1 = 0x61;
constexpr Word VK_NUMPAD2 = 0x62;
constexpr Word VK_NUMPAD3 = 0x63;
constexpr Word VK_NUMPAD4 = 0x64;
constexpr Word VK_NUMPAD5 = 0x65;
constexpr Word VK_NUMPAD6 = 0x66;
constexpr Word VK_NUMPAD7 = 0x67;
constexpr Word VK_NUMPAD8 = 0x68;
constexpr Word VK_NUMPAD9 = 0x69;
constexpr Word VK_MULTIPLY = 0x6A;
constexpr Word VK_ADD = 0x6B;
constexpr Word VK_SEPARATOR = 0x6C;
constexpr Word VK_SUBTRACT = 0x6D;
constexpr Word VK_DECIMAL = 0x6E;
constexpr Word VK_DIVIDE = 0x6F;
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F6 = 0x75;
constexpr Word VK_F7 = 0x76;
constexpr Word VK_F8 = 0x77;
constexpr Word VK_F9 = 0x78;
constexpr Word VK_F10 = 0x79;
constexpr Word VK_F11 = 0x7A;
constexpr Word VK_F12 = 0x7B;
constexpr Word VK_NUMLOCK = 0x90;
constexpr Word VK_SCROLL = 0x91;
constexpr Word VK_LSHIFT = 0xA0;
constexpr Word VK_RSHIFT = 0xA1;
constexpr Word VK_LCONTROL = 0xA2;
constexpr Word VK_RCONTROL = 0xA3;
constexpr Word VK_LMENU = 0xA4;
constexpr Word VK_RMENU = 0xA5;

// ---- Shift state and mouse buttons ------------------------------------------------------------
enum TShiftStateElement : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateElement>;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// ---- Packing helpers --------------------------------------------------------------------------
constexpr LPARAM MakeLParam(int low, int high) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                             static_cast<std::uint32_t>(low & 0xFFFF));
}
constexpr WPARAM MakeWParam(int low, int high) {
  return static_cast<WPARAM>(static_cast<std::uint32_t>(MakeLParam(low, high)));
}
constexpr Word LoWord(std::uintptr_t value) { return static_cast<Word>(value & 0xFFFF); }
constexpr Word HiWord(std::uintptr_t value) { return static_cast<Word>((value >> 16) & 0xFFFF); }
// The signed 16-bit halves, as mouse coordinates are packed.
constexpr int LoSmall(std::uintptr_t value) { return static_cast<std::int16_t>(LoWord(value)); }
constexpr int HiSmall(std::uintptr_t value) { return static_cast<std::int16_t>(HiWord(value)); }
constexpr LPARAM PointToLParam(TPoint p) { return MakeLParam(p.X, p.Y); }
constexpr TPoint LParamToPoint(LPARAM value) {
  return {LoSmall(static_cast<std::uintptr_t>(value)), HiSmall(static_cast<std::uintptr_t>(value))};
}

// Mouse-key flags of a mouse message -> shift state; Alt comes from the keyboard state.
TShiftState KeysToShiftState(WPARAM keys);
// Key data of a key message -> shift state; Shift and Ctrl come from the keyboard state.
TShiftState KeyDataToShiftState(LPARAM keyData);
// The mouse-key flags describing a shift state (the inverse of KeysToShiftState without Alt).
WPARAM ShiftStateToKeys(TShiftState shift);

// ---- Typed message records --------------------------------------------------------------------
// A record with no parameters beyond the id (WM_CANCELMODE, WM_GETDLGCODE, CM_MOUSEENTER...).
struct TWMNoParams {
  Cardinal Msg = 0;
  LRESULT Result = 0;
  TWMNoParams() = default;
  explicit TWMNoParams(const TMessage& m) : Msg(m.Msg), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, 0, 0, Result}; }
};
using TWMCancelMode = TWMNoParams;
using TWMGetDlgCode = TWMNoParams;

struct TWMSize {
  Cardinal Msg = 0;
  WPARAM SizeType = SIZE_RESTORED;
  int Width = 0;   // new client width
  int Height = 0;  // new client height
  LRESULT Result = 0;
  TWMSize() = default;
  explicit TWMSize(const TMessage& m)
      : Msg(m.Msg), SizeType(m.WParam), Width(LoWord(m.LParam)), Height(HiWord(m.LParam)),
        Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, SizeType, MakeLParam(Width, Height), Result}; }
};

// WM_SETFOCUS names the window that lost the focus, WM_KILLFOCUS the one that receives it.
struct TWMSetFocus {
  Cardinal Msg = 0;
  HWND FocusedWnd = 0;
  LRESULT Result = 0;
  TWMSetFocus() = default;
  explicit TWMSetFocus(const TMessage& m) : Msg(m.Msg), FocusedWnd(m.WParam), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, FocusedWnd, 0, Result}; }
};
using TWMKillFocus = TWMSetFocus;

// Keys and characters. For WM_KEYDOWN/UP CharCode is a virtual key; for WM_CHAR a code point.
// A handler sets CharCode to 0 to eat the key.
struct TWMKey {
  Cardinal Msg = 0;
  Cardinal CharCode = 0;
  LPARAM KeyData = 0;
  LRESULT Result = 0;
  TWMKey() = default;
  explicit TWMKey(const TMessage& m)
      : Msg(m.Msg), CharCode(static_cast<Cardinal>(m.WParam)), KeyData(m.LParam), Result(m.Result) {}
  void StoreTo(TMessage& m) const {
    m.WParam = CharCode;
    m.Result = Result;
  }
  TMessage Raw() const { return {Msg, CharCode, KeyData, Result}; }
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TWMSysKeyDown = TWMKey;
using TCMWantSpecialKey = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;

// Mouse buttons and moves; the position is in client coordinates of the receiving window.
struct TWMMouse {
  Cardinal Msg = 0;
  WPARAM Keys = 0;  // MK_ flags
  int XPos = 0;
  int YPos = 0;
  LRESULT Result = 0;
  TWMMouse() = default;
  explicit TWMMouse(const TMessage& m)
      : Msg(m.Msg), Keys(m.WParam), XPos(LoSmall(m.LParam)), YPos(HiSmall(m.LParam)),
        Result(m.Result) {}
  TPoint Pos() const { return {XPos, YPos}; }
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, Keys, MakeLParam(XPos, YPos), Result}; }
};
using TWMMouseMove = TWMMouse;
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMRButtonDblClk = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMButtonDblClk = TWMMouse;

// The wheel; the position is in screen coordinates, the delta in multiples of WHEEL_DELTA
// (positive: away from the user).
struct TWMMouseWheel {
  Cardinal Msg = 0;
  WPARAM Keys = 0;
  int WheelDelta = 0;
  int XPos = 0;
  int YPos = 0;
  LRESULT Result = 0;
  TWMMouseWheel() = default;
  explicit TWMMouseWheel(const TMessage& m)
      : Msg(m.Msg), Keys(LoWord(m.WParam)), WheelDelta(HiSmall(m.WParam)), XPos(LoSmall(m.LParam)),
        YPos(HiSmall(m.LParam)), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const {
    return {Msg, MakeWParam(static_cast<int>(Keys), WheelDelta), MakeLParam(XPos, YPos), Result};
  }
};

// CM_MOUSEWHEEL: the wheel as the control layer passes it on; Result 0 = not consumed.
struct TCMMouseWheel {
  Cardinal Msg = 0;
  TShiftState ShiftState;
  int WheelDelta = 0;
  int XPos = 0;  // screen coordinates
  int YPos = 0;
  LRESULT Result = 0;
  TCMMouseWheel() = default;
  explicit TCMMouseWheel(const TMessage& m)
      : Msg(m.Msg), ShiftState(TShiftState::FromMask(LoWord(m.WParam))),
        WheelDelta(HiSmall(m.WParam)), XPos(LoSmall(m.LParam)), YPos(HiSmall(m.LParam)),
        Result(m.Result) {}
  TPoint Pos() const { return {XPos, YPos}; }
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const {
    return {Msg, MakeWParam(static_cast<int>(ShiftState.Mask()), WheelDelta),
            MakeLParam(XPos, YPos), Result};
  }
};

// WM_HSCROLL / WM_VSCROLL.
struct TWMScroll {
  Cardinal Msg = 0;
  Word ScrollCode = 0;
  int Pos = 0;  // position for SB_THUMBPOSITION / SB_THUMBTRACK
  HWND ScrollBar = 0;
  LRESULT Result = 0;
  TWMScroll() = default;
  explicit TWMScroll(const TMessage& m)
      : Msg(m.Msg), ScrollCode(LoWord(m.WParam)), Pos(HiSmall(m.WParam)),
        ScrollBar(static_cast<HWND>(m.LParam)), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const {
    return {Msg, MakeWParam(ScrollCode, Pos), static_cast<LPARAM>(ScrollBar), Result};
  }
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

struct TWMSetCursor {
  Cardinal Msg = 0;
  HWND CursorWnd = 0;
  Word HitTest = HTCLIENT;
  Word MouseMsg = 0;
  LRESULT Result = 0;
  TWMSetCursor() = default;
  explicit TWMSetCursor(const TMessage& m)
      : Msg(m.Msg), CursorWnd(m.WParam), HitTest(LoWord(m.LParam)), MouseMsg(HiWord(m.LParam)),
        Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, CursorWnd, MakeLParam(HitTest, MouseMsg), Result}; }
};

struct TWMTimer {
  Cardinal Msg = 0;
  WPARAM TimerID = 0;
  LRESULT Result = 0;
  TWMTimer() = default;
  explicit TWMTimer(const TMessage& m) : Msg(m.Msg), TimerID(m.WParam), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, TimerID, 0, Result}; }
};

// WM_PAINT, WM_NCPAINT and WM_ERASEBKGND carry the drawing context (a cairo_t* as an integer)
// set up by the window layer: clipped to the area to paint and with the origin at the client
// (WM_PAINT, WM_ERASEBKGND) or window (WM_NCPAINT) top-left corner.
struct TWMPaint {
  Cardinal Msg = 0;
  WPARAM DC = 0;
  LRESULT Result = 0;
  TWMPaint() = default;
  explicit TWMPaint(const TMessage& m) : Msg(m.Msg), DC(m.WParam), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, DC, 0, Result}; }
};
using TWMNCPaint = TWMPaint;
using TWMEraseBkgnd = TWMPaint;

class TControl;
struct THintInfo;

// CM_HINTSHOW: HintInfo may be null (the message is also posted with both parameters 0).
// Result 0 shows the hint, non-zero refuses it.
struct TCMHintShow {
  Cardinal Msg = 0;
  THintInfo* HintInfo = nullptr;
  LRESULT Result = 0;
  TCMHintShow() = default;
  explicit TCMHintShow(const TMessage& m)
      : Msg(m.Msg), HintInfo(reinterpret_cast<THintInfo*>(m.LParam)), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, 0, reinterpret_cast<LPARAM>(HintInfo), Result}; }
};

// CM_HINTSHOWPAUSE: Pause points at the pause in ms the control may change.
struct TCMHintShowPause {
  Cardinal Msg = 0;
  bool WasActive = false;
  int* Pause = nullptr;
  LRESULT Result = 0;
  TCMHintShowPause() = default;
  explicit TCMHintShowPause(const TMessage& m)
      : Msg(m.Msg), WasActive(m.WParam != 0), Pause(reinterpret_cast<int*>(m.LParam)),
        Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const {
    return {Msg, WasActive ? 1u : 0u, reinterpret_cast<LPARAM>(Pause), Result};
  }
};

// CM_CANCELMODE names the control that asks the others to end their modes.
struct TCMCancelMode {
  Cardinal Msg = 0;
  TControl* Sender = nullptr;
  LRESULT Result = 0;
  TCMCancelMode() = default;
  explicit TCMCancelMode(const TMessage& m)
      : Msg(m.Msg), Sender(reinterpret_cast<TControl*>(m.LParam)), Result(m.Result) {}
  void StoreTo(TMessage& m) const { m.Result = Result; }
  TMessage Raw() const { return {Msg, 0, reinterpret_cast<LPARAM>(Sender), Result}; }
};

// CM_CHILDKEY: a key pressed in Sender travels up the parents before the control handles it.
struct TCMChildKey {
  Cardinal Msg = 0;
  Cardinal CharCode = 0;
  TControl* Sender = nullptr;
  LRESULT Result = 0;
  TCMChildKey() = default;
  explicit TCMChildKey(const TMessage& m)
      : Msg(m.Msg), CharCode(static_cast<Cardinal>(m.WParam)),
        Sender(reinterpret_cast<TControl*>(m.LParam)), Result(m.Result) {}
  void StoreTo(TMessage& m) const {
    m.WParam = CharCode;
    m.Result = Result;
  }
  TMessage Raw() const { return {Msg, CharCode, reinterpret_cast<LPARAM>(Sender), Result}; }
};

// CM_ENTER / CM_EXIT / CM_FONTCHANGED and the other notifications use TMessage itself.

}  // namespace kel
