// The live backend over SDL2: one SDL window per top-level window (popups borderless, always on
// top and out of the task bar), the window surface filled from the window layer's surface, SDL
// events turned into input events, SDL's clipboard, system cursors and real time.
//
// A key press and the text SDL reports for it right after become one key-down event carrying
// the character, so the window layer can queue WM_CHAR before WM_KEYDOWN runs, as the classic
// message loop does; control characters (Enter, Esc, Tab, Backspace, Ctrl+letter) are made here.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/ui/Backend.h"
#include "platform/rtl/Exceptions.h"

namespace kel {

namespace {

Word VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<Word>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<Word>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<Word>(VK_F1 + (key - SDLK_F1));
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<Word>(VK_NUMPAD1 + (key - SDLK_KP_1));
  switch (key) {
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_TAB: return VK_TAB;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_APPLICATION: return VK_APPS;
    default: return 0;
  }
}

// The control character a key types by itself (0 = none or a printable one SDL reports as text).
Char ControlChar(Word vk, TShiftState shift) {
  switch (vk) {
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    case VK_TAB: return 9;
    case VK_BACK: return 8;
    default: break;
  }
  if (shift.Contains(ssCtrl) && vk >= 'A' && vk <= 'Z') return static_cast<Char>(vk - 'A' + 1);
  return 0;
}

// The first code point of a UTF-8 text, and whether the text is exactly one code point.
Char FirstCodePoint(const char* text, bool& single) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  const int length = s[0] < 0x80 ? 1 : s[0] < 0xE0 ? 2 : s[0] < 0xF0 ? 3 : 4;
  Char code = length == 1 ? s[0] : s[0] & (0x3F >> (length - 1));
  for (int k = 1; k < length && s[k]; ++k) code = (code << 6) | (s[k] & 0x3F);
  single = s[length] == 0;
  return code;
}

const char* DisplayName() {
  const char* display = std::getenv("DISPLAY");
  if (!display) display = std::getenv("WAYLAND_DISPLAY");
  return display ? display : "";
}

TShiftState CurrentShift() {
  TShiftState shift;
  const SDL_Keymod mods = SDL_GetModState();
  if (mods & KMOD_SHIFT) shift += ssShift;
  if (mods & KMOD_CTRL) shift += ssCtrl;
  if (mods & KMOD_ALT) shift += ssAlt;
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  if (buttons & SDL_BUTTON_LMASK) shift += ssLeft;
  if (buttons & SDL_BUTTON_RMASK) shift += ssRight;
  if (buttons & SDL_BUTTON_MMASK) shift += ssMiddle;
  return shift;
}

class TSdlBackend final : public TBackend {
 public:
  TSdlBackend() = default;
  ~TSdlBackend() override {
    for (auto& [shape, cursor] : FCursors) SDL_FreeCursor(cursor);
    for (auto& [hwnd, window] : FWindows) SDL_DestroyWindow(window);
    SDL_Quit();
  }

  void Open() {
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
      throw EOutOfResources(String("the sdl backend cannot open the display '") + DisplayName() +
                            "': " + SDL_GetError());
    SDL_StartTextInput();
  }

  const char* Name() const override { return "sdl"; }
  bool VirtualClock() const override { return false; }

