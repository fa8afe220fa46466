// TCustomEdit core: construction, the option setters, text and selection state, the editing
// primitive every change goes through (ApplyEdit: undo step, Modified, OnChange), the clipboard
// and undo messages, and the published properties of TCustomEdit and TEdit.
//
// FText holds the text; FOffsets maps code point positions to byte offsets and is rebuilt after
// every change of FText, so positions convert in constant time.
#include "platform/grids/Edit.h"

#include "platform/grids/EditProperties.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Clipboard.h"

namespace kel {

TCustomEdit::TCustomEdit(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FBorderStyle = bsSingle;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FCursor = crIBeam;
  SyncCanvasFont();
  SetBoundsQuietly(Bounds(0, 0, 121, 21));
  AdjustHeight();
}

TCustomEdit::~TCustomEdit() = default;

// ---- Options ----------------------------------------------------------------------------------

void TCustomEdit::SetText(const String& value) {
  const String text = ApplyCharCase(value);
  if (text != FText) {
    SetCaption(text);  // CMTextChanged resets the rest
    return;
  }
  FSelAnchor = FCaret = 0;
  FUndo.Valid = false;
  FModified = false;
  FTypingRun = false;
  ScrollCaret();
  Invalidate();
}

void TCustomEdit::SetMaxLength(int value) { FMaxLength = std::max(value, 0); }

void TCustomEdit::SetReadOnly(bool value) { FReadOnly = value; }

// The converted text replaces the old one as SetText does (the classic control re-creates its
// window here), so a descendant fits it as it fits any new text.
void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (FCharCase == value) return;
  FCharCase = value;
  SetCaption(ApplyCharCase(FText));
}

void TCustomEdit::SetPasswordChar(Char value) {
  if (FPasswordChar == value) return;
  FPasswordChar = value;
  RebuildOffsets();
  ScrollCaret();
  Invalidate();
}

void TCustomEdit::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustHeight();
}

void TCustomEdit::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  ScrollCaret();
  Invalidate();
}

String TCustomEdit::ApplyCharCase(const String& Text) const {
  switch (FCharCase) {
    case ecUpperCase: return UpperCase(Text);
    case ecLowerCase: return LowerCase(Text);
    case ecNormal: break;
  }
  return Text;
}

// The classic height of a bordered edit: the font's line and four border pixels per edge with
// the 3-D look, three without.
void TCustomEdit::AdjustHeight() {
  if (!FAutoSize || FBorderStyle != bsSingle) return;
  const int height = LineHeight() + GetSystemMetrics(SM_CYBORDER) * (FCtl3D ? 8 : 6);
  if (height != FHeight) SetBounds(FLeft, FTop, FWidth, height);
}

// ---- Text and selection -----------------------------------------------------------------------

std::string_view TCustomEdit::Slice(int From, int To) const {
  const std::size_t from = FOffsets[static_cast<std::size_t>(From)];
  return std::string_view(FText).substr(from, FOffsets[static_cast<std::size_t>(To)] - from);
}

Char TCustomEdit::CharAtPos(int Index) const {
  std::size_t offset = FOffsets[static_cast<std::size_t>(Index)];
  return DecodeChar(FText, offset);
}

String TCustomEdit::SelText() const { return String(Slice(SelStart(), SelStart() + SelLength())); }

String TCustomEdit::TextWithSelectionReplaced(std::string_view Insert) const {
  String text(Slice(0, SelStart()));
  text += Insert;
  text += Slice(SelStart() + SelLength(), CharCount());
  return text;
}

void TCustomEdit::SetSelection(int Anchor, int Caret) {
  FTypingRun = false;
  Anchor = std::clamp(Anchor, 0, CharCount());
  Caret = std::clamp(Caret, 0, CharCount());
  if (Anchor == FSelAnchor && Caret == FCaret) return;
  FSelAnchor = Anchor;
  FCaret = Caret;
  ScrollCaret();
  Invalidate();
}

void TCustomEdit::SetSelStart(int value) { SetSelection(value, value); }

void TCustomEdit::SetSelLength(int value) {
  const int start = SelStart();
  SetSelection(start, start + std::clamp(value, 0, CharCount() - start));
}

void TCustomEdit::SelectAll() { SetSelection(0, CharCount()); }

void TCustomEdit::SetSelText(const String& value) {
  const String insert = ApplyCharCase(value);
  const int caret = SelStart() + CharLength(insert);
  ApplyEdit(TextWithSelectionReplaced(insert), caret, caret, ekOther);
}

void TCustomEdit::RebuildOffsets() {
  FOffsets.clear();
  for (std::size_t offset = 0; offset < FText.size(); offset = NextCharStart(FText, offset))
    FOffsets.push_back(offset);
  FOffsets.push_back(FText.size());
  FPasswordText.clear();
  if (FPasswordChar == 0) return;
  const String unit = Utf8Encode(FPasswordChar);
  FPasswordText.reserve(unit.size() * static_cast<std::size_t>(CharCount()));
  for (int i = 0; i < CharCount(); ++i) FPasswordText += unit;
}

