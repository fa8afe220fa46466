// Popup menus: a tree of TMenuItem under a TPopupMenu, shown at a screen point as a top-level
// popup window. A click on an item (button up over it), Enter on the selected item, a click
// outside or Esc closes the menu; the chosen item's OnClick runs after the window is gone.
#pragma once

#include <vector>

#include "platform/ui/Controls.h"

namespace kel {

class TPopupMenuWindow;

class TMenuItem : public TComponent {
  KEL_CLASS(TMenuItem, TComponent)

 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  String Caption() const { return FCaption; }
  void SetCaption(const String& value) { FCaption = value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  // Checking a radio item unchecks the other radio items of its group index.
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool value) { FRadioItem = value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool value) { FAutoCheck = value; }
  int Tag() const { return FTag; }
  void SetTag(int value) { FTag = value; }
  // A caption of "-" makes a separator line.
  bool IsLine() const { return FCaption == "-"; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const { return FItems.at(Index); }
  TMenuItem* operator[](int Index) const { return Items(Index); }
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void SetMenuIndex(int value);
  // Takes ownership of Item (it is freed with this item unless removed first).
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* Find(const String& ACaption) const;

  // Runs the item: AutoCheck toggles Checked, then OnClick.
  virtual void Click();
  TNotifyEvent OnClick;

 private:
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  bool FAutoCheck = false;
  int FTag = 0;
  TMenuItem* FParent = nullptr;     // the item holding this one
  std::vector<TMenuItem*> FItems;   // owned children, in menu order
};

enum TPopupAlignment : std::uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
  KEL_CLASS(TPopupMenu, TComponent)

 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return FItems.get(); }
  // Right-button clicks on a control holding this menu pop it up.
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment value) { FAlignment = value; }
  // The control the menu was last popped up for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* value);
  // Fires OnPopup, then shows the menu with its corner at the screen point (kept on the screen).
  virtual void Popup(int X, int Y);
  // Closes the menu window without choosing an item.
  void CloseMenu();
  // The menu window while the menu is shown, else null.
  TPopupMenuWindow* Window() const { return FWindow; }
  TNotifyEvent OnPopup;
  TNotifyEvent OnClose;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The window closed (hidden, released later): runs OnClose, then the chosen item's Click.
  void WindowClosed(TMenuItem* Chosen);
  friend class TPopupMenuWindow;

  std::unique_ptr<TMenuItem> FItems;      // the root; its children are the menu's items
  bool FAutoPopup = true;
  TPopupAlignment FAlignment = paLeft;
  TComponent* FPopupComponent = nullptr;  // not owned; cleared by Notification
  TPopupMenuWindow* FWindow = nullptr;    // shown menu window; freed by deferred release
};

// The window of a shown popup menu: one row per visible item.
class TPopupMenuWindow : public TCustomControl {
  KEL_CLASS(TPopupMenuWindow, TCustomControl)

 public:
  TPopupMenuWindow(TPopupMenu* AMenu);
  ~TPopupMenuWindow() override;
  // Index into the visible items of the highlighted row; -1 = none.
  int Selected() const { return FSelected; }
  void SetSelected(int value);
  // The visible item of a row.
  TMenuItem* RowItem(int Row) const { return FRows.at(Row); }
  int RowCount() const { return static_cast<int>(FRows.size()); }
  // Client rectangle of a row.
  TRect RowRect(int Row) const;
  // Hides the window and tells the menu, which frees it after the current message.
  void CloseWith(TMenuItem* Chosen);
  // Keys the application routes to the open menu: arrows, Enter and Esc.
  bool MenuKey(Word Key);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void WMCancelMode(TWMCancelMode& Message) override;

 private:
  int RowAt(TPoint P) const;
  int RowHeight(int Row) const;
  friend class TPopupMenu;

  TPopupMenu* FMenu = nullptr;        // the menu shown
  std::vector<TMenuItem*> FRows;      // visible items in order
  int FSelected = -1;
  bool FClosed = false;               // CloseWith ran; the window waits for its release
};

// The menu window that is open now (at most one), or null.
TPopupMenuWindow* ActivePopupMenuWindow();

}  // namespace kel
