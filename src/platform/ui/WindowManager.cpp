// TWindowManager: handles, top-level windows with their surfaces and native windows, focus and
// capture, invalidation, painting of dirty regions and scrolling of window pixels.
#include "platform/ui/WindowManager.h"

#include <cstring>

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HintWindow.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Screen.h"

namespace kel {

namespace {

cairo_rectangle_int_t ToCairo(const TRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

TRect FromCairo(const cairo_rectangle_int_t& r) {
  return Bounds(r.x, r.y, r.width, r.height);
}

cairo_surface_t* NewSurface(int width, int height) {
  return cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1));
}

}  // namespace

TTopWindow::TTopWindow() : Dirty(cairo_region_create()) {}

TTopWindow::~TTopWindow() {
  if (Surface) cairo_surface_destroy(Surface);
  cairo_region_destroy(Dirty);
}

TWindowManager::~TWindowManager() = default;

TBackend* TWindowManager::Backend() {
  if (!FBackend) FBackend = CreateBackend();
  return FBackend.get();
}

// ---- Handles ----------------------------------------------------------------------------------

HWND TWindowManager::Register(TWinControl* Control) {
  const HWND handle = FNextHandle++;
  FWindows[handle].Control = Control;
  return handle;
}

void TWindowManager::Unregister(HWND Wnd) {
  FWindows.erase(Wnd);
  if (FFocus == Wnd) FFocus = 0;
  if (FCapture == Wnd) {
    FCapture = 0;
    FCaptureControl = nullptr;
    if (FBackend) FBackend->SetCapture(0);
  }
  if (FActiveWindow == Wnd) FActiveWindow = 0;
  if (FLastClickWnd == Wnd) FLastClickWnd = 0;
  if (FBarWnd == Wnd) {
    FBarWnd = 0;
    FBarPart = spNone;
    Application->StopTimer(FBarTimer);
    FBarTimer = 0;
  }
  Application->DropWindowItems(Wnd);
}

TWinControl* TWindowManager::Find(HWND Wnd) const {
  const auto it = FWindows.find(Wnd);
  return it == FWindows.end() ? nullptr : it->second.Control;
}

TWindowInfo* TWindowManager::Info(HWND Wnd) {
  const auto it = FWindows.find(Wnd);
  return it == FWindows.end() ? nullptr : &it->second;
}

void TWindowManager::ControlDestroying(TControl* Control) {
  if (FMouseControl && (FMouseControl == Control || (dynamic_cast<TWinControl*>(Control) &&
                                                     static_cast<TWinControl*>(Control)
                                                         ->ContainsControl(FMouseControl))))
    FMouseControl = nullptr;
  if (FCaptureControl == Control) {
    FCaptureControl = nullptr;
    FCapture = 0;
    if (FBackend) FBackend->SetCapture(0);
  }
  if (auto* window = dynamic_cast<TWinControl*>(Control)) {
    TWinControl* focused = Find(FFocus);
    if (focused && window->ContainsControl(focused)) FFocus = 0;
  }
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->FActiveControl == Control) form->FActiveControl = nullptr;
    if (form->FFocusedControl == Control) form->FFocusedControl = nullptr;
  }
  if (Screen->FActiveControl == Control) Screen->FActiveControl = nullptr;
  if (Screen->FActiveForm == Control) Screen->FActiveForm = nullptr;
  if (Application->FHintControl == Control) Application->FHintControl = nullptr;
  if (Application->FHintWindow == Control) Application->FHintWindow = nullptr;
  std::erase(Application->FReleases, Control);
}

// ---- Top-level windows ------------------------------------------------------------------------

void TWindowManager::CreateTopWindow(TWinControl* Control) {
  Control->FTopWindow = std::make_unique<TTopWindow>();
  Control->FTopWindow->Surface = NewSurface(Control->Width(), Control->Height());
  FTopLevels.push_back(Control);
}