void TCustomEdit::TextUpdated() {
  RebuildOffsets();
  FSelAnchor = std::min(FSelAnchor, CharCount());
  FCaret = std::min(FCaret, CharCount());
  ScrollCaret();
  Invalidate();
  Change();
}

// The text was replaced as a whole (SetText, WM_SETTEXT, or TControl::SetText).
void TCustomEdit::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  FSelAnchor = FCaret = 0;
  FScrollX = 0;
  FUndo.Valid = false;
  FModified = false;
  FTypingRun = false;
  TextUpdated();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

// ---- The editing primitive --------------------------------------------------------------------

void TCustomEdit::ApplyEdit(const String& NewText, int Anchor, int Caret, TEditKind Kind) {
  // A run of typed characters shares the undo step taken before its first character.
  if (Kind != ekTyping || !FTypingRun) FUndo = {FText, FSelAnchor, FCaret, true};
  FText = NewText;
  FSelAnchor = Anchor;
  FCaret = Caret;
  FModified = true;
  FTypingRun = Kind == ekTyping;
  TextUpdated();
}

bool TCustomEdit::CanUserEdit() { return !FReadOnly && EditCanModify(); }

// ---- Clipboard and undo -----------------------------------------------------------------------

void TCustomEdit::CutToClipboard() { Perform(WM_CUT); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE); }
void TCustomEdit::ClearSelection() { Perform(WM_CLEAR); }
void TCustomEdit::Undo() { Perform(WM_UNDO); }

void TCustomEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CUT: WMCut(Message); return;
    case WM_COPY: WMCopy(Message); return;
    case WM_PASTE: WMPaste(Message); return;
    case WM_CLEAR: WMClear(Message); return;
    case WM_UNDO: WMUndo(Message); return;
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const char*>(Message.LParam);
      SetCaption(text ? String(text) : String());
      Message.Result = 1;
      return;
    }
    default: TWinControl::WndProc(Message);
  }
}

void TCustomEdit::WMCopy(TMessage& Message) {
  if (FPasswordChar != 0 || SelLength() == 0) return;
  Clipboard()->SetAsText(SelText());
}

void TCustomEdit::WMCut(TMessage& Message) {
  if (FPasswordChar != 0 || SelLength() == 0 || !CanUserEdit()) return;
  Clipboard()->SetAsText(SelText());
  ApplyEdit(TextWithSelectionReplaced({}), SelStart(), SelStart(), ekOther);
}

void TCustomEdit::WMClear(TMessage& Message) {
  if (SelLength() == 0 || !CanUserEdit()) return;
  ApplyEdit(TextWithSelectionReplaced({}), SelStart(), SelStart(), ekOther);
}

// A single-line edit takes the clipboard's first line, cut to what MaxLength leaves room for.
void TCustomEdit::WMPaste(TMessage& Message) {
  if (!CanUserEdit()) return;
  String text = Clipboard()->AsText();
  text.resize(std::min(text.find_first_of("\r\n"), text.size()));
  text = ApplyCharCase(text);
  if (FMaxLength > 0) {
    const int room = FMaxLength - (CharCount() - SelLength());
    if (room <= 0) {
      Beep();
      return;
    }
    text.resize(ByteOffsetOfChar(text, room));
  }
  if (text.empty() && SelLength() == 0) return;
  const int caret = SelStart() + CharLength(text);
  ApplyEdit(TextWithSelectionReplaced(text), caret, caret, ekOther);
}

// Swaps the text with the undo step, so a second Undo puts the edit back.
void TCustomEdit::WMUndo(TMessage& Message) {
  if (!FUndo.Valid || !CanUserEdit()) return;
  const TUndoStep redo{FText, FSelAnchor, FCaret, true};
  FText = FUndo.Text;
  FSelAnchor = FUndo.Anchor;
  FCaret = FUndo.Caret;
  FUndo = redo;
  FModified = true;
  FTypingRun = false;
  TextUpdated();
  Message.Result = 1;
}

// ---- Published properties ---------------------------------------------------------------------

const TPropList& TCustomEdit::PublishedProperties() {
  using C = TCustomEdit;
  static const TPropList list = PropertyTable<C>()
      .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, bsSingle)
      .Integer("Cursor", &C::Cursor, &C::SetCursor, crIBeam)
      .Boolean("ParentColor", &C::ParentColor, &C::SetParentColor, false)
      .Boolean("TabStop", &C::TabStop, &C::SetTabStop, true);
  return list;
}

const TPropList& TEdit::PublishedProperties() {
  static const TPropList list = AddEditProperties(PropertyTable<TEdit>())
                                    .String("Text", &TEdit::Text, &TEdit::SetText)
                                    .Event("OnChange");
  return list;
}

}  // namespace kel
