// TCustomEdit geometry and painting: the text rectangle, the x of each code point boundary
// (the width of the text before it, from the canvas's shaped-text cache), horizontal scrolling
// that keeps the caret inside the rectangle, hit testing, and the paint: text, then the
// selection drawn over it in the highlight colours, then the caret.
//
// The background is the window's erase (Color). With PasswordChar set, every measure and the
// paint use the password text instead of the text.
#include "platform/grids/Edit.h"

namespace kel {

namespace {

// Points the edit's canvas at the paint context for the length of a paint, then back.
class TPaintTarget {
 public:
  TPaintTarget(TCanvas* canvas, cairo_t* context)
      : FCanvas(canvas), FPrevious(cairo_reference(canvas->Handle())) {
    FCanvas->SetHandle(context);
  }
  ~TPaintTarget() {
    FCanvas->SetHandle(FPrevious);
    cairo_destroy(FPrevious);
  }
  TPaintTarget(const TPaintTarget&) = delete;
  TPaintTarget& operator=(const TPaintTarget&) = delete;

 private:
  TCanvas* FCanvas;
  cairo_t* FPrevious;  // referenced while the paint runs
};

}  // namespace

// ---- Geometry ---------------------------------------------------------------------------------

void TCustomEdit::SyncCanvasFont() { FCanvas->Font()->Assign(Font()); }

int TCustomEdit::LineHeight() { return FCanvas->TextHeight("Wg"); }

TRect TCustomEdit::TextRect() const {
  if (FTextRectSet) return FTextRect;
  TRect area = ClientRect();
  area.Inflate(-1, -1);
  return area;
}

void TCustomEdit::SetTextRect(const TRect& value) {
  if (FTextRectSet && FTextRect == value) return;
  FTextRect = value;
  FTextRectSet = true;
  ScrollCaret();
  Invalidate();
}

void TCustomEdit::ResetTextRect() {
  if (!FTextRectSet) return;
  FTextRectSet = false;
  ScrollCaret();
  Invalidate();
}

std::string_view TCustomEdit::DisplaySlice(int Count) const {
  if (FPasswordChar == 0)
    return std::string_view(FText).substr(0, FOffsets[static_cast<std::size_t>(Count)]);
  const auto count = static_cast<std::size_t>(CharCount());
  const std::size_t unit = count == 0 ? 0 : FPasswordText.size() / count;
  return std::string_view(FPasswordText).substr(0, unit * static_cast<std::size_t>(Count));
}

int TCustomEdit::TextWidthTo(int Index) { return FCanvas->TextWidth(DisplaySlice(Index)); }

// A text that fits sits where Alignment puts it; a longer one scrolls. One pixel at the right
// stays free for the caret.
int TCustomEdit::TextOriginX() {
  const TRect area = TextRect();
  const int room = area.Width() - 1;
  const int width = TextWidthTo(CharCount());
  if (width > room) return area.Left - FScrollX;
  switch (FAlignment) {
    case taRightJustify: return area.Left + room - width;
    case taCenter: return area.Left + (room - width) / 2;
    case taLeftJustify: break;
  }
  return area.Left;
}

void TCustomEdit::ScrollCaret() {
  const TRect area = TextRect();
  const int room = std::max(area.Width() - 1, 0);
  const int width = TextWidthTo(CharCount());
  int scroll = 0;
  if (width > room) {
    scroll = std::clamp(FScrollX, 0, width - room);
    const int caretX = TextWidthTo(FCaret);
    if (caretX < scroll)
      scroll = caretX;
    else if (caretX > scroll + room)
      scroll = caretX - room;
  }
  if (scroll == FScrollX) return;
  FScrollX = scroll;
  Invalidate();
}

int TCustomEdit::PositionToX(int Index) {
  return TextOriginX() + TextWidthTo(std::clamp(Index, 0, CharCount()));
}

// Binary search over the widths of the text's starts, which grow with their length.
int TCustomEdit::XToPosition(int X) {
  const int offset = X - TextOriginX();
  int low = 0;
  int high = CharCount();
  while (low < high) {
    const int middle = (low + high) / 2;
    if (TextWidthTo(middle) < offset)
      low = middle + 1;
    else
      high = middle;
  }
  if (low > 0 && offset - TextWidthTo(low - 1) < TextWidthTo(low) - offset) --low;
  return low;
}

// ---- Reactions --------------------------------------------------------------------------------

void TCustomEdit::WMSize(TWMSize& Message) {
  TWinControl::WMSize(Message);
  ScrollCaret();
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  SyncCanvasFont();
  AdjustHeight();
  ScrollCaret();
}

void TCustomEdit::CMBorderChanged(TMessage& Message) {
  TWinControl::CMBorderChanged(Message);
  AdjustHeight();
}

void TCustomEdit::CMCtl3DChanged(TMessage& Message) {
  TWinControl::CMCtl3DChanged(Message);
  AdjustHeight();
}

// ---- Paint ------------------------------------------------------------------------------------

void TCustomEdit::PaintWindow(cairo_t* Context) {
  TPaintTarget target(FCanvas.get(), Context);
  TCanvas& canvas = *FCanvas;
  const TRect area = TextRect();
  TClipSaver areaClip(&canvas);
  canvas.IntersectClipRect(area);
  const int originX = TextOriginX();
  const int top = area.Top;
  const int height = LineHeight();
  const std::string_view shown = DisplaySlice(CharCount());
  const TColor textColor = Enabled() ? Font()->Color() : clGrayText;

  canvas.Brush()->SetStyle(bsClear);
  canvas.Font()->SetColor(textColor);
  canvas.TextOut(originX, top, shown);

  const bool focused = Focused();
  if (focused && SelLength() > 0) {
    const TRect selection = Rect(originX + TextWidthTo(SelStart()), top,
                                 originX + TextWidthTo(SelStart() + SelLength()), top + height);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clHighlight);
    canvas.FillRect(selection);
    TClipSaver selectionClip(&canvas);
    canvas.IntersectClipRect(selection);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clHighlightText);
    canvas.TextOut(originX, top, shown);
  }
  if (CaretShown()) {
    const int x = originX + TextWidthTo(FCaret);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetColor(textColor);
    canvas.MoveTo(x, top);
    canvas.LineTo(x, top + height);
  }
  canvas.Font()->SetColor(Font()->Color());
}

}  // namespace kel