void TWindowManager::EnsureNative(TWinControl* Top) {
  TTopWindow& top = *Top->FTopWindow;
  if (top.Native) return;
  const TCreateParams& params = Top->FParams;
  TNativeWindowParams native;
  native.Window = Top->FHandle;
  native.Bounds = Top->BoundsRect();
  native.Caption = Top->Caption();
  native.Popup = (params.Style & WS_POPUP) != 0 && !dynamic_cast<TCustomForm*>(Top);
  native.TopMost = (params.ExStyle & WS_EX_TOPMOST) != 0;
  native.NoActivate = native.Popup || (params.ExStyle & WS_EX_NOACTIVATE) != 0;
  if (auto* form = dynamic_cast<TCustomForm*>(Top)) {
    native.Resizable = form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin;
    native.Decorated = form->BorderStyle() != bsNone;
    native.TopMost = native.TopMost || form->FormStyle() == fsStayOnTop;
  } else {
    native.Resizable = false;
    native.Decorated = false;
  }
  if (Top->FParent) native.Owner = TopOf(Top->FParent) ? TopOf(Top->FParent)->FHandle : 0;
  Backend()->CreateWindow(native);
  top.Native = true;
}

void TWindowManager::DestroyTopWindow(TWinControl* Control) {
  if (Control->FTopWindow->Native && FBackend) FBackend->DestroyWindow(Control->FHandle);
  std::erase(FTopLevels, Control);
  Control->FTopWindow.reset();
}

void TWindowManager::TopWindowBoundsChanged(TWinControl* Control, bool Resized) {
  TTopWindow& top = *Control->FTopWindow;
  if (Resized) {
    cairo_surface_destroy(top.Surface);
    top.Surface = NewSurface(Control->Width(), Control->Height());
    cairo_region_destroy(top.Dirty);
    top.Dirty = cairo_region_create();
    const cairo_rectangle_int_t all{0, 0, Control->Width(), Control->Height()};
    cairo_region_union_rectangle(top.Dirty, &all);
  }
  if (top.Native && !FApplyingNativeBounds)
    Backend()->SetWindowBounds(Control->FHandle, Control->BoundsRect());
}

void TWindowManager::TopWindowShown(TWinControl* Control, bool Visible, bool Activate) {
  TTopWindow& top = *Control->FTopWindow;
  if (Visible) {
    EnsureNative(Control);
    BringTopToFront(Control);
    Invalidate(Control, nullptr, true);
    PaintTop(Control);
  }
  if (top.Native && top.NativeShown != Visible) {
    Backend()->ShowWindow(Control->FHandle, Visible, Activate);
    top.NativeShown = Visible;
  }
  if (Visible && Activate) SetActiveWindow(Control);
  if (!Visible && FActiveWindow == Control->FHandle) FActiveWindow = 0;
}

void TWindowManager::TopWindowCaptionChanged(TWinControl* Control) {
  if (Control->FTopWindow && Control->FTopWindow->Native)
    Backend()->SetWindowCaption(Control->FHandle, Control->Caption());
}

void TWindowManager::BringTopToFront(TWinControl* Control) {
  std::erase(FTopLevels, Control);
  FTopLevels.push_back(Control);
}

TWinControl* TWindowManager::TopOf(const TControl* Control) const {
  const TControl* c = Control;
  while (c) {
    if (auto* window = dynamic_cast<const TWinControl*>(c); window && window->FTopWindow)
      return const_cast<TWinControl*>(window);
    if (auto* window = dynamic_cast<const TWinControl*>(c); window && window->IsTopLevel())
      return nullptr;
    c = c->FParent;
  }
  return nullptr;
}

TPoint TWindowManager::WindowOffset(const TControl* Control) const {
  TPoint offset;
  const TControl* c = Control;
  while (c && !(dynamic_cast<const TWinControl*>(c) &&
                static_cast<const TWinControl*>(c)->FTopWindow)) {
    offset.X += c->FLeft;
    offset.Y += c->FTop;
    const TWinControl* parent = c->FParent;
    if (!parent) break;
    const TRect client = ClientArea(parent);
    offset.X += client.Left;
    offset.Y += client.Top;
    c = parent;
  }
  return offset;
}

bool TWindowManager::IsWindowShown(const TWinControl* Control) const {
  for (const TWinControl* c = Control; c; c = c->FParent) {
    const auto it = FWindows.find(c->FHandle);
    if (it == FWindows.end() || !it->second.Visible) return false;
    if (c->FTopWindow) return true;
  }
  return false;
}

