// TInplaceEdit: showing, hiding and placing the editor over a cell, loading the cell's contents,
// handing text changes to the grid, and the key map that passes cell navigation to the grid.
#include "platform/grids/InplaceEdit.h"

#include "platform/grids/CustomGrid.h"
#include "platform/ui/Forms.h"

namespace kel {

namespace {

// Sets a flag for the life of the guard.
class TLoadingGuard {
 public:
  explicit TLoadingGuard(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TLoadingGuard() { FFlag = false; }
  TLoadingGuard(const TLoadingGuard&) = delete;
  TLoadingGuard& operator=(const TLoadingGuard&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FVisible = false;  // shown by the grid (Move)
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetAutoSize(false);
}

TInplaceEdit::~TInplaceEdit() = default;

// ---- Placing --------------------------------------------------------------------------------------

void TInplaceEdit::Move(const TRect& Loc) { InternalMove(Loc, true); }

void TInplaceEdit::UpdateLoc(const TRect& Loc) { InternalMove(Loc, false); }

void TInplaceEdit::InternalMove(const TRect& Loc, bool Redraw) {
  if (Loc.IsEmpty()) {
    Hide();
    return;
  }
  const bool wasShown = Visible() && Showing();
  SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
  if (!Visible()) SetVisible(true);
  BoundsChanged();
  if (Redraw || !wasShown) Invalidate();
  if (FGrid && FGrid->Focused() && CanFocus()) SetFocus();
}

bool TInplaceEdit::PosEqual(const TRect& Loc) const { return BoundsRect() == Loc; }

void TInplaceEdit::Hide() {
  if (!Visible()) return;
  if (Focused() && FGrid && FGrid->CanFocus()) FGrid->SetFocus();
  SetVisible(false);
}

void TInplaceEdit::Deselect() { SetSelStart(CharCount()); }

void TInplaceEdit::BoundsChanged() {
  SetTextRect(Rect(2, 2, Width() - 2, Height()));
  ScrollCaret();
}

// ---- Contents ---------------------------------------------------------------------------------------

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  TLoadingGuard loading(FLoading);
  const int col = FGrid->Col();
  const int row = FGrid->Row();
  SetText(String());
  SetEditMask(FGrid->GetEditMask(col, row));
  SetText(FGrid->GetEditText(col, row));
  SetMaxLength(std::max(FGrid->GetEditLimit(), 0));
  FLoadedText = Text();
}

void TInplaceEdit::RestoreContents() {
  if (Text() == FLoadedText) return;
  SetText(FLoadedText);
  SelectAll();
}

void TInplaceEdit::Change() {
  TCustomMaskEdit::Change();
  if (FGrid && !FLoading) FGrid->UpdateText();
}

bool TInplaceEdit::EditCanModify() { return !FGrid || FGrid->CanEditModify(); }

// ---- Input ------------------------------------------------------------------------------------------

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (!FGrid) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    return;
  }
  auto sendToGrid = [&] {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  };
  auto gridEvent = [&] {
    if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  };
  // With goAlwaysShowEditor the arrows leave the cell at the ends of the text.
  const bool forwardMovement = FGrid->Options().Contains(goAlwaysShowEditor);
  const bool ctrl = Shift.Contains(ssCtrl);
  const int length = CharCount();
  const int selStart = SelStart();
  const int selEnd = selStart + SelLength();
  const int caret = CaretPos();
  const bool leftSide = caret == 0 && selStart == 0 && (selEnd == 0 || selEnd == length);
  const bool rightSide =
      caret == length && (selStart == 0 || selEnd == selStart) && selEnd == length;
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE: sendToGrid(); break;
    case VK_INSERT:
      if (Shift.Empty())
        sendToGrid();
      else if (Shift == TShiftState{ssShift} && !FGrid->CanEditModify())
        Key = 0;
      break;
    case VK_LEFT:
    case VK_HOME:
      if (forwardMovement && (ctrl || leftSide)) sendToGrid();
      break;
    case VK_RIGHT:
    case VK_END:
      if (forwardMovement && (ctrl || rightSide)) sendToGrid();
      break;
    case VK_F2:
      gridEvent();
      if (Key == VK_F2) {
        Deselect();
        return;
      }
      break;
    case VK_TAB:
      if (!Shift.Contains(ssAlt)) sendToGrid();
      break;
    case VK_DELETE:
      if (ctrl)
        sendToGrid();
      else if (!FGrid->CanEditModify())
        Key = 0;
      break;
    default: break;
  }
  if (Key == 0) return;
  gridEvent();
  if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(Char& Key) {
  if (!FGrid) {
    TCustomMaskEdit::KeyPress(Key);
    return;
  }
  FGrid->KeyPress(Key);
  if (Key >= U' ' && Key != 0x7F && !FGrid->CanEditAcceptKey(Key)) {
    Key = 0;
    Beep();
  }
  switch (Key) {
    case U'\t':
    case 0x1B: Key = 0; break;
    case U'\r':
      // Enter with the editor kept open selects all, or nothing when all was selected.
      if (SelStart() == 0 && SelLength() == CharCount())
        Deselect();
      else
        SelectAll();
      Key = 0;
      break;
    case U'\b':
    case 0x16:  // Ctrl+V
    case 0x18:  // Ctrl+X
      if (!FGrid->CanEditModify()) Key = 0;
      break;
    default:
      if (Key >= U' ' && !FGrid->CanEditModify()) Key = 0;
      break;
  }
  if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid)
    FGrid->KeyUp(Key, Shift);
  else
    TCustomMaskEdit::KeyUp(Key, Shift);
}

void TInplaceEdit::DblClick() {
  if (FGrid)
    FGrid->DblClick();
  else
    TCustomMaskEdit::DblClick();
}

bool TInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (FGrid) return FGrid->DoMouseWheel(Shift, WheelDelta, MousePos);
  return TCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
}

// The editor wants Enter and Esc (the grid decides what they do) and, with goTabs, Tab.
void TInplaceEdit::WMGetDlgCode(TWMGetDlgCode& Message) {
  TCustomMaskEdit::WMGetDlgCode(Message);
  if (!FGrid) return;
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
  if (FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

// The focus coming to the editor is, for the form, the focus staying on the grid.
void TInplaceEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS && FGrid) {
    TCustomForm* form = GetParentForm(this);
    if (!form || form->SetFocusedControl(FGrid)) Dispatch(Message);
    return;
  }
  TCustomMaskEdit::WndProc(Message);
}

}  // namespace kel
