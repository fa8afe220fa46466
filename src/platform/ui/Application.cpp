// TApplication: the queue (send, post, peek), the loop (ProcessMessage, ProcessMessages,
// HandleMessage, Run), the clock and timers, deferred releases and the exception handler.
//
// One step of the loop: take the oldest queued item; input is routed to a window by the window
// manager, a message is delivered to its window (key messages through the CN_ pre-processing);
// exceptions end at HandleException. When the queue is empty, dirty windows are painted and
// released components freed. Timers fire from AdvanceTime (virtual clock) or when due (live).
#include "platform/ui/Application.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HintWindow.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

TApplication& TheApplication() {
  static TApplication application(nullptr);
  return application;
}

// RAII: a window whose handler runs, for the duration of the call.
class TDispatchScope {
 public:
  TDispatchScope(std::vector<TWinControl*>& stack, TWinControl* control) : FStack(stack) {
    FStack.push_back(control);
  }
  ~TDispatchScope() { FStack.pop_back(); }
  TDispatchScope(const TDispatchScope&) = delete;
  TDispatchScope& operator=(const TDispatchScope&) = delete;

 private:
  std::vector<TWinControl*>& FStack;
};

// RAII: the message being handled, restored for nested loops.
class TCurrentMessageScope {
 public:
  TCurrentMessageScope(TMsg& current, const TMsg& message) : FCurrent(current), FSaved(current) {
    FCurrent = message;
  }
  ~TCurrentMessageScope() { FCurrent = FSaved; }
  TCurrentMessageScope(const TCurrentMessageScope&) = delete;
  TCurrentMessageScope& operator=(const TCurrentMessageScope&) = delete;

 private:
  TMsg& FCurrent;
  TMsg FSaved;
};

// Milliseconds from Now to Due, negative once due: by difference, so it holds across any wrap.
std::int64_t TicksUntil(std::uint64_t Due, std::uint64_t Now) {
  return static_cast<std::int64_t>(Due - Now);
}

// The classic message time is a 32-bit tick; readers compare such ticks by difference.
DWord MessageTime(std::uint64_t Tick) { return static_cast<DWord>(Tick); }

bool IsKeyMessage(Cardinal msg) {
  return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_SYSCHAR;
}

}  // namespace

TApplication* Application = &TheApplication();

TApplication::TApplication(TComponent* AOwner)
    : TComponent(AOwner), FWindows((TheScreen(), std::make_unique<TWindowManager>())) {}

TApplication::~TApplication() {
  Destroying();
  ReleaseAll();
  DestroyComponents();  // the hint window needs the window manager while it goes
  FQueue.clear();
  FTimers.clear();
}

TBackend* TApplication::Backend() { return FWindows->Backend(); }

bool TApplication::VirtualClock() const {
  return const_cast<TApplication*>(this)->Backend()->VirtualClock();
}

std::uint64_t TApplication::Tick() const {
  TBackend* backend = const_cast<TApplication*>(this)->Backend();
  return backend->VirtualClock() ? FVirtualTick : backend->RealTicks();
}

void TApplication::SetVirtualTick(std::uint64_t Tick) {
  if (!VirtualClock()) throw EInvalidOperation("the clock of a live backend is real time");
  for (auto& [id, timer] : FTimers) timer.Due = Tick + (timer.Due - FVirtualTick);
  FVirtualTick = Tick;
}

String TApplication::ExeName() const {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  return length > 0 ? String(path, static_cast<std::size_t>(length)) : String();
}

// ---- Queue ------------------------------------------------------------------------------------

LRESULT TApplication::SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* control = FWindows->Find(Wnd);
  if (!control) return 0;
  TMessage message{Msg, WParam, LParam, 0};
  TDispatchScope scope(FDispatching, control);
  try {
    control->WndProc(message);
  } catch (...) {
    HandleException(control);
  }
  return message.Result;
}

bool TApplication::PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam) {
  if (Wnd != 0 && !FWindows->Find(Wnd)) return false;
  TQueued item;
  item.Msg = {Wnd, Msg, WParam, LParam, MessageTime(Tick()), FWindows->CursorPos()};
  FQueue.push_back(std::move(item));
  return true;
}