TRect TWindowManager::VisibleWindowArea(const TWinControl* Control) const {
  const TPoint offset = WindowOffset(Control);
  TRect area = Bounds(offset.X, offset.Y, Control->Width(), Control->Height());
  for (const TWinControl* parent = Control->FTopWindow ? nullptr : Control->FParent; parent;
       parent = parent->FTopWindow ? nullptr : parent->FParent) {
    const TPoint parentOffset = WindowOffset(parent);
    TRect client = ClientArea(parent);
    client.Offset(parentOffset.X, parentOffset.Y);
    if (!IntersectRect(area, area, client)) return {};
  }
  return area;
}

// ---- Invalidation and painting ----------------------------------------------------------------

void TWindowManager::Invalidate(TWinControl* Control, const TRect* ClientRect, bool WholeWindow) {
  if (!Control || !Control->FHandle) return;
  TWinControl* top = TopOf(Control);
  if (!top) return;
  const TPoint offset = WindowOffset(Control);
  TRect area;
  if (ClientRect) {
    area = *ClientRect;
    const TRect client = ClientArea(Control);
    area.Offset(offset.X + client.Left, offset.Y + client.Top);
    TRect clientInWindow = client;
    clientInWindow.Offset(offset.X, offset.Y);
    if (!IntersectRect(area, area, clientInWindow)) return;
  } else if (WholeWindow) {
    area = Bounds(offset.X, offset.Y, Control->Width(), Control->Height());
  } else {
    area = ClientArea(Control);
    area.Offset(offset.X, offset.Y);
  }
  AddDirty(Control, top, area);
}

void TWindowManager::InvalidateWindowPart(TWinControl* Control, const TRect& WindowRect) {
  if (!Control || !Control->FHandle) return;
  TWinControl* top = TopOf(Control);
  if (!top) return;
  TRect area = WindowRect;
  const TPoint offset = WindowOffset(Control);
  area.Offset(offset.X, offset.Y);
  AddDirty(Control, top, area);
}

// Area is in the top-level window's coordinates.
void TWindowManager::AddDirty(TWinControl* Control, TWinControl* Top, TRect Area) {
  if (!IntersectRect(Area, Area, VisibleWindowArea(Control))) return;
  const cairo_rectangle_int_t rect = ToCairo(Area);
  cairo_region_union_rectangle(Top->FTopWindow->Dirty, &rect);
}

void TWindowManager::Validate(TWinControl* Control, const TRect* ClientRect) {
  TWinControl* top = TopOf(Control);
  if (!top) return;
  const TPoint offset = WindowOffset(Control);
  TRect area = ClientRect ? *ClientRect : Rect(0, 0, Control->ClientWidth(), Control->ClientHeight());
  const TRect client = ClientArea(Control);
  area.Offset(offset.X + client.Left, offset.Y + client.Top);
  const cairo_rectangle_int_t rect = ToCairo(area);
  cairo_region_subtract_rectangle(top->FTopWindow->Dirty, &rect);
}

bool TWindowManager::UpdateRect(TWinControl* Control, TRect& Rect) const {
  TWinControl* top = TopOf(Control);
  if (!top) return false;
  TRect client = ClientArea(Control);
  const TPoint offset = WindowOffset(Control);
  client.Offset(offset.X, offset.Y);
  cairo_region_t* part = cairo_region_copy(top->FTopWindow->Dirty);
  const cairo_rectangle_int_t clientRect = ToCairo(client);
  cairo_region_intersect_rectangle(part, &clientRect);
  const bool any = !cairo_region_is_empty(part);
  if (any) {
    cairo_rectangle_int_t extents;
    cairo_region_get_extents(part, &extents);
    Rect = FromCairo(extents);
    Rect.Offset(-client.Left, -client.Top);
  }
  cairo_region_destroy(part);
  return any;
}

bool TWindowManager::PaintAll() {
  bool painted = false;
  const std::vector<TWinControl*> tops = FTopLevels;
  for (TWinControl* top : tops)
    if (std::find(FTopLevels.begin(), FTopLevels.end(), top) != FTopLevels.end())
      painted = PaintTop(top) || painted;
  return painted;
}