  void CreateWindow(const TNativeWindowParams& Params) override {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (Params.Popup)
      flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR |
               SDL_WINDOW_POPUP_MENU;
    if (!Params.Decorated) flags |= SDL_WINDOW_BORDERLESS;
    if (Params.Resizable) flags |= SDL_WINDOW_RESIZABLE;
    if (Params.TopMost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    const TRect& r = Params.Bounds;
    SDL_Window* window = SDL_CreateWindow(Params.Caption.c_str(), r.Left, r.Top,
                                          std::max(r.Width(), 1), std::max(r.Height(), 1), flags);
    if (!window) throw EOutOfResources(String("SDL cannot create a window: ") + SDL_GetError());
    FWindows[Params.Window] = window;
    FHandles[SDL_GetWindowID(window)] = Params.Window;
  }

  void DestroyWindow(HWND Window) override {
    SDL_Window* window = Find(Window);
    if (!window) return;
    FHandles.erase(SDL_GetWindowID(window));
    FWindows.erase(Window);
    SDL_DestroyWindow(window);
  }

  void ShowWindow(HWND Window, bool Visible, bool Activate) override {
    SDL_Window* window = Find(Window);
    if (!window) return;
    if (!Visible) {
      SDL_HideWindow(window);
      return;
    }
    SDL_ShowWindow(window);
    if (Activate) SDL_RaiseWindow(window);
  }

  void SetWindowBounds(HWND Window, const TRect& ScreenRect) override {
    SDL_Window* window = Find(Window);
    if (!window) return;
    SDL_SetWindowPosition(window, ScreenRect.Left, ScreenRect.Top);
    SDL_SetWindowSize(window, std::max(ScreenRect.Width(), 1), std::max(ScreenRect.Height(), 1));
  }

  void SetWindowCaption(HWND Window, const String& Caption) override {
    if (SDL_Window* window = Find(Window)) SDL_SetWindowTitle(window, Caption.c_str());
  }

  void FocusWindow(HWND Window) override {
    SDL_Window* window = Find(Window);
    if (!window || (SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN)) return;
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
  }

  void Present(HWND Window, cairo_surface_t* Surface, const TRect& Dirty) override {
    SDL_Window* window = Find(Window);
    if (!window) return;
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (!target) return;
    const int width = std::min(cairo_image_surface_get_width(Surface), target->w);
    const int height = std::min(cairo_image_surface_get_height(Surface), target->h);
    TRect area;
    if (!IntersectRect(area, Dirty, Rect(0, 0, width, height))) return;
    cairo_surface_flush(Surface);
    const unsigned char* source = cairo_image_surface_get_data(Surface);
    const int sourcePitch = cairo_image_surface_get_stride(Surface);
    SDL_LockSurface(target);
    auto* dest = static_cast<unsigned char*>(target->pixels);
    SDL_ConvertPixels(area.Width(), area.Height(), SDL_PIXELFORMAT_RGB888,
                      source + area.Top * sourcePitch + area.Left * 4, sourcePitch,
                      target->format->format,
                      dest + area.Top * target->pitch + area.Left * target->format->BytesPerPixel,
                      target->pitch);
    SDL_UnlockSurface(target);
    const SDL_Rect rect{area.Left, area.Top, area.Width(), area.Height()};
    SDL_UpdateWindowSurfaceRects(window, &rect, 1);
  }

  void SetCapture(HWND Window) override { SDL_CaptureMouse(Window != 0 ? SDL_TRUE : SDL_FALSE); }

  void SetCursor(TCursorShape Shape) override {
    if (Shape == cshHidden) {
      SDL_ShowCursor(SDL_DISABLE);
      return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    SDL_Cursor*& cursor = FCursors[Shape];
    if (!cursor) cursor = SDL_CreateSystemCursor(SystemCursor(Shape));
    if (cursor) SDL_SetCursor(cursor);
  }

  void SetCursorPos(TPoint ScreenPos) override { SDL_WarpMouseGlobal(ScreenPos.X, ScreenPos.Y); }

  String ClipboardText() override {
    char* text = SDL_GetClipboardText();
    String result = text ? text : "";
    SDL_free(text);
    return result;
  }

  void SetClipboardText(const String& Text) override { SDL_SetClipboardText(Text.c_str()); }

  TRect ScreenRect() override {
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayBounds(0, &r);
    return Bounds(r.x, r.y, r.w, r.h);
  }

  TRect WorkArea() override {
    SDL_Rect r{0, 0, 1024, 768};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return ScreenRect();
    return Bounds(r.x, r.y, r.w, r.h);
  }

  void PumpEvents(int TimeoutMs, const std::function<void(const TInputEvent&)>& Sink) override {
    SDL_Event event;
    bool any = TimeoutMs > 0 ? SDL_WaitEventTimeout(&event, TimeoutMs) != 0 : SDL_PollEvent(&event) != 0;
    while (any) {
      Translate(event, Sink);
      any = SDL_PollEvent(&event) != 0;
    }
  }

  std::uint64_t RealTicks() override { return SDL_GetTicks64(); }

 private:
  SDL_Window* Find(HWND Window) const {
    const auto it = FWindows.find(Window);
    return it == FWindows.end() ? nullptr : it->second;
  }

  HWND HandleOf(Uint32 windowId) const {
    const auto it = FHandles.find(windowId);
    return it == FHandles.end() ? 0 : it->second;
  }

  static SDL_SystemCursor SystemCursor(TCursorShape shape) {
    switch (shape) {
      case cshIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
      case cshWait: return SDL_SYSTEM_CURSOR_WAIT;
      case cshCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
      case cshSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
      case cshSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
      case cshSizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
      case cshSizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
      case cshSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
      case cshNo: return SDL_SYSTEM_CURSOR_NO;
      case cshHand: return SDL_SYSTEM_CURSOR_HAND;
      default: return SDL_SYSTEM_CURSOR_ARROW;
    }
  }

  void Translate(const SDL_Event& event, const std::function<void(const TInputEvent&)>& Sink) {
    TInputEvent input;
    input.Shift = CurrentShift();
    switch (event.type) {
      case SDL_MOUSEMOTION:
        input.Kind = ikMouseMove;
        input.Window = HandleOf(event.motion.windowID);
        input.Pos = {event.motion.x, event.motion.y};
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        input.Kind = event.type == SDL_MOUSEBUTTONDOWN ? ikMouseDown : ikMouseUp;
        input.Window = HandleOf(event.button.windowID);
        input.Pos = {event.button.x, event.button.y};
        if (event.button.button == SDL_BUTTON_LEFT) input.Button = mbLeft;
        else if (event.button.button == SDL_BUTTON_RIGHT) input.Button = mbRight;
        else if (event.button.button == SDL_BUTTON_MIDDLE) input.Button = mbMiddle;
        else return;
        break;
      case SDL_MOUSEWHEEL: {
        input.Kind = ikWheel;
        input.Window = HandleOf(event.wheel.windowID);
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        input.Pos = {x, y};
        input.WheelDelta = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (input.WheelDelta == 0) return;
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        input.Kind = event.type == SDL_KEYDOWN ? ikKeyDown : ikKeyUp;
        input.Window = HandleOf(event.key.windowID);
        input.Key = VirtualKey(event.key.keysym.sym);
        if (input.Key == 0) return;
        if (input.Kind == ikKeyDown) input.KeyChar = KeyCharFollowing(input);
        break;
      case SDL_TEXTINPUT:
        input.Kind = ikText;
        input.Window = HandleOf(event.text.windowID);
        input.Text = event.text.text;
        break;
      case SDL_WINDOWEVENT:
        input.Window = HandleOf(event.window.windowID);
        switch (event.window.event) {
          case SDL_WINDOWEVENT_CLOSE: input.Kind = ikWindowClose; break;
          case SDL_WINDOWEVENT_MOVED:
            input.Kind = ikWindowMoved;
            input.Pos = {event.window.data1, event.window.data2};
            break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            input.Kind = ikWindowResized;
            input.Width = event.window.data1;
            input.Height = event.window.data2;
            break;
          case SDL_WINDOWEVENT_EXPOSED: input.Kind = ikWindowExposed; break;
          case SDL_WINDOWEVENT_FOCUS_GAINED: input.Kind = ikWindowFocusGained; break;
          case SDL_WINDOWEVENT_FOCUS_LOST: input.Kind = ikWindowFocusLost; break;
          default: return;
        }
        break;
      case SDL_QUIT:
        input.Kind = ikQuit;
        Sink(input);
        return;
      default: return;
    }
    if (input.Window == 0) return;
    Sink(input);
  }

  // The character of a key press: a control character, or the text event queued right after it.
  Char KeyCharFollowing(const TInputEvent& input) {
    if (Char control = ControlChar(input.Key, input.Shift)) return control;
    SDL_PumpEvents();
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1 ||
        next.type != SDL_TEXTINPUT)
      return 0;
    bool single = false;
    const Char code = FirstCodePoint(next.text.text, single);
    if (!single) return 0;  // several characters: delivered as text
    SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
    return code;
  }

  std::unordered_map<HWND, SDL_Window*> FWindows;  // native window of each top-level handle
  std::unordered_map<Uint32, HWND> FHandles;       // SDL window id -> handle
  std::unordered_map<int, SDL_Cursor*> FCursors;   // system cursors made so far
};

std::unique_ptr<TBackend> CreateSdlBackend() {
  auto backend = std::make_unique<TSdlBackend>();
  backend->Open();
  return backend;
}

// Nothing refers to this file but its registration, so the library is linked whole.
[[maybe_unused]] const bool Registered = (RegisterBackend("sdl", CreateSdlBackend), true);

}  // namespace

}  // namespace kel
