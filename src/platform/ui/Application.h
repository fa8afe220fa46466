// The application: the message queue (send, post, peek and remove), the message loop, timers,
// deferred releases, the exception handler, the clock, the hint pipeline and the modal loop.
//
// The clock is virtual with the headless backend: it moves only through AdvanceTime (and Sleep),
// which fires due timers in clock order and processes what they post. With a live backend the
// clock is real time and the loop waits for input until the next timer is due. Ticks are 64-bit
// milliseconds, and due times are compared by difference, so a clock near any limit keeps order.
//
// The application lives until the program ends; going, it frees what still waits for deferred
// release, so nothing a program left open (a popup, a released form) outlives it.
#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/graphics/Colors.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowSystem.h"

namespace kel {

class TBackend;
class TControl;
class TWinControl;
class TCustomForm;
class THintWindow;
class TWindowManager;
struct TInputEvent;

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TTimerCallback = std::function<void()>;

// Builds the hint window a hint asks for (the classic "hint window class").
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);
template <class T>
THintWindow* HintWindowClassOf(TComponent* AOwner) {
  return new T(AOwner);
}

// What CM_HINTSHOW hands the control under the mouse; the control may change every field.
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;  // null = the application's hint window
  TPoint HintPos;                              // screen position of the hint window
  int HintMaxWidth = 0;                        // wrap width of the text
  TColor HintColor = clInfoBk;
  TRect CursorRect;        // client rectangle of HintControl the hint belongs to
  TPoint CursorPos;        // mouse position in HintControl's client coordinates
  int ReshowTimeout = 0;   // ms after which the hint is asked for again (0 = never)
  int HideTimeout = 0;     // ms until the hint hides; -1 = never, 0 = the hide pause
  String HintStr;
  void* HintData = nullptr;
};