bool TWindowManager::PaintTop(TWinControl* Top) {
  if (!Top || !Top->FTopWindow) return false;
  TTopWindow& window = *Top->FTopWindow;
  if (cairo_region_is_empty(window.Dirty)) return false;
  if (!IsWindowShown(Top)) return false;
  cairo_region_t* region = window.Dirty;
  window.Dirty = cairo_region_create();
  cairo_surface_t* surface = cairo_surface_reference(window.Surface);
  cairo_t* context = cairo_create(surface);
  PaintWindowTree(Top, context, {0, 0}, Rect(0, 0, Top->Width(), Top->Height()), region);
  cairo_destroy(context);
  cairo_surface_flush(surface);
  cairo_rectangle_int_t extents;
  cairo_region_get_extents(region, &extents);
  if (Top->FTopWindow && Top->FTopWindow->Surface == surface && Top->FTopWindow->Native &&
      Top->FTopWindow->NativeShown)
    Backend()->Present(Top->FHandle, surface, FromCairo(extents));
  cairo_surface_destroy(surface);
  cairo_region_destroy(region);
  return true;
}

void TWindowManager::PaintWindowTree(TWinControl* Control, cairo_t* Context, TPoint Origin,
                                     const TRect& Clip, const cairo_region_t* Region) {
  TRect area;
  if (!IntersectRect(area, Bounds(Origin.X, Origin.Y, Control->Width(), Control->Height()), Clip))
    return;
  const cairo_rectangle_int_t areaRect = ToCairo(area);
  if (cairo_region_contains_rectangle(Region, &areaRect) == CAIRO_REGION_OVERLAP_OUT) return;
  TRect client = ClientArea(Control);
  client.Offset(Origin.X, Origin.Y);
  TRect clientArea;
  IntersectRect(clientArea, client, area);
  if (client != Bounds(Origin.X, Origin.Y, Control->Width(), Control->Height()))
    SendPaint(Control, WM_NCPAINT, Context, Origin, area, Region);
  if (!clientArea.IsEmpty()) {
    // Opaque child windows paint every pixel they cover, so the parent leaves their area alone.
    cairo_region_t* own = cairo_region_copy(Region);
    for (TControl* child : Control->FControls) {
      auto* window = dynamic_cast<TWinControl*>(child);
      if (!window || !window->FHandle || window->FTopWindow || !window->ControlStyle().Contains(csOpaque)) continue;
      const TWindowInfo* info = Info(window->FHandle);
      if (!info || !info->Visible) continue;
      const cairo_rectangle_int_t covered =
          ToCairo(Bounds(client.Left + window->Left(), client.Top + window->Top(), window->Width(), window->Height()));
      cairo_region_subtract_rectangle(own, &covered);
    }
    if (!cairo_region_is_empty(own)) {
      SendPaint(Control, WM_ERASEBKGND, Context, client.TopLeft(), clientArea, own);
      SendPaint(Control, WM_PAINT, Context, client.TopLeft(), clientArea, own);
    }
    cairo_region_destroy(own);
  }
  if (!Control->FHandle || clientArea.IsEmpty()) return;
  const std::vector<TControl*> children = Control->FControls;
  for (TControl* child : children) {
    auto* window = dynamic_cast<TWinControl*>(child);
    if (!window || !window->FHandle || window->FTopWindow) continue;
    const TWindowInfo* info = Info(window->FHandle);
    if (!info || !info->Visible) continue;
    PaintWindowTree(window, Context, {client.Left + window->Left(), client.Top + window->Top()},
                    clientArea, Region);
  }
}

void TWindowManager::SendPaint(TWinControl* Control, Cardinal Msg, cairo_t* Base, TPoint Origin,
                               const TRect& Area, const cairo_region_t* Region) {
  if (!Control->FHandle) return;
  cairo_save(Base);
  const int count = cairo_region_num_rectangles(Region);
  for (int i = 0; i < count; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(Region, i, &r);
    cairo_rectangle(Base, r.x, r.y, r.width, r.height);
  }
  cairo_clip(Base);
  cairo_rectangle(Base, Area.Left, Area.Top, Area.Width(), Area.Height());
  cairo_clip(Base);
  cairo_translate(Base, Origin.X, Origin.Y);
  Application->SendMessage(Control->FHandle, Msg, reinterpret_cast<WPARAM>(Base), 0);
  cairo_restore(Base);
}

void TWindowManager::PaintTreeTo(TWinControl* Control, cairo_t* Context) {
  cairo_region_t* all = cairo_region_create();
  const cairo_rectangle_int_t rect{0, 0, Control->Width(), Control->Height()};
  cairo_region_union_rectangle(all, &rect);
  const bool hadHandle = Control->HandleAllocated();
  if (!hadHandle && (Control->FParent || Control->IsTopLevel())) Control->HandleNeeded();
  PaintWindowTree(Control, Context, {0, 0}, Rect(0, 0, Control->Width(), Control->Height()), all);
  cairo_region_destroy(all);
}

