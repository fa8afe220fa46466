// TInplaceEdit: the edit box a grid shows over its current cell. The grid creates it (through
// CreateEditor), feeds it the cell's text, mask and maximum length (UpdateContents), puts it
// over the cell (Move, UpdateLoc) and takes every change of its text (SetEditText). The keys
// that move between cells (Up, Down, PgUp, PgDn, Tab, Esc, Ins, Ctrl+Del, and with
// goAlwaysShowEditor Left, Right, Home and End at the ends of the text) go to the grid, which
// handles them as if typed on it.
//
// The editor keeps the grid as the form's focused control: its own focus counts as the grid's,
// so no exit and enter notifications run between the two.
#pragma once

#include "platform/grids/MaskEdit.h"

namespace kel {

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
  KEL_CLASS(TInplaceEdit, TCustomMaskEdit)

 public:
  explicit TInplaceEdit(TComponent* AOwner);
  ~TInplaceEdit() override;

  // The grid it edits for; null for an editor no grid adopted.
  TCustomGrid* Grid() const { return FGrid; }
  // Caret at the end of the text, nothing selected.
  virtual void Deselect();
  // Hides the editor; when it had the focus, the grid gets it.
  virtual void Hide();
  // Shows the editor over Loc (the grid's client pixels), repainted, focused when the grid
  // is; an empty Loc hides it.
  virtual void Move(const TRect& Loc);
  // True when the editor lies exactly on Loc.
  virtual bool PosEqual(const TRect& Loc) const;
  // As Move, without repainting an editor already shown there.
  virtual void UpdateLoc(const TRect& Loc);
  // Loads the grid's mask, text and maximum length for its current cell.
  virtual void UpdateContents();
  // Puts back the text UpdateContents loaded (what Esc does in the grid).
  void RestoreContents();

 protected:
  // Sets the text rectangle: a small margin inside the cell.
  virtual void BoundsChanged();
  // Every change of the text goes to the grid (SetEditText), except while loading it.
  void Change() override;
  bool EditCanModify() override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  void WMGetDlgCode(TWMGetDlgCode& Message) override;
  void SetGrid(TCustomGrid* Value) { FGrid = Value; }

 private:
  friend class TCustomGrid;
  void InternalMove(const TRect& Loc, bool Redraw);

  TCustomGrid* FGrid = nullptr;  // set by the grid that created it; cleared when it goes
  String FLoadedText;            // the cell's text as UpdateContents loaded it
  bool FLoading = false;         // UpdateContents is filling the editor (no SetEditText then)
};

}  // namespace kel