bool TApplication::PeekMessage(TMsg& Msg, HWND Wnd, Cardinal First, Cardinal Last,
                               Cardinal RemoveMsg) {
  const bool anyId = First == 0 && Last == 0;
  for (auto it = FQueue.begin(); it != FQueue.end(); ++it) {
    if (it->Input) continue;
    const TMsg& queued = it->Msg;
    if (Wnd != 0 && queued.hwnd != Wnd) continue;
    if (!anyId && (queued.message < First || queued.message > Last)) continue;
    Msg = queued;
    if (RemoveMsg & PM_REMOVE) FQueue.erase(it);
    return true;
  }
  return false;
}

void TApplication::QueueInput(const TInputEvent& Event) {
  TQueued item;
  item.Msg = {Event.Window, WM_NULL, 0, 0, MessageTime(Tick()), FWindows->CursorPos()};
  item.Input = std::make_unique<TInputEvent>(Event);
  FQueue.push_back(std::move(item));
}

void TApplication::DropWindowItems(HWND Wnd) {
  std::erase_if(FQueue, [Wnd](const TQueued& item) { return !item.Input && item.Msg.hwnd == Wnd; });
}

bool TApplication::ProcessMessage() {
  if (FQueue.empty()) return false;
  TQueued item = std::move(FQueue.front());
  FQueue.pop_front();
  Deliver(item);
  DoReleases();
  return true;
}

void TApplication::Deliver(TQueued& Item) {
  TCurrentMessageScope scope(FCurrentMessage, Item.Msg);
  try {
    if (Item.Input) {
      FWindows->RouteInput(*Item.Input);
      return;
    }
    if (Item.Msg.message == WM_QUIT) {
      Terminate();
      return;
    }
    TWinControl* control = FWindows->Find(Item.Msg.hwnd);
    if (!control) return;
    TMessage message{Item.Msg.message, Item.Msg.wParam, Item.Msg.lParam, 0};
    TDispatchScope dispatching(FDispatching, control);
    if (IsKeyMessage(message.Msg)) {
      FWindows->DispatchKeyMessage(control, message);
      return;
    }
    control->WndProc(message);
  } catch (...) {
    HandleException(this);
  }
}

void TApplication::PaintAndRelease() {
  FWindows->PaintAll();
  DoReleases();
}

void TApplication::PumpBackend(int TimeoutMs) {
  Backend()->PumpEvents(TimeoutMs, [this](const TInputEvent& event) { QueueInput(event); });
}

void TApplication::ProcessMessages() {
  const bool live = !VirtualClock();
  for (int round = 0;; ++round) {
    if (live) PumpBackend(0);
    while (ProcessMessage()) {
    }
    if (live)
      while (FireNextDueTimer(Tick())) {
        while (ProcessMessage()) {
        }
      }
    PaintAndRelease();
    if (FQueue.empty()) break;
  }
}

void TApplication::HandleMessage() {
  const bool live = !VirtualClock();
  if (live) PumpBackend(0);
  if (ProcessMessage()) return;
  if (live && FireNextDueTimer(Tick())) return;
  PaintAndRelease();
  bool done = true;
  if (OnIdle) OnIdle(this, done);
  if (!FQueue.empty() || !live) return;
  std::int64_t timeout = 100;
  const std::uint64_t now = Tick();
  for (const auto& [id, timer] : FTimers)
    timeout = std::clamp<std::int64_t>(TicksUntil(timer.Due, now), 0, timeout);
  PumpBackend(static_cast<int>(timeout));
}

void TApplication::Run() {
  FTerminated = false;
  while (!FTerminated) {
    HandleMessage();
    if (VirtualClock() && FQueue.empty()) break;  // nothing can ever arrive headless
  }
}

// ---- Clock and timers -------------------------------------------------------------------------

void TApplication::AdvanceTime(Cardinal Milliseconds) {
  if (!VirtualClock()) {
    const std::uint64_t until = Tick() + Milliseconds;
    while (TicksUntil(until, Tick()) > 0) HandleMessage();
    return;
  }
  const std::uint64_t target = FVirtualTick + Milliseconds;
  ProcessMessages();
  while (FireNextDueTimer(target)) ProcessMessages();
  FVirtualTick = target;
  ProcessMessages();
}

void TApplication::Wait(Cardinal Milliseconds) {
  if (VirtualClock())
    FVirtualTick += Milliseconds;
  else
    usleep(Milliseconds * 1000u);
}

std::uint64_t TApplication::StartTimer(Cardinal Interval, TTimerCallback Callback) {
  const std::uint64_t id = FNextTimerId++;
  TTimerEntry& entry = FTimers[id];
  entry.Interval = std::max<Cardinal>(Interval, 1);
  entry.Due = Tick() + entry.Interval;
  entry.Order = ++FTimerOrder;
  entry.Callback = std::move(Callback);
  return id;
}