TColor TWindowManager::SurfacePixel(TWinControl* Top, TPoint P) const {
  cairo_surface_t* surface = Top->FTopWindow->Surface;
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  if (P.X < 0 || P.Y < 0 || P.X >= width || P.Y >= height)
    throw ERangeError("Pixel outside the window");
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::uint32_t pixel;
  std::memcpy(&pixel, data + P.Y * stride + P.X * 4, 4);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int TWindowManager::ScrollWindow(TWinControl* Control, int DX, int DY, const TRect* Scroll,
                                 const TRect* Clip, TRect* Update, Cardinal Flags) {
  TWinControl* top = TopOf(Control);
  const TRect clientRect = Rect(0, 0, Control->ClientWidth(), Control->ClientHeight());
  TRect area = Scroll ? *Scroll : clientRect;
  IntersectRect(area, area, clientRect);
  if (Clip) IntersectRect(area, area, *Clip);
  if (Update) *Update = {};
  if (area.IsEmpty() || (DX == 0 && DY == 0)) return 1;
  // Destination of the moved pixels: the area shifted, kept inside the area.
  TRect moved = area;
  moved.Offset(DX, DY);
  TRect kept;
  IntersectRect(kept, moved, area);
  if (top && !kept.IsEmpty() && IsWindowShown(Control)) {
    const TPoint offset = WindowOffset(Control);
    const TRect client = ClientArea(Control);
    const int ox = offset.X + client.Left;
    const int oy = offset.Y + client.Top;
    cairo_surface_t* surface = top->FTopWindow->Surface;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int rowBytes = kept.Width() * 4;
    auto copyRow = [&](int y) {
      unsigned char* to = data + (oy + y) * stride + (ox + kept.Left) * 4;
      const unsigned char* from = data + (oy + y - DY) * stride + (ox + kept.Left - DX) * 4;
      std::memmove(to, from, static_cast<std::size_t>(rowBytes));
    };
    if (DY > 0)
      for (int y = kept.Bottom - 1; y >= kept.Top; --y) copyRow(y);
    else
      for (int y = kept.Top; y < kept.Bottom; ++y) copyRow(y);
    cairo_surface_mark_dirty(surface);
    // Pending invalid parts move with the pixels.
    TRect window = area;
    window.Offset(ox, oy);
    cairo_region_t* inside = cairo_region_copy(top->FTopWindow->Dirty);
    const cairo_rectangle_int_t windowRect = ToCairo(window);
    cairo_region_intersect_rectangle(inside, &windowRect);
    cairo_region_translate(inside, DX, DY);
    cairo_region_intersect_rectangle(inside, &windowRect);
    cairo_region_union(top->FTopWindow->Dirty, inside);
    cairo_region_destroy(inside);
    TRect keptWindow = kept;
    keptWindow.Offset(ox, oy);
    if (top->FTopWindow->Native && top->FTopWindow->NativeShown)
      Backend()->Present(top->FHandle, surface, keptWindow);
  }
  // The uncovered strip(s) need painting.
  cairo_region_t* uncovered = cairo_region_create();
  const cairo_rectangle_int_t areaRect = ToCairo(area);
  cairo_region_union_rectangle(uncovered, &areaRect);
  const cairo_rectangle_int_t keptRect = ToCairo(kept);
  if (!kept.IsEmpty()) cairo_region_subtract_rectangle(uncovered, &keptRect);
  cairo_rectangle_int_t extents{};
  if (!cairo_region_is_empty(uncovered)) cairo_region_get_extents(uncovered, &extents);
  if (Update) *Update = FromCairo(extents);
  if (Flags & SW_INVALIDATE) {
    const int count = cairo_region_num_rectangles(uncovered);
    for (int i = 0; i < count; ++i) {
      cairo_rectangle_int_t r;
      cairo_region_get_rectangle(uncovered, i, &r);
      const TRect rect = FromCairo(r);
      Invalidate(Control, &rect, false);
    }
  }
  cairo_region_destroy(uncovered);
  // Child windows in the area were copied with the pixels; repaint them where they are.
  for (TControl* child : Control->FControls)
    if (auto* window = dynamic_cast<TWinControl*>(child); window && window->FHandle) {
      if (Flags & SW_SCROLLCHILDREN)
        window->SetBoundsQuietly(Bounds(window->Left() + DX, window->Top() + DY,
                                        window->Width(), window->Height()));
      TRect childArea = window->BoundsRect();
      if (IntersectRect(childArea, childArea, area)) {
        Invalidate(Control, &childArea, false);
        TRect shifted = childArea;
        shifted.Offset(DX, DY);
        Invalidate(Control, &shifted, false);
        window->Invalidate();
      }
    }
  return 1;
}

// ---- Focus and capture ------------------------------------------------------------------------

void TWindowManager::SetFocus(HWND Wnd) {
  if (Wnd == FFocus) return;
  const HWND old = FFocus;
  FFocus = Wnd;
  if (TWinControl* control = Find(Wnd))
    if (TWinControl* top = TopOf(control)) {
      const bool noActivate = (top->FParams.ExStyle & WS_EX_NOACTIVATE) != 0 ||
                              ((top->FParams.Style & WS_POPUP) && !dynamic_cast<TCustomForm*>(top));
      if (!noActivate) SetActiveWindow(top);
    }
  if (old && Find(old)) Application->SendMessage(old, WM_KILLFOCUS, Wnd, 0);
  if (Wnd && FFocus == Wnd && Find(Wnd)) Application->SendMessage(Wnd, WM_SETFOCUS, old, 0);
}

void TWindowManager::SetActiveWindow(TWinControl* Top) {
  const HWND wnd = Top ? Top->FHandle : 0;
  if (wnd == FActiveWindow) return;
  const HWND old = FActiveWindow;
  FActiveWindow = wnd;
  if (old) {
    CancelCapture();
    Application->SendMessage(old, CM_DEACTIVATE, 0, 0);
  }
  if (Top) {
    BringTopToFront(Top);
    if (Top->FTopWindow && Top->FTopWindow->NativeShown) Backend()->FocusWindow(wnd);
    Application->SendMessage(wnd, CM_ACTIVATE, 0, 0);
  }
}

void TWindowManager::SetCaptureControl(TControl* Control) {
  if (!Control) {
    ReleaseCapture();
    return;
  }
  auto* window = dynamic_cast<TWinControl*>(Control);
  TWinControl* holder = window ? window : Control->Parent();
  if (!holder) return;
  SetCapture(holder->Handle());
  FCaptureControl = Control;
}

HWND TWindowManager::SetCapture(HWND Wnd) {
  const HWND old = FCapture;
  if (old == Wnd) {
    FCaptureControl = Find(Wnd);
    return old;
  }
  FCapture = Wnd;
  FCaptureControl = Find(Wnd);
  if (old && Find(old)) Application->SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(Wnd));
  Backend()->SetCapture(Wnd);
  return old;
}