class TApplication : public TComponent {
  KEL_CLASS(TApplication, TComponent)

 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // --- Queue ------------------------------------------------------------------------------------
  LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam);
  bool PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam);
  bool PeekMessage(TMsg& Msg, HWND Wnd, Cardinal First, Cardinal Last, Cardinal RemoveMsg);
  // Queues input from the backend (or the test kit); it is routed to a window when its turn comes.
  void QueueInput(const TInputEvent& Event);
  // Handles one queued item; false when the queue was empty.
  bool ProcessMessage();
  // Handles everything queued now, then paints the invalid windows (live: also due timers).
  void ProcessMessages();
  // Handles one message, or when none is queued, paints, runs idle handling and (live) waits
  // for input or the next timer.
  void HandleMessage();
  // The main loop: HandleMessage until Terminate.
  void Run();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

  // --- Clock and timers -------------------------------------------------------------------------
  bool VirtualClock() const;
  std::uint64_t Tick() const;
  // Headless: puts the virtual clock at Tick without firing anything; running timers keep the
  // time they have left. Raises EInvalidOperation with a live clock.
  void SetVirtualTick(std::uint64_t Tick);
  // Headless: moves the clock on by Milliseconds, firing each due timer at its time in clock
  // order and processing what is queued between them. Live: processes messages for that long.
  void AdvanceTime(Cardinal Milliseconds);
  // Moves the virtual clock without running anything (Sleep); live, really sleeps.
  void Wait(Cardinal Milliseconds);
  // A timer of the application calling Callback every Interval ms; answers its id (never 0).
  std::uint64_t StartTimer(Cardinal Interval, TTimerCallback Callback);
  // A window timer posting WM_TIMER(IDEvent) to the window.
  void StartWindowTimer(HWND Wnd, WPARAM IDEvent, Cardinal Interval);
  void StopTimer(std::uint64_t Id);
  bool StopWindowTimer(HWND Wnd, WPARAM IDEvent);
  // Number of timers running (for tests).
  int TimerCount() const { return static_cast<int>(FTimers.size()); }

  // --- Deferred release -------------------------------------------------------------------------
  // Frees Component between messages once no handler of it (or of a control within it) is
  // running any more.
  void ReleaseComponent(TComponent* Component);
  // Frees the components waiting for release that are safe to free now (the loop calls it
  // between messages).
  void DoReleases();
  bool ReleasePending(const TComponent* Component) const;

  // --- Exceptions -------------------------------------------------------------------------------
  // Call from a catch block: hands the current exception to OnException (EAbort is ignored);
  // without a handler it is shown (live) or remembered (headless; see LastExceptionMessage).
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  String LastExceptionMessage() const { return FLastExceptionMessage; }
  TExceptionEvent OnException;
  TIdleEvent OnIdle;

  // --- Hints ------------------------------------------------------------------------------------
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int value) { FHintPause = value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int value) { FHintShortPause = value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int value) { FHintHidePause = value; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor value) { FHintColor = value; }
  // Shows the hint of the control under the cursor now (as when the hint pause ends).
  void ActivateHint(TPoint CursorPos);
  void CancelHint();
  void HideHint();
  // The hint window on the screen, or null.
  THintWindow* HintWindow() const { return FHintWindow; }
  // The control whose hint is shown or pending, or null.
  TControl* HintControl() const { return FHintControl; }
  // Called for every mouse message: restarts the hint pause or hides a hint left behind.
  void HintMouseMessage(TControl* Control, const TMessage& Message);

  // --- Forms ------------------------------------------------------------------------------------
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* value) { FMainForm = value; }
  String Title() const { return FTitle; }
  void SetTitle(const String& value) { FTitle = value; }
  String ExeName() const;
  // The running modal loops, innermost last.
  int ModalLevel() const { return FModalLevel; }
  void ModalStarted() { ++FModalLevel; }
  void ModalFinished() { --FModalLevel; }
  // Headless modal loops run this when idle; it should close the form (default: cancel it).
  std::function<void(TCustomForm* Form)> OnModalIdle;
  // The message box answers come from here (see Dialogs.h).
  int MessageBox(const String& Text, const String& Caption, Cardinal Flags);

  // --- Window system ----------------------------------------------------------------------------
  TBackend* Backend();
  TWindowManager& Windows() { return *FWindows; }
  // Current message (for GetMessageTime and the cursor position at its time).
  const TMsg& CurrentMessage() const { return FCurrentMessage; }

 private:
  struct TQueued {
    TMsg Msg;
    std::unique_ptr<TInputEvent> Input;  // set for input waiting to be routed
  };
  struct TTimerEntry {
    HWND Wnd = 0;           // window timers: the window; 0 for callback timers
    WPARAM IDEvent = 0;     // window timers: the id WM_TIMER carries
    Cardinal Interval = 1;  // ms, >= 1
    std::uint64_t Due = 0;  // clock tick of the next firing
    std::uint64_t Order = 0;  // tie-break: timers due together fire in the order started
    TTimerCallback Callback;  // callback timers
  };

  void Deliver(TQueued& Item);
  bool FireNextDueTimer(std::uint64_t Limit);
  std::uint64_t FindWindowTimer(HWND Wnd, WPARAM IDEvent) const;
  void PaintAndRelease();
  void PumpBackend(int TimeoutMs);
  void HintTimerFired();
  void HideTimerFired();
  void DropWindowItems(HWND Wnd);
  bool IsBusy(const TComponent* Component) const;
  // Frees every component waiting for release, at the end, when no handler runs any more.
  void ReleaseAll();
  friend class TWindowManager;

  std::deque<TQueued> FQueue;        // posted messages and input, oldest first
  TMsg FCurrentMessage;              // the message being handled
  std::map<std::uint64_t, TTimerEntry> FTimers;  // by timer id
  std::uint64_t FNextTimerId = 1;
  std::uint64_t FTimerOrder = 0;
  std::uint64_t FVirtualTick = 0;    // the headless clock, ms
  std::vector<TComponent*> FReleases;  // components waiting to be freed between messages
  // Windows whose message handlers are running now, innermost last: a released component is
  // freed only when none of them is it or lies within it.
  std::vector<TWinControl*> FDispatching;
  bool FTerminated = false;
  int FModalLevel = 0;
  String FLastExceptionMessage;
  String FTitle;
  TCustomForm* FMainForm = nullptr;
  std::unique_ptr<TWindowManager> FWindows;  // handles, focus, capture, painting, input routing
  // Hints.
  bool FShowHint = true;
  int FHintPause = 500;        // ms the mouse rests before a hint shows
  int FHintShortPause = 50;    // ms before the next hint while one was just shown
  int FHintHidePause = 2500;   // ms a hint stays
  TColor FHintColor = clInfoBk;
  TControl* FHintControl = nullptr;   // control under the mouse a hint is pending or shown for
  THintWindow* FHintWindow = nullptr;  // owned by the application (component owner)
  THintWindowClass FHintWindowClass = nullptr;  // the factory FHintWindow came from
  TRect FHintCursorRect;              // screen rectangle the shown hint belongs to
  std::uint64_t FHintTimer = 0;       // pause before showing (0 = none)
  std::uint64_t FHideTimer = 0;       // hide timeout (0 = none)
  std::uint64_t FHintHiddenAt = 0;    // tick when the last hint hid (short pause within)
  bool FHintActive = false;           // a hint was shown and the mouse has not left its area
};

// The application object; exists from start-up to exit.
extern TApplication* Application;

}  // namespace kel
