// Menu items, popup menus and the popup menu window (rows of items drawn on the menu colour,
// the row under the mouse or chosen with the arrows highlighted).
#include "platform/ui/Menus.h"

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/WindowManager.h"

namespace kel {

namespace {

TPopupMenuWindow* OpenMenuWindow = nullptr;  // the menu window shown now

constexpr int Gutter = 22;       // room for the check mark left of the caption
constexpr int RightMargin = 24;  // room right of the caption
constexpr int LineHeight = 9;    // a separator row
constexpr int RowPadding = 8;    // added to the text height of an item row

}  // namespace

TPopupMenuWindow* ActivePopupMenuWindow() { return OpenMenuWindow; }

// ---- TMenuItem --------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  Clear();
  if (FParent) std::erase(FParent->FItems, this);
}

void TMenuItem::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  if (value && FRadioItem && FParent)
    for (TMenuItem* sibling : FParent->FItems)
      if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
        sibling->FChecked = false;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int value) {
  if (!FParent) return;
  auto& items = FParent->FItems;
  std::erase(items, this);
  const int index = std::clamp(value, 0, static_cast<int>(items.size()));
  items.insert(items.begin() + index, this);
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) throw EInvalidArgument("Menu item is null");
  if (Item->FParent) throw EInvalidOperation("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EListError("Menu index out of bounds");
  Item->FParent = this;
  FItems.insert(FItems.begin() + Index, Item);
}

void TMenuItem::Remove(TMenuItem* Item) {
  if (IndexOf(Item) < 0) return;
  std::erase(FItems, Item);
  Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  Remove(item);
  delete item;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  const String wanted = StripHotkey(ACaption);
  for (TMenuItem* item : FItems)
    if (StripHotkey(item->FCaption) == wanted) return item;
  return nullptr;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  if (OnClick) OnClick(this);
}

// ---- TPopupMenu -------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() {
  Destroying();
  if (FWindow) {
    FWindow->FMenu = nullptr;
    FWindow->Hide();
    if (OpenMenuWindow == FWindow) OpenMenuWindow = nullptr;
    Application->ReleaseComponent(FWindow);
  }
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
  if (FPopupComponent == value) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = value;
  if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  if (OpenMenuWindow) OpenMenuWindow->CloseWith(nullptr);
  if (OnPopup) OnPopup(this);
  auto* window = new TPopupMenuWindow(this);
  FWindow = window;
  const int width = window->Width();
  const int height = window->Height();
  if (FAlignment == paRight) X -= width;
  if (FAlignment == paCenter) X -= width / 2;
  const TRect area = Screen->WorkAreaRect();
  if (X + width > area.Right) X = area.Right - width;
  if (Y + height > area.Bottom) Y = std::max(Y - height, area.Top);
  X = std::max(X, area.Left);
  Y = std::max(Y, area.Top);
  window->SetBounds(X, Y, width, height);
  OpenMenuWindow = window;
  window->Show();
  window->Update();
}

void TPopupMenu::CloseMenu() {
  if (FWindow) FWindow->CloseWith(nullptr);
}

void TPopupMenu::WindowClosed(TMenuItem* Chosen) {
  TPopupMenuWindow* window = FWindow;
  FWindow = nullptr;
  if (OpenMenuWindow == window) OpenMenuWindow = nullptr;
  if (window) window->FMenu = nullptr;  // the menu may go before the window's release
  Application->ReleaseComponent(window);
  // The owner's window gets the keyboard back.
  if (auto* control = dynamic_cast<TControl*>(FPopupComponent)) {
    TWindowManager& windows = Application->Windows();
    if (TWinControl* top = windows.TopOf(control); top && windows.IsWindowShown(top))
      windows.Backend()->FocusWindow(top->Handle());
  }
  if (OnClose) OnClose(this);
  if (Chosen) Chosen->Click();
}

// ---- TPopupMenuWindow -------------------------------------------------------------------------

TPopupMenuWindow::TPopupMenuWindow(TPopupMenu* AMenu) : TCustomControl(nullptr), FMenu(AMenu) {
  FVisible = false;
  FColor = clMenu;
  FParentColor = false;
  FParentFont = false;
  for (int i = 0; i < AMenu->Items()->Count(); ++i)
    if (TMenuItem* item = AMenu->Items()->Items(i); item->Visible()) FRows.push_back(item);
  Canvas()->SetFont(Font());
  int width = 0;
  int height = 0;
  for (int row = 0; row < RowCount(); ++row) {
    if (!FRows[row]->IsLine())
      width = std::max(width, Canvas()->TextWidth(StripHotkey(FRows[row]->Caption())));
    height += RowHeight(row);
  }
  const int border = SystemMetrics().BorderWidth;
  SetBoundsQuietly(Bounds(0, 0, width + Gutter + RightMargin + 2 * border, height + 2 * border));
}