std::uint64_t TApplication::FindWindowTimer(HWND Wnd, WPARAM IDEvent) const {
  for (const auto& [id, timer] : FTimers)
    if (timer.Wnd == Wnd && timer.IDEvent == IDEvent) return id;
  return 0;
}

void TApplication::StartWindowTimer(HWND Wnd, WPARAM IDEvent, Cardinal Interval) {
  StopWindowTimer(Wnd, IDEvent);
  const std::uint64_t id = StartTimer(Interval, nullptr);
  FTimers[id].Wnd = Wnd;
  FTimers[id].IDEvent = IDEvent;
}

void TApplication::StopTimer(std::uint64_t Id) { FTimers.erase(Id); }

bool TApplication::StopWindowTimer(HWND Wnd, WPARAM IDEvent) {
  const std::uint64_t id = FindWindowTimer(Wnd, IDEvent);
  if (id == 0) return false;
  FTimers.erase(id);
  return true;
}

bool TApplication::FireNextDueTimer(std::uint64_t Limit) {
  auto next = FTimers.end();
  for (auto it = FTimers.begin(); it != FTimers.end(); ++it) {
    const TTimerEntry& timer = it->second;
    if (TicksUntil(timer.Due, Limit) > 0) continue;
    const std::int64_t afterNext =
        next == FTimers.end() ? -1 : TicksUntil(timer.Due, next->second.Due);
    if (afterNext < 0 || (afterNext == 0 && timer.Order < next->second.Order)) next = it;
  }
  if (next == FTimers.end()) return false;
  const std::uint64_t id = next->first;
  TTimerEntry& timer = next->second;
  if (VirtualClock()) {
    if (TicksUntil(timer.Due, FVirtualTick) > 0) FVirtualTick = timer.Due;
    timer.Due += timer.Interval;
  } else {
    timer.Due = Tick() + timer.Interval;
  }
  timer.Order = ++FTimerOrder;
  if (timer.Wnd != 0) {
    if (!FWindows->Find(timer.Wnd)) {
      FTimers.erase(id);
      return true;
    }
    SendMessage(timer.Wnd, WM_TIMER, timer.IDEvent, 0);
    return true;
  }
  // The callback may stop or free its own timer: run a moved-out copy and put it back only
  // when the timer still exists.
  TTimerCallback callback = std::move(timer.Callback);
  try {
    if (callback) callback();
  } catch (...) {
    HandleException(this);
  }
  auto again = FTimers.find(id);
  if (again != FTimers.end() && !again->second.Callback) again->second.Callback = std::move(callback);
  return true;
}

// ---- Deferred release -------------------------------------------------------------------------

void TApplication::ReleaseComponent(TComponent* Component) {
  if (!Component || ReleasePending(Component)) return;
  FReleases.push_back(Component);
}

bool TApplication::ReleasePending(const TComponent* Component) const {
  return std::find(FReleases.begin(), FReleases.end(), Component) != FReleases.end();
}

bool TApplication::IsBusy(const TComponent* Component) const {
  for (const TWinControl* running : FDispatching) {
    for (const TControl* c = running; c; c = c->Parent())
      if (c == Component) return true;
    for (const TComponent* c = running; c; c = c->Owner())
      if (c == Component) return true;
  }
  return false;
}

void TApplication::DoReleases() {
  for (std::size_t i = 0; i < FReleases.size();) {
    TComponent* component = FReleases[i];
    if (IsBusy(component)) {
      ++i;
      continue;
    }
    FReleases.erase(FReleases.begin() + static_cast<std::ptrdiff_t>(i));
    delete component;
    i = 0;  // freeing may have released or freed others
  }
}

void TApplication::ReleaseAll() {
  while (!FReleases.empty()) {
    TComponent* component = FReleases.back();
    FReleases.pop_back();
    delete component;  // may queue more releases: a menu releases its open window
  }
}

// ---- Exceptions -------------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    if (OnException)
      OnException(Sender, e);
    else
      ShowException(e);
  }
}

void TApplication::ShowException(const std::exception& E) {
  FLastExceptionMessage = E.what();
  if (!VirtualClock()) MessageDlg(FLastExceptionMessage, mtError, {mbOK}, 0);
}

int TApplication::MessageBox(const String& Text, const String& Caption, Cardinal Flags) {
  return kel::MessageBox(Text, Caption, Flags);
}

}  // namespace kel
