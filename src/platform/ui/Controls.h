// The control tree: TControl (a rectangle with a parent, colour, font, hint, cursor and mouse
// input), TWinControl (a control with a window: children, alignment, focus, keyboard, painting),
// TCustomControl (a window control with a canvas and Paint) and TGraphicControl (a windowless
// control painted by its parent on its own canvas).
//
// Messages reach a control through Perform / SendMessage -> WndProc -> Dispatch, which looks the
// id up in the handler tables (Controls.cpp) and calls the virtual handler named after the
// message (WMSize, CMExit, ...); unknown ids go to DefaultHandler. A descendant handling an id of
// its own overrides WndProc and calls the base for the rest. Handlers call the base first.
#pragma once

#include <cairo.h>

#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Styles.h"
#include "platform/ui/WindowSystem.h"

namespace kel {

class TWinControl;
class TPopupMenu;
class TCustomForm;
struct TTopWindow;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
KEL_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")

enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
KEL_ENUM_NAMES(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = TSet<TAnchorKind>;
// The anchors an alignment gives a control (alNone and alCustom: left and top).
TAnchors AnchorsOfAlign(TAlign Align);

// One enumeration for control and form borders: controls use bsNone and bsSingle only.
enum TFormBorderStyle : std::uint8_t {
  bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin
};
KEL_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
               "bsSizeToolWin")
using TBorderStyle = TFormBorderStyle;

enum TBiDiMode : std::uint8_t {
  bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly
};
KEL_ENUM_NAMES(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
               "bdRightToLeftReadingOnly")

enum TControlStateElement : std::uint8_t {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csAligning
};
using TControlState = TSet<TControlStateElement>;

enum TControlStyleElement : std::uint8_t {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
  csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
  csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
  csNeedsBorderPaint, csParentBackground
};
using TControlStyle = TSet<TControlStyleElement>;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// What a window is made of, filled by CreateParams before the window is created.
struct TCreateParams {
  String Caption;
  DWord Style = 0;       // WS_ flags
  DWord ExStyle = 0;     // WS_EX_ flags
  DWord ClassStyle = 0;  // CS_ flags
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = 0;
};

class TControl : public TComponent {
  KEL_CLASS(TControl, TComponent)

 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Published: Left, Top, Width, Height (always stored), Align, Anchors (stored when they are not
  // what Align gives), BiDiMode (stored unless ParentBiDiMode), Color (unless ParentColor),
  // Cursor, Enabled, Font (unless ParentFont), HelpContext, Hint, ParentBiDiMode, ParentColor,
  // ParentFont, ParentShowHint, PopupMenu, ShowHint (unless ParentShowHint), Visible; the mouse
  // events and OnResize. Descendants that construct other values redeclare their defaults.
  static const TPropList& PublishedProperties();

  // --- Parent and geometry ----------------------------------------------------------------------
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  // Left/Top are in the parent's client coordinates; for a top-level window, on the screen.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The client area in client coordinates (origin 0, 0).
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  void SetClientSize(int width, int height);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  TPoint ClientToParent(TPoint p, TWinControl* AParent = nullptr) const;
  TPoint ParentToClient(TPoint p, TWinControl* AParent = nullptr) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors value);

  // --- Visibility and state ---------------------------------------------------------------------
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  void Show();
  void Hide();
  // Visible, and every parent up to a top-level window showing.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState value) { FControlState = value; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle value) { FControlStyle = value; }

  // --- Appearance -------------------------------------------------------------------------------
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  String Caption() const { return FText; }
  void SetCaption(const String& value);
  String Text() const { return FText; }
  void SetText(const String& value) { SetCaption(value); }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  // The parts a custom visual style paints; the rest keep the control's own colours and font.
  TStyleElements StyleElements() const { return FStyleElements; }
  void SetStyleElements(TStyleElements value);

  // --- Hints, menus, bidirectional text ---------------------------------------------------------
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }
  String Hint() const { return FHint; }
  void SetHint(const String& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool value);
  bool IsRightToLeft() const;
  bool UseRightToLeftAlignment() const;
  bool UseRightToLeftReading() const;
  bool UseRightToLeftScrollBar() const;