TPopupMenuWindow::~TPopupMenuWindow() {
  if (OpenMenuWindow == this) OpenMenuWindow = nullptr;
  if (FMenu && FMenu->FWindow == this) FMenu->FWindow = nullptr;
}

void TPopupMenuWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
}

int TPopupMenuWindow::RowHeight(int Row) const {
  if (FRows.at(Row)->IsLine()) return LineHeight;
  return const_cast<TPopupMenuWindow*>(this)->Canvas()->TextHeight("Wg") + RowPadding;
}

TRect TPopupMenuWindow::RowRect(int Row) const {
  int top = 0;
  for (int i = 0; i < Row; ++i) top += RowHeight(i);
  return Bounds(0, top, ClientWidth(), RowHeight(Row));
}

int TPopupMenuWindow::RowAt(TPoint P) const {
  if (P.X < 0 || P.X >= ClientWidth()) return -1;
  int top = 0;
  for (int row = 0; row < RowCount(); ++row) {
    const int height = RowHeight(row);
    if (P.Y >= top && P.Y < top + height) return row;
    top += height;
  }
  return -1;
}

void TPopupMenuWindow::SetSelected(int value) {
  if (FSelected == value) return;
  FSelected = value;
  Invalidate();
}

void TPopupMenuWindow::CloseWith(TMenuItem* Chosen) {
  if (FClosed) return;
  FClosed = true;
  if (MouseCapture()) SetMouseCapture(false);
  Hide();
  if (OpenMenuWindow == this) OpenMenuWindow = nullptr;
  if (FMenu)
    FMenu->WindowClosed(Chosen);
  else
    Application->ReleaseComponent(this);
}

bool TPopupMenuWindow::MenuKey(Word Key) {
  auto usable = [this](int row) { return !FRows[row]->IsLine() && FRows[row]->Enabled(); };
  const int count = RowCount();
  switch (Key) {
    case VK_UP:
    case VK_DOWN: {
      if (count == 0) return true;
      const int step = Key == VK_DOWN ? 1 : -1;
      int row = FSelected;
      for (int tries = 0; tries < count; ++tries) {
        row = row < 0 ? (step > 0 ? 0 : count - 1) : ((row + step) % count + count) % count;
        if (usable(row)) {
          SetSelected(row);
          break;
        }
      }
      return true;
    }
    case VK_RETURN:
      if (FSelected >= 0 && usable(FSelected)) CloseWith(FRows[FSelected]);
      return true;
    case VK_ESCAPE: CloseWith(nullptr); return true;
    default: return true;  // the open menu takes the keyboard
  }
}

void TPopupMenuWindow::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const int row = RowAt({X, Y});
  SetSelected(row >= 0 && !FRows[row]->IsLine() ? row : -1);
}

void TPopupMenuWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const int row = RowAt({X, Y});
  SetSelected(row >= 0 && !FRows[row]->IsLine() ? row : -1);
}

void TPopupMenuWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  const int row = RowAt({X, Y});
  if (row < 0 || FRows[row]->IsLine() || !FRows[row]->Enabled()) return;
  CloseWith(FRows[row]);
}

void TPopupMenuWindow::WMCancelMode(TWMCancelMode& Message) {
  TCustomControl::WMCancelMode(Message);
  CloseWith(nullptr);
}

void TPopupMenuWindow::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clMenu);
  canvas->FillRect(ClientRect());
  canvas->SetFont(Font());
  for (int row = 0; row < RowCount(); ++row) {
    const TMenuItem* item = FRows[row];
    const TRect r = RowRect(row);
    if (item->IsLine()) {
      TRect line = Rect(r.Left + 2, r.Top + r.Height() / 2 - 1, r.Right - 2, r.Top + r.Height() / 2 + 1);
      canvas->DrawEdge(line, EDGE_ETCHED, BF_TOP);
      continue;
    }
    const bool selected = row == FSelected && item->Enabled();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
    canvas->FillRect(r);
    const TColor textColor = !item->Enabled() ? clGrayText : selected ? clHighlightText : clMenuText;
    if (item->Checked()) {
      canvas->Pen()->SetColor(textColor);
      canvas->Brush()->SetColor(textColor);
      const int cx = r.Left + Gutter / 2;
      const int cy = r.Top + r.Height() / 2;
      if (item->RadioItem()) {
        canvas->Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
      } else {
        const TPoint tick[] = {{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}};
        canvas->Polyline(tick);
      }
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(textColor);
    TRect text = Rect(r.Left + Gutter, r.Top, r.Right - RightMargin, r.Bottom);
    canvas->DrawText(item->Caption(), text, DT_SINGLELINE | DT_VCENTER);
  }
}

}  // namespace kel
