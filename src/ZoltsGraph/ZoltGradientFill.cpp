// The fills of TZoltGradient: cells, runs, steps, button faces and whole buttons, and control
// backgrounds. Colours are resolved when drawing, so they follow the active style's palette.
// Nothing here allocates: the fills run once per painted cell.
#include "ZoltsGraph/ZoltGradient.h"
#include "ZoltsGraph/ZoltTheme.h"

namespace kel {

namespace {

// A face lightened by this much is the hot face of plain buttons.
constexpr int HotLighten = 15;

void Fill(TCanvas* Canvas, const TRect& Rect, TColor Color) {
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(Rect);
}

void Frame(TCanvas* Canvas, const TRect& Rect, TColor Color) {
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FrameRect(Rect);
}

// The two halves of Rect across Direction.
std::pair<TRect, TRect> Halves(const TRect& Rect, TGradientDirection Direction) {
  TRect first = Rect, second = Rect;
  if (Direction == gdVertical) first.Bottom = second.Top = Rect.Top + Rect.Height() / 2;
  else first.Right = second.Left = Rect.Left + Rect.Width() / 2;
  return {first, second};
}

}  // namespace

TColor TZoltGradient::StartRGB() const { return ColorToRGB(FStartColor); }

TColor TZoltGradient::EndRGB() const {
  return FEndColor == clDefault ? ShadowColor(StartRGB(), FShadowFactor) : ColorToRGB(FEndColor);
}

TColor TZoltGradient::HotRGB() const {
  return FHotColor == clDefault ? DefaultHotColor() : ColorToRGB(FHotColor);
}

TColor TZoltGradient::StepRGB() const {
  return FStepColor == clDefault ? ShadowColor(StartRGB(), FShadowFactor / 2)
                                 : ColorToRGB(FStepColor);
}

void TZoltGradient::Run(TCanvas* Canvas, const TRect& Rect, TColor First, TColor Second) const {
  if (FSwapColors) std::swap(First, Second);
  GradientFillCanvas(Canvas, First, Second, Rect, FDirection);
}

// ---- FillCell -----------------------------------------------------------------------------------

const TZoltGradient::TCellShades& TZoltGradient::FlatShades(TColor Color) {
  if (FFlatShades.Color == Color) return FFlatShades;
  const TColor by20 = ShadowColor(Color, 20);
  const TColor by10 = ShadowColor(Color, 10);
  TColor fill = Color;
  if (ShadowColor(by20, 10) != clWhite) fill = by20;
  else if (ShadowColor(by10, 10) != clWhite) fill = by10;
  FFlatShades = {Color, fill, clNone};
  return FFlatShades;
}

const TZoltGradient::TCellShades& TZoltGradient::RaisedShades(TColor Color) {
  if (FRaisedShades.Color == Color) return FRaisedShades;
  const TColor bottom = ShadowColor(Color, 10);
  FRaisedShades = {Color, ShadowColor(Color, 35),
                   ShadowColor(bottom, 10) == clWhite ? Color : bottom};
  return FRaisedShades;
}

void TZoltGradient::FillCell(TCanvas* Canvas, const TRect& Rect, TColor Color, bool Flat) {
  // Keyed by the RGB value, so a style switch never serves the shades of the old palette.
  const TColor rgb = ColorToRGB(Color);
  if (Flat) {
    Fill(Canvas, Rect, FlatShades(rgb).First);
    return;
  }
  const TCellShades& shades = RaisedShades(rgb);
  GradientFillCanvas(Canvas, shades.First, shades.Second, Rect, gdVertical);
}

// ---- Runs ---------------------------------------------------------------------------------------

void TZoltGradient::FillRect(TCanvas* Canvas, const TRect& Rect, bool Hot) const {
  const TColor start = Hot ? HotRGB() : StartRGB();
  const TColor end = Hot ? ShadowColor(start, FShadowFactor) : EndRGB();
  Run(Canvas, Rect, start, end);
}

void TZoltGradient::FillBack(TCanvas* Canvas, const TRect& Rect, TColor Color) const {
  const TColor start = ColorToRGB(Color);
  Run(Canvas, Rect, start, ShadowColor(start, FShadowFactor));
}

void TZoltGradient::FillStep(TCanvas* Canvas, const TRect& Rect, bool Hot) const {
  const TColor start = Hot ? HotRGB() : StartRGB();
  const TColor end = Hot ? ShadowColor(start, FShadowFactor) : EndRGB();
  auto [first, second] = Halves(Rect, FDirection);
  if (FSwapColors) std::swap(first, second);
  // Each half runs start-to-end on its own, so the step stays where the halves meet.
  GradientFillCanvas(Canvas, ShadowColor(start, 25), start, first, FDirection);
  GradientFillCanvas(Canvas, Hot ? start : StepRGB(), end, second, FDirection);
}

void TZoltGradient::FillCanvas(TCanvas* Canvas, const TRect& Rect) const {
  const auto [first, second] = Halves(Rect, FDirection);
  const TColor outer = FSwapColors ? EndRGB() : StartRGB();
  const TColor inner = FSwapColors ? StartRGB() : EndRGB();
  GradientFillCanvas(Canvas, outer, inner, first, FDirection);
  GradientFillCanvas(Canvas, inner, outer, second, FDirection);
}

// ---- Buttons ------------------------------------------------------------------------------------

void TZoltGradient::FillStyleBack(TCanvas* Canvas, const TRect& Rect, TColor Color,
                                  TButtonDrawingStyle Style, bool Hot) const {
  const TColor face = ColorToRGB(Color);
  switch (Style) {
    case bdsClassic:
      Fill(Canvas, Rect, Hot ? ShadowColor(face, HotLighten) : face);
      break;
    case bdsThemed: {
      // The soft face of FillCell, without touching its caches; hot as the style tints it.
      const TColor base = Hot ? StyleHotColor(face) : face;
      GradientFillCanvas(Canvas, ShadowColor(base, 35), ShadowColor(base, 5), Rect, gdVertical);
      break;
    }
    case bdsGradient: {
      // A glassy face: a lit upper half over a run into the shade.
      const TColor start = Hot ? HotRGB() : face;
      auto [first, second] = Halves(Rect, FDirection);
      if (FSwapColors) std::swap(first, second);
      GradientFillCanvas(Canvas, ShadowColor(start, 20), start, first, FDirection);
      GradientFillCanvas(Canvas, ShadowColor(start, FShadowFactor / 2),
                         ShadowColor(start, FShadowFactor), second, FDirection);
      break;
    }
  }
}

void TZoltGradient::FillStyleRect(TCanvas* Canvas, const TRect& Rect, TButtonDrawingStyle Style,
                                  TFineTheme Fine, TGradientButtonState State) const {
  const bool hot = State == gbsHot;
  const bool down = State == gbsDown;
  const TColor face = ColorToRGB(clBtnFace);
  TRect inner = Rect;
  switch (Style) {
    case bdsClassic:
      FillStyleBack(Canvas, Rect, face, Style, hot);
      Canvas->DrawEdge(inner, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
      break;
    case bdsThemed:
      FillStyleBack(Canvas, Rect, down ? ShadowColor(StyleHotColor(face), -20) : face, Style, hot);
      Frame(Canvas, Rect, ShadowColor(face, -70));
      inner.Inflate(-1, -1);
      break;
    case bdsGradient:
      if (down) Run(Canvas, Rect, EndRGB(), StartRGB());
      else FillRect(Canvas, Rect, hot);
      Frame(Canvas, Rect, ShadowColor(EndRGB(), -40));
      inner.Inflate(-1, -1);
      break;
  }
  const TColor accent = ColorToRGB(clHighlight);
  if (Fine == ftBorder) {
    Frame(Canvas, inner, accent);
  } else if (Fine == ftUnderline) {
    Fill(Canvas, TRect{inner.Left, inner.Bottom - 2, inner.Right, inner.Bottom}, accent);
  }
}

}  // namespace kel
