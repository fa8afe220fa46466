// The single-line edit control: TCustomEdit (text, selection and caret, clipboard, one-level
// undo, MaxLength, ReadOnly, CharCase, PasswordChar, AutoSelect, Alignment, a settable text
// rectangle, painting with horizontal scrolling) and TEdit, which publishes it.
//
// Text is UTF-8; every position (SelStart, SelLength, MaxLength) counts code points.
//
// Input runs as in the classic control: KeyDown and KeyPress (and their events) see every key
// first; what they leave non-zero is the edit's own handling: navigation, Delete and the
// clipboard keys on key down, typed characters, Backspace and Ctrl+A/C/V/X/Z as characters.
// A descendant that handles a key itself sets it to 0. The clipboard and undo operations travel
// as WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR and WM_UNDO, so a descendant can refuse or replace them
// in its handler.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/classes/Properties.h"
#include "platform/ui/Controls.h"

namespace kel {

enum TEditCharCase : std::uint8_t { ecNormal, ecUpperCase, ecLowerCase };
KEL_ENUM_NAMES(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")

class TCustomEdit : public TWinControl {
  KEL_CLASS(TCustomEdit, TWinControl)

 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  // Published: the defaults it constructs (BorderStyle bsSingle, Cursor crIBeam, ParentColor
  // false, TabStop true).
  static const TPropList& PublishedProperties();

  // --- Text -------------------------------------------------------------------------------------
  virtual String Text() const { return FText; }
  // Replaces the whole text (converted by CharCase): the caret goes to the start, the undo step
  // is dropped, Modified becomes false and OnChange fires when the text differs.
  virtual void SetText(const String& value);
  // Typing, pasting and cutting set it; SetText clears it.
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }
  // Longest text typing and pasting may produce, in code points; 0 = no limit. SetText and a
  // smaller limit leave a longer text as it is.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  // The user cannot change the text; the program still can.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  // Converts typed, pasted and set text; changing it converts the text there is (as SetText).
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value);
  // Shown instead of every character when not 0; copying and cutting are refused then.
  Char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char value);
  // Selects all text when the focus comes by keyboard (not by a click).
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  // Keeps the height fitting the font (with a single border).
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // Where a text narrower than the text rectangle sits in it.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  // --- Selection --------------------------------------------------------------------------------
  int SelStart() const { return std::min(FSelAnchor, FCaret); }
  // Moves the caret there with nothing selected (clamped to the text).
  void SetSelStart(int value);
  int SelLength() const { return std::abs(FCaret - FSelAnchor); }
  // Selects value code points from SelStart (clamped to the text).
  virtual void SetSelLength(int value);
  String SelText() const;
  // Replaces the selection as one undoable edit (also when ReadOnly); the caret ends after it.
  virtual void SetSelText(const String& value);
  // Where the caret is: the moving end of the selection.
  int CaretPos() const { return FCaret; }
  virtual void SelectAll();
  // Deletes the selected text (WM_CLEAR).
  void ClearSelection();

  // --- Clipboard and undo -----------------------------------------------------------------------
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  // Puts back the text before the last edit; a second Undo redoes it (WM_UNDO).
  void Undo();
  bool CanUndo() const { return FUndo.Valid; }
  void ClearUndo() { FUndo.Valid = false; }

  // --- Text rectangle ---------------------------------------------------------------------------
  // The area, in client coordinates, the text is drawn and scrolled in. Until SetTextRect the
  // client area less a one-pixel margin.
  TRect TextRect() const;
  void SetTextRect(const TRect& value);
  // Back to the default text rectangle.
  void ResetTextRect();
  // Scrolls horizontally so that the caret is inside the text rectangle.
  void ScrollCaret();
  // Pixels of text scrolled out at the left of the text rectangle (0 = none).
  int ScrollOffset() const { return FScrollX; }
  // Client x of the boundary before code point Index (0..length), as painted now.
  int PositionToX(int Index);
  // The code point boundary nearest to client x.
  int XToPosition(int X);

  TNotifyEvent OnChange;

 protected:
  enum TEditKind : std::uint8_t {
    ekTyping,  // one typed character: a run of them is undone together
    ekOther    // any other edit
  };

  // --- Hooks ------------------------------------------------------------------------------------
  // Fires OnChange; runs after every change of the text.
  virtual void Change();
  // Whether the user may change the text now (descendants may ask their owner).
  virtual bool EditCanModify() { return true; }
  // Whether the caret is drawn: while focused.
  virtual bool CaretShown() { return Focused(); }

  // --- Editing primitives for descendants ------------------------------------------------------
  // Puts NewText in place of the text as a user edit with the given selection afterwards:
  // records the undo step, sets Modified and fires Change.
  void ApplyEdit(const String& NewText, int Anchor, int Caret, TEditKind Kind);
  // Moves the selection (clamped), scrolls the caret into view and repaints.
  void SetSelection(int Anchor, int Caret);
  // The end of the selection that stays when it is extended.
  int SelAnchor() const { return FSelAnchor; }
  // Number of code points in the text.
  int CharCount() const { return static_cast<int>(FOffsets.size()) - 1; }
  // The text between code point boundaries From and To.
  std::string_view Slice(int From, int To) const;
  // The text with the selection replaced by Insert.
  String TextWithSelectionReplaced(std::string_view Insert) const;
  // Start of the word at or before / the next word after a position (Ctrl+arrows).
  int WordStartBefore(int Pos) const;
  int WordStartAfter(int Pos) const;
  // CharCase applied to a text.
  String ApplyCharCase(const String& Text) const;

  // --- Window -----------------------------------------------------------------------------------
  void WndProc(TMessage& Message) override;
  void PaintWindow(cairo_t* Context) override;
  void WMGetDlgCode(TWMGetDlgCode& Message) override;
  void WMKeyDown(TWMKeyDown& Message) override;
  void WMChar(TWMChar& Message) override;
  void WMSetFocus(TWMSetFocus& Message) override;
  void WMKillFocus(TWMKillFocus& Message) override;
  void WMSize(TWMSize& Message) override;
  void WMLButtonDown(TWMLButtonDown& Message) override;
  void WMLButtonDblClk(TWMLButtonDblClk& Message) override;
  void WMLButtonUp(TWMLButtonUp& Message) override;
  void WMMouseMove(TWMMouseMove& Message) override;
  void WMCancelMode(TWMCancelMode& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMBorderChanged(TMessage& Message) override;
  void CMCtl3DChanged(TMessage& Message) override;
  // The clipboard and undo messages; each refuses when ReadOnly or !EditCanModify (but copy).
  virtual void WMCut(TMessage& Message);
  virtual void WMCopy(TMessage& Message);
  virtual void WMPaste(TMessage& Message);
  virtual void WMClear(TMessage& Message);
  virtual void WMUndo(TMessage& Message);

 private:
  // One step of the undo buffer: the text and selection before an edit.
  struct TUndoStep {
    String Text;
    int Anchor = 0;
    int Caret = 0;
    bool Valid = false;
  };

  // The edit's own handling of what KeyDown and KeyPress left.
  void EditKeyDown(Word Key, TShiftState Shift);
  void EditChar(Char Key);
  void MoveCaret(int Pos, bool Extend);
  void TypeChar(Char Key);
  void DeleteBackward();
  void DeleteForward();
  bool CanUserEdit();
  // The code point at position Index (0-based).
  Char CharAtPos(int Index) const;
  // Selects the run of word, blank or other characters around a position (double click).
  void SelectWordAt(int Pos);
  // After any change of FText: the offsets, the selection clamped, the scroll, a repaint.
  void TextUpdated();
  void RebuildOffsets();
  void AdjustHeight();
  // Geometry (EditPaint.cpp).
  std::string_view DisplaySlice(int Count) const;
  int TextWidthTo(int Index);
  int TextOriginX();
  int LineHeight();
  void SyncCanvasFont();

  // Option values.
  int FMaxLength = 0;                   // code points; 0 = unlimited
  bool FReadOnly = false;
  bool FModified = false;               // set by user edits, cleared by SetText
  TEditCharCase FCharCase = ecNormal;
  Char FPasswordChar = 0;               // 0 = text shown as it is
  bool FAutoSelect = true;
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TRect FTextRect;                      // used when FTextRectSet
  bool FTextRectSet = false;            // false = client area less the margin

  // Selection: code point positions in the text; the caret is the end that moves.
  int FSelAnchor = 0;
  int FCaret = 0;

  // Interaction state.
  bool FSelecting = false;              // the left button went down in the text and is held
  bool FTypingRun = false;              // the last edit was typing, with nothing in between
  TUndoStep FUndo;                      // the text before the last edit

  // Derived caches.
  std::vector<std::size_t> FOffsets{0}; // byte offset of each code point of FText, then the size
  String FPasswordText;                 // FPasswordChar repeated, while PasswordChar is set
  int FScrollX = 0;                     // pixels of text scrolled out at the left

  std::unique_ptr<TCanvas> FCanvas;     // measures text; bound to the paint context in PaintWindow
};

class TEdit : public TCustomEdit {
  KEL_CLASS(TEdit, TCustomEdit)

 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  // Published: Alignment, AutoSelect, AutoSize, CharCase, MaxLength, PasswordChar, ReadOnly,
  // Text; OnChange.
  static const TPropList& PublishedProperties();
};

}  // namespace kel
