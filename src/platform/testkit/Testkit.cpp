// The test kit: input built as a live backend would deliver it and queued through the same
// entry (TApplication::QueueInput), then processed; scripted message boxes and modal forms;
// PNG capture and pixel reads.
#include "platform/testkit/Testkit.h"

#include <deque>

#include "platform/ui/Backend.h"
#include "platform/ui/WindowManager.h"

namespace kel::testkit {

namespace {

// The top-level window holding a control, and a client point in its window coordinates.
TWinControl* TopWindowOf(TControl* control, TPoint client, TPoint& windowPos) {
  TWinControl* top = Application->Windows().TopOf(control);
  if (!top || !top->HandleAllocated())
    throw EInvalidOperation("The control is not on a window: show its form first");
  const TPoint screen = control->ClientToScreen(client);
  windowPos = {screen.X - top->Left(), screen.Y - top->Top()};
  return top;
}

void Queue(TInputEvent event) {
  Application->QueueInput(event);
  Application->ProcessMessages();
}

TInputEvent MouseEvent(TInputKind kind, TControl* control, TPoint pos, TMouseButton button,
                       TShiftState shift) {
  TInputEvent event;
  event.Kind = kind;
  event.Window = TopWindowOf(control, pos, event.Pos)->Handle();
  event.Button = button;
  event.Shift = shift;
  return event;
}

// The character a key types with a shift state (0 = none).
Char KeyChar(Word key, TShiftState shift) {
  if (key >= 'A' && key <= 'Z') {
    if (shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) return static_cast<Char>(key - 'A' + 1);
    return static_cast<Char>(shift.Contains(ssShift) ? key : key - 'A' + 'a');
  }
  if (key >= '0' && key <= '9' && !shift.Contains(ssShift)) return key;
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<Char>('0' + key - VK_NUMPAD0);
  switch (key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    case VK_TAB: return 9;
    case VK_BACK: return 8;
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_MULTIPLY: return '*';
    case VK_DIVIDE: return '/';
    case VK_DECIMAL: return '.';
    default: return 0;
  }
}

void EnsureFocus(TWinControl* control) {
  if (control->Focused()) return;
  if (control->CanFocus())
    control->SetFocus();
  else
    Application->Windows().SetFocus(control->Handle());
  Application->ProcessMessages();
}

void KeyEvent(TInputKind kind, TWinControl* control, Word key, TShiftState shift, Char ch) {
  TInputEvent event;
  event.Kind = kind;
  TPoint unused;
  event.Window = TopWindowOf(control, {0, 0}, unused)->Handle();
  event.Key = key;
  event.KeyChar = kind == ikKeyDown ? ch : 0;
  event.Shift = shift;
  Queue(event);
}

std::deque<TModalResult>& Answers() {
  static std::deque<TModalResult> answers;
  return answers;
}

std::vector<String>& Log() {
  static std::vector<String> log;
  return log;
}

std::deque<std::function<void(TCustomForm*)>>& ModalScripts() {
  static std::deque<std::function<void(TCustomForm*)>> scripts;
  return scripts;
}

}  // namespace

void MouseMove(TControl* Control, TPoint Pos, TShiftState Shift) {
  Queue(MouseEvent(ikMouseMove, Control, Pos, mbLeft, Shift));
}

void MouseDown(TControl* Control, TPoint Pos, TMouseButton Button, TShiftState Shift) {
  Queue(MouseEvent(ikMouseDown, Control, Pos, Button, Shift));
}

void MouseUp(TControl* Control, TPoint Pos, TMouseButton Button, TShiftState Shift) {
  Queue(MouseEvent(ikMouseUp, Control, Pos, Button, Shift));
}

void Click(TControl* Control, TPoint Pos, TMouseButton Button, TShiftState Shift) {
  MouseMove(Control, Pos, Shift);
  MouseDown(Control, Pos, Button, Shift);
  MouseUp(Control, Pos, Button, Shift);
}

void DoubleClick(TControl* Control, TPoint Pos, TShiftState Shift) {
  Click(Control, Pos, mbLeft, Shift);
  AdvanceTime(10);
  MouseDown(Control, Pos, mbLeft, Shift);
  MouseUp(Control, Pos, mbLeft, Shift);
}

void Drag(TControl* Control, TPoint From, TPoint To, TMouseButton Button, TShiftState Shift,
          int Steps) {
  MouseMove(Control, From, Shift);
  MouseDown(Control, From, Button, Shift);
  const int steps = std::max(Steps, 1);
  for (int i = 1; i <= steps; ++i)
    MouseMove(Control,
              {From.X + (To.X - From.X) * i / steps, From.Y + (To.Y - From.Y) * i / steps}, Shift);
  MouseUp(Control, To, Button, Shift);
}

void Wheel(TControl* Control, TPoint Pos, int Notches, TShiftState Shift) {
  TInputEvent event = MouseEvent(ikWheel, Control, Pos, mbLeft, Shift);
  event.WheelDelta = Notches;
  Queue(event);
}

void KeyDown(TWinControl* Control, Word Key, TShiftState Shift) {
  EnsureFocus(Control);
  KeyEvent(ikKeyDown, Control, Key, Shift, KeyChar(Key, Shift));
}

void KeyUp(TWinControl* Control, Word Key, TShiftState Shift) {
  KeyEvent(ikKeyUp, Control, Key, Shift, 0);
}

void PressKey(TWinControl* Control, Word Key, TShiftState Shift) {
  KeyDown(Control, Key, Shift);
  KeyUp(Control, Key, Shift);
}

void TypeText(TWinControl* Control, const String& Text) {
  EnsureFocus(Control);
  for (std::size_t i = 0; i < Text.size();) {
    const unsigned char lead = static_cast<unsigned char>(Text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const String piece = Text.substr(i, length);
    i += length;
    const char c = piece[0];
    Word key = 0;
    TShiftState shift;
    if (length == 1 && c >= 'a' && c <= 'z') key = static_cast<Word>(c - 'a' + 'A');
    if (length == 1 && c >= 'A' && c <= 'Z') key = static_cast<Word>(c), shift = {ssShift};
    if (length == 1 && c >= '0' && c <= '9') key = static_cast<Word>(c);
    if (length == 1 && c == ' ') key = VK_SPACE;
    if (key != 0) {
      KeyEvent(ikKeyDown, Control, key, shift, static_cast<Char>(static_cast<unsigned char>(c)));
      KeyEvent(ikKeyUp, Control, key, shift, 0);
      continue;
    }
    TInputEvent event;
    event.Kind = ikText;
    TPoint unused;
    event.Window = TopWindowOf(Control, {0, 0}, unused)->Handle();
    event.Text = piece;
    Queue(event);
  }
}

void AdvanceTime(Cardinal Milliseconds) { Application->AdvanceTime(Milliseconds); }

void ScriptMessageBox(std::initializer_list<TModalResult> Answers_) {
  Answers().assign(Answers_.begin(), Answers_.end());
  Log().clear();
  SetMessageBoxHook([](const TMessageBoxRequest& request) {
    Log().push_back(request.Text);
    if (Answers().empty()) return request.Buttons.at(request.DefaultIndex);
    const TModalResult answer = Answers().front();
    Answers().pop_front();
    return answer;
  });
}

const std::vector<String>& MessageBoxLog() { return Log(); }

void ScriptModal(std::function<void(TCustomForm* Form)> Script) {
  ModalScripts().push_back(std::move(Script));
  Application->OnModalIdle = [](TCustomForm* form) {
    if (ModalScripts().empty()) return;
    auto script = std::move(ModalScripts().front());
    ModalScripts().pop_front();
    script(form);
  };
}

void SavePng(TControl* Control, const String& Path) {
  Application->ProcessMessages();
  cairo_surface_t* surface = cairo_image_surface_create(
      CAIRO_FORMAT_RGB24, std::max(Control->Width(), 1), std::max(Control->Height(), 1));
  cairo_t* context = cairo_create(surface);
  if (auto* window = dynamic_cast<TWinControl*>(Control)) {
    window->PaintTo(context, 0, 0);
  } else if (auto* graphic = dynamic_cast<TGraphicControl*>(Control)) {
    const TColor back = ColorToRGB(Control->Parent() ? Control->Parent()->Color() : clBtnFace);
    cairo_set_source_rgb(context, GetRValue(back) / 255.0, GetGValue(back) / 255.0,
                         GetBValue(back) / 255.0);
    cairo_paint(context);
    graphic->PaintOn(context);
  }
  cairo_destroy(context);
  const cairo_status_t status = cairo_surface_write_to_png(surface, Path.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw EFCreateError("Cannot write " + Path);
}

TColor Pixel(TControl* Control, TPoint Pos) {
  Application->ProcessMessages();
  TPoint windowPos;
  TWinControl* top = TopWindowOf(Control, Pos, windowPos);
  return Application->Windows().SurfacePixel(top, windowPos);
}

}  // namespace kel::testkit
