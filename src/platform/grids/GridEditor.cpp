// TCustomGrid's side of the in-place editor. EditorMode says the user wants the editor; it is on
// the screen while CanEditShow agrees (goEditing without goRowSelect, and the grid active or
// goAlwaysShowEditor). The editor's contents belong to one cell (FInplaceCol, FInplaceRow):
// moving to another cell first hands the text to SetEditText, then loads the new cell.
#include "platform/grids/CustomGrid.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/ui/Forms.h"

namespace kel {

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
         HandleAllocated() && (FOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::IsActiveControl() const {
  if (const TCustomForm* form = GetParentForm(this)) {
    const TWinControl* active = form->ActiveControl();
    return active == this || (FInplaceEdit && active == FInplaceEdit);
  }
  for (HWND window = GetFocus(); window != 0; window = GetParentWindow(window))
    if (window == FHandle) return true;
  return false;
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (!Value) {
    HideEditor();
    return;
  }
  ShowEditor();
  if (FInplaceEdit) FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::ShowEditorChar(Char Ch) {
  ShowEditor();
  if (FInplaceEdit && FInplaceEdit->Visible())
    PostMessage(FInplaceEdit->Handle(), WM_CHAR, static_cast<WPARAM>(Ch), 0);
}

void TCustomGrid::InvalidateEditor() {
  FInplaceCol = -1;
  FInplaceRow = -1;
  UpdateEdit();
}

void TCustomGrid::UpdateText() {
  if (FInplaceEdit && FInplaceCol >= 0 && FInplaceRow >= 0)
    SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

// Creates the editor the first time, reloads it when the current cell changed, and puts it over
// the current cell.
void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) return;
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetGrid(this);
    FInplaceEdit->SetParent(this);
    UpdateEditor();
  } else if (Col() != FInplaceCol || Row() != FInplaceRow) {
    HideEdit();
    UpdateEditor();
  }
  if (CanEditShow()) FInplaceEdit->Move(CellRect(Col(), Row()));
}

void TCustomGrid::UpdateEditor() {
  FInplaceCol = Col();
  FInplaceRow = Row();
  FInplaceEdit->UpdateContents();
  FInplaceEdit->SelectAll();
}

// Hands the text over and hides the editor; the editor forgets its cell even when SetEditText
// raises.
void TCustomGrid::HideEdit() {
  if (!FInplaceEdit) return;
  struct TForget {
    TCustomGrid* Grid;
    ~TForget() {
      Grid->FInplaceCol = -1;
      Grid->FInplaceRow = -1;
      Grid->FInplaceEdit->Hide();
    }
  } forget{this};
  UpdateText();
}

}  // namespace kel