void TWindowManager::ReleaseCapture() {
  if (!FCapture) return;
  const HWND old = FCapture;
  FCapture = 0;
  FCaptureControl = nullptr;
  Backend()->SetCapture(0);
  if (Find(old)) Application->SendMessage(old, WM_CAPTURECHANGED, 0, 0);
}

void TWindowManager::CancelCapture() {
  if (!FCapture) return;
  const HWND holder = FCapture;
  Application->SendMessage(holder, WM_CANCELMODE, 0, 0);
  if (FCapture == holder) ReleaseCapture();
}

void TWindowManager::SetKey(int VirtKey, bool Down) {
  if (VirtKey >= 0 && VirtKey < 256) FKeys[VirtKey] = Down;
}

TShiftState TWindowManager::ShiftState() const {
  TShiftState shift;
  if (FKeys[VK_SHIFT]) shift += ssShift;
  if (FKeys[VK_MENU]) shift += ssAlt;
  if (FKeys[VK_CONTROL]) shift += ssCtrl;
  if (FKeys[VK_LBUTTON]) shift += ssLeft;
  if (FKeys[VK_RBUTTON]) shift += ssRight;
  if (FKeys[VK_MBUTTON]) shift += ssMiddle;
  return shift;
}

void TWindowManager::SetCursorShape(TCursorShape Shape) { Backend()->SetCursor(Shape); }

}  // namespace kel