  // --- Painting ---------------------------------------------------------------------------------
  // Marks the control for repainting; the paint happens once when the queue is idle (or Update).
  virtual void Invalidate();
  // Paints every pending invalid area of the control's window now.
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // --- Messages ---------------------------------------------------------------------------------
  LRESULT Perform(Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  LRESULT Perform(TMessage& Message);
  virtual void WndProc(TMessage& Message);
  // Looks the id up in the handler tables; unknown ids go to DefaultHandler.
  void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // --- Mouse ------------------------------------------------------------------------------------
  bool MouseCapture() const;
  void SetMouseCapture(bool value);
  // Asks the active control of each form up the parents to end its modes (CM_CANCELMODE).
  void SendCancelMode(TControl* Sender);

  // The form this control lies on (the top-most TCustomForm up the parents), or null.
  TCustomForm* ParentForm() const;

  // --- Events -----------------------------------------------------------------------------------
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

 protected:
  // --- Dynamic hooks ----------------------------------------------------------------------------
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Resize();
  virtual void ChangeScale(int M, int D) {}
  // Asks the parent to lay out its aligned children again after this one moved.
  virtual void RequestAlign();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // A windowless control paints through its parent's window; window controls override.
  virtual void InvalidateRectOfControl(const TRect* r);

  // --- Message handlers -------------------------------------------------------------------------
  virtual void WMLButtonDown(TWMLButtonDown& Message);
  virtual void WMLButtonUp(TWMLButtonUp& Message);
  virtual void WMLButtonDblClk(TWMLButtonDblClk& Message);
  virtual void WMRButtonDown(TWMRButtonDown& Message);
  virtual void WMRButtonUp(TWMRButtonUp& Message);
  virtual void WMRButtonDblClk(TWMRButtonDblClk& Message);
  virtual void WMMButtonDown(TWMMButtonDown& Message);
  virtual void WMMButtonUp(TWMMButtonUp& Message);
  virtual void WMMButtonDblClk(TWMMButtonDblClk& Message);
  virtual void WMMouseMove(TWMMouseMove& Message);
  virtual void WMMouseWheel(TWMMouseWheel& Message);
  virtual void WMCancelMode(TWMCancelMode& Message);
  virtual void WMContextMenu(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMParentBiDiModeChanged(TMessage& Message);
  virtual void CMBiDiModeChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMCursorChanged(TMessage& Message);
  virtual void CMHintShow(TCMHintShow& Message);
  virtual void CMHintShowPause(TCMHintShowPause& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMMouseWheel(TCMMouseWheel& Message);
  virtual void CMCancelMode(TCMCancelMode& Message) {}
  virtual void CMDesignHitTest(TWMMouse& Message) {}

  // Sets the control's fields without side effects (used by alignment and construction).
  void SetBoundsQuietly(const TRect& r);
  // The font and colour the control inherits when ParentFont / ParentColor.
  void TakeParentFont();
  void TakeParentColor();

  TWinControl* FParent = nullptr;  // the window control this one lies on; null = none
  int FLeft = 0;                   // in the parent's client coordinates (screen for top-levels)
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Distances to the parent's right and bottom client edges, kept for akRight / akBottom.
  int FAnchorRight = 0;
  int FAnchorBottom = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TControlState FControlState;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;     // owned; FontChanged reacts to its OnChange
  bool FParentFont = true;
  bool FTakingParentFont = false;   // set while copying the parent's font (keeps ParentFont)
  String FText;                     // Caption / Text
  TCursor FCursor = crDefault;
  TStyleElements FStyleElements = AllStyleElements;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;  // not owned; cleared by Notification
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  int FWheelAccumulator = 0;        // wheel delta not yet turned into whole notches
  int FHelpContext = 0;

 private:
  void FontChanged();
  void DoMouseDown(const TWMMouse& Message, TMouseButton Button, TShiftState extra);
  void DoMouseUp(const TWMMouse& Message, TMouseButton Button);
  void UpdateAnchorDistances();
  friend class TWinControl;
  friend class TWindowManager;
  friend struct TMessageTables;
};

class TWinControl : public TControl {
  KEL_CLASS(TWinControl, TControl)

 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Published: BorderStyle, Ctl3D (stored unless ParentCtl3D), ParentCtl3D, TabOrder (-1 without
  // a parent), TabStop; OnEnter, OnExit and the key events.
  static const TPropList& PublishedProperties();

  // --- Window handle ----------------------------------------------------------------------------
  // The window's handle, creating the window (and its parents' windows) when needed.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  void HandleNeeded();
  void DestroyHandle();
  // Destroys and re-creates the window, as style changes (border, 3-D look) need.
  void RecreateWnd();
  // True for windows with no parent window: forms, popups, hint windows.
  bool IsTopLevel() const;
  // The window's creation parameters as last computed (after CreateParams).
  const TCreateParams& WindowParams() const { return FParams; }

  // --- Children ---------------------------------------------------------------------------------
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(Index); }
  bool ContainsControl(const TControl* Control) const;
  // The child under a client point (top-most first), or null.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // Sends a message to every child (stops at the first that sets Result).
  void Broadcast(TMessage& Message);
  void NotifyControls(Cardinal Msg);

  // --- Alignment --------------------------------------------------------------------------------
  void DisableAlign();
  void EnableAlign();
  bool AlignDisabled() const { return FAlignLevel > 0; }
  void Realign();

  // --- Focus ------------------------------------------------------------------------------------
  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value) { FTabStop = value; }
  int TabOrder() const;
  void SetTabOrder(int value);
  // The next (or previous) tab stop after CurControl among the children, wrapping around.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  // --- Look -------------------------------------------------------------------------------------
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }

  // --- Geometry ---------------------------------------------------------------------------------
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  bool Showing() const override { return FShowing; }
  void SetParent(TWinControl* AParent) override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Moves the window's pixels by (DeltaX, DeltaY) together with its children.
  void ScrollBy(int DeltaX, int DeltaY);

  // --- Painting ---------------------------------------------------------------------------------
  void Invalidate() override;
  void Update() override;
  // Draws the window and its children onto `Context` with the window's top-left at (X, Y).
  void PaintTo(cairo_t* Context, int X, int Y);
  // Paints the windowless children over the client area (after the window's own painting).
  void PaintControls(cairo_t* Context, TControl* First);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Called once the handle exists (CreateWnd's last step); the window's first state is set here.
  virtual void CreateHandle();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  // Fills the client area with Color (WM_ERASEBKGND's default).
  virtual void EraseBackground(TCanvas* ACanvas);
  // The window's own painting; the base paints nothing, TCustomControl calls Paint.
  virtual void PaintWindow(cairo_t* Context) {}
  // The border painted in the non-client area (WM_NCPAINT's default).
  virtual void PaintBorder(TCanvas* ACanvas);
  void InvalidateRectOfControl(const TRect* r) override;
  void UpdateShowing();
  void UpdateControlState();
  void Loaded() override;

  // --- Message handlers -------------------------------------------------------------------------
  virtual void WMPaint(TWMPaint& Message);
  virtual void WMNCPaint(TWMNCPaint& Message);
  virtual void WMEraseBkgnd(TWMEraseBkgnd& Message);
  virtual void WMSize(TWMSize& Message);
  virtual void WMSetFocus(TWMSetFocus& Message);
  virtual void WMKillFocus(TWMKillFocus& Message);
  virtual void WMKeyDown(TWMKeyDown& Message);
  virtual void WMKeyUp(TWMKeyUp& Message);
  virtual void WMSysKeyDown(TWMKeyDown& Message);
  virtual void WMSysKeyUp(TWMKeyUp& Message);
  virtual void WMChar(TWMChar& Message);
  virtual void WMSetCursor(TWMSetCursor& Message);
  virtual void WMHScroll(TWMHScroll& Message) {}
  virtual void WMVScroll(TWMVScroll& Message) {}
  virtual void WMGetDlgCode(TWMGetDlgCode& Message) {}
  virtual void WMTimer(TWMTimer& Message) {}
  virtual void CNKeyDown(TWMKeyDown& Message);
  virtual void CNChar(TWMChar& Message);
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void CMShowingChanged(TMessage& Message);
  virtual void CMDialogKey(TCMDialogKey& Message);
  virtual void CMDialogChar(TCMDialogChar& Message);
  virtual void CMChildKey(TCMChildKey& Message);
  virtual void CMWantSpecialKey(TCMWantSpecialKey& Message) {}
  virtual void CMCtl3DChanged(TMessage& Message);
  virtual void CMBorderChanged(TMessage& Message);
  virtual void CMInvalidate(TMessage& Message);
  virtual void CMRecreateWnd(TMessage& Message);
  // Frees the control after the current message (deferred release); posted by Release-style
  // code as PostMessage(Handle(), CM_RELEASE).
  virtual void CMRelease(TMessage& Message);
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMBiDiModeChanged(TMessage& Message) override;

  std::vector<TControl*> FControls;  // children in z-order (first = bottom)
  std::vector<TWinControl*> FTabList;  // window children in tab order
  TCreateParams FParams;             // from CreateParams at the last window creation
  HWND FHandle = 0;                  // 0 until the window exists
  bool FShowing = false;             // derived: visible with a showing parent (or top-level)
  bool FTabStop = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TBorderStyle FBorderStyle = bsNone;
  bool FDoubleBuffered = false;
  int FAlignLevel = 0;               // DisableAlign nesting; realigns when it returns to 0
  bool FAlignPending = false;        // a realign was asked while disabled
  std::unique_ptr<TTopWindow> FTopWindow;  // surface and native window of a top-level window

 private:
  bool DoKeyDown(TWMKey& Message);
  bool DoKeyPress(TWMKey& Message);
  bool DoKeyUp(TWMKey& Message);
  void AlignControl(TControl* AControl);
  void ApplyAnchors();
  // Forwards a mouse message to a windowless child under the point (or holding the capture).
  bool IsControlMouseMsg(TMessage& Message);
  // Moves the focus out of this control (to the form) when it holds it.
  void RemoveFocus(bool Removing);
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  friend class TControl;
  friend class TWindowManager;
  friend class TCustomForm;
  friend struct TMessageTables;
};

// A window control with a canvas: descendants draw in Paint.
class TCustomControl : public TWinControl {
  KEL_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  // Draws on the window while painting; outside painting it measures text and draws nowhere.
  TCanvas* Canvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(cairo_t* Context) override;

 private:
  std::unique_ptr<TCanvas> FCanvas;
};

// A windowless control painted by its parent.
class TGraphicControl : public TControl {
  KEL_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  // Draws the control on `Context`, whose origin is the control's top-left corner.
  void PaintOn(cairo_t* Context);

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> FCanvas;
};

// The window control of a handle, or null when the handle names no window (any more).
TWinControl* FindControl(HWND Handle);
// The control (windowed or not) under a screen point, or null.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);

// The control holding the mouse capture (a windowless one through its parent's window).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

}  // namespace kel
