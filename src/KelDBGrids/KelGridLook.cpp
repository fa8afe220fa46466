// The drawing variants of the grid's look. Every shape is built from whole-pixel fills, so each
// variant keeps crisp, exact colours whatever the cell size; shades are derived from the face
// colour with ShadowColor, so light and dark styles keep their contrast.
#include "KelDBGrids/KelGridLook.h"

#include <cassert>

namespace kel {

namespace {

TColor Shade(TColor Color, int Factor) { return TZoltGradient::ShadowColor(Color, Factor); }

TColor Mix(TColor From, TColor To, int Percent) { return MixColors(From, To, Percent); }

void Fill(TCanvas* Canvas, const TRect& Rect, TColor Color) {
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(Rect);
}

void HLine(TCanvas* Canvas, int Left, int Right, int Y, TColor Color) {
  Fill(Canvas, TRect{Left, Y, Right, Y + 1}, Color);
}

void VLine(TCanvas* Canvas, int X, int Top, int Bottom, TColor Color) {
  Fill(Canvas, TRect{X, Top, X + 1, Bottom}, Color);
}

void Frame(TCanvas* Canvas, const TRect& Rect, TColor Color) {
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FrameRect(Rect);
}

// Light on the top and left sides, dark on the bottom and right (raised); swapped for sunken.
void Bevel(TCanvas* Canvas, const TRect& Rect, TColor TopLeft, TColor BottomRight) {
  HLine(Canvas, Rect.Left, Rect.Right, Rect.Top, TopLeft);
  VLine(Canvas, Rect.Left, Rect.Top, Rect.Bottom, TopLeft);
  HLine(Canvas, Rect.Left, Rect.Right, Rect.Bottom - 1, BottomRight);
  VLine(Canvas, Rect.Right - 1, Rect.Top, Rect.Bottom, BottomRight);
}

// A frame with its four corner pixels blended into the background: a rounded look in crisp pixels.
void SoftFrame(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor Corner) {
  Frame(Canvas, Rect, Color);
  Fill(Canvas, TRect{Rect.Left, Rect.Top, Rect.Left + 1, Rect.Top + 1}, Corner);
  Fill(Canvas, TRect{Rect.Right - 1, Rect.Top, Rect.Right, Rect.Top + 1}, Corner);
  Fill(Canvas, TRect{Rect.Left, Rect.Bottom - 1, Rect.Left + 1, Rect.Bottom}, Corner);
  Fill(Canvas, TRect{Rect.Right - 1, Rect.Bottom - 1, Rect.Right, Rect.Bottom}, Corner);
}

// A triangle Size rows deep, 2 * Size - 1 wide, centred on (X, Y); hollow draws its outline.
void Triangle(TCanvas* Canvas, int X, int Y, int Size, bool Up, TColor Color, bool Hollow) {
  const int top = Y - Size / 2;
  for (int row = 0; row < Size; ++row) {
    const int half = Up ? row : Size - 1 - row;
    const int y = top + row;
    const bool edgeRow = (Up && row == Size - 1) || (!Up && row == 0);
    if (Hollow && !edgeRow) {
      Fill(Canvas, TRect{X - half, y, X - half + 1, y + 1}, Color);
      Fill(Canvas, TRect{X + half, y, X + half + 1, y + 1}, Color);
    } else {
      HLine(Canvas, X - half, X + half + 1, y, Color);
    }
  }
}

// A check mark 7 pixels wide and 2 thick, its top-left at (Left, Top).
void Tick(TCanvas* Canvas, int Left, int Top, TColor Color) {
  for (int i = 0; i < 7; ++i) {
    const int y = i < 2 ? Top + 2 + i : Top + 4 - (i - 2);
    Fill(Canvas, TRect{Left + i, y + 1, Left + i + 1, y + 3}, Color);
  }
}

TRect Centered(const TRect& Rect, int Width, int Height) {
  const int left = Rect.Left + (Rect.Width() - Width) / 2;
  const int top = Rect.Top + (Rect.Height() - Height) / 2;
  return TRect{left, top, left + Width, top + Height};
}

}  // namespace

// ---- Fixed cells --------------------------------------------------------------------------------

void DrawFixedCell(TCanvas* Canvas, const TRect& Rect, TFixedStyle Style, TColor Color) {
  const TColor face = ColorToRGB(Color);
  const TColor light = ColorToRGB(clBtnHighlight);
  const TColor shadow = ColorToRGB(clBtnShadow);
  const int bottom = Rect.Bottom - 1, right = Rect.Right - 1;
  switch (Style) {
    case fsDefault:  // classic raised
      Fill(Canvas, Rect, face);
      Bevel(Canvas, Rect, light, shadow);
      break;
    case fsSoft:  // raised, with a softened shadow
      Fill(Canvas, Rect, face);
      Bevel(Canvas, Rect, light, Shade(face, -22));
      break;
    case fsNice:  // a gentle sheen down the cell
      GradientFillCanvas(Canvas, Shade(face, 28), Shade(face, -10), Rect, gdVertical);
      HLine(Canvas, Rect.Left, Rect.Right, bottom, Shade(face, -55));
      VLine(Canvas, right, Rect.Top + 2, bottom - 1, Shade(face, -35));
      break;
    case fsFlat:  // flat, thin separators
      Fill(Canvas, Rect, face);
      HLine(Canvas, Rect.Left, Rect.Right, bottom, Shade(face, -40));
      VLine(Canvas, right, Rect.Top, Rect.Bottom, Shade(face, -40));
      break;
    case fsGreat: {  // two-tone glass face, strong base line
      TRect upper = Rect;
      upper.Bottom = Rect.Top + Rect.Height() / 2;
      Fill(Canvas, Rect, Shade(face, -8));
      Fill(Canvas, upper, Shade(face, 14));
      HLine(Canvas, Rect.Left, Rect.Right, bottom, Shade(face, -70));
      HLine(Canvas, Rect.Left, Rect.Right, bottom - 1, Shade(face, -30));
      VLine(Canvas, right, Rect.Top, Rect.Bottom, Shade(face, -45));
      break;
    }
    case fsGray:  // a grey tile framed in grey
      Fill(Canvas, Rect, Shade(face, -16));
      HLine(Canvas, Rect.Left, Rect.Right, bottom, Shade(face, -75));
      VLine(Canvas, right, Rect.Top, Rect.Bottom, Shade(face, -75));
      HLine(Canvas, Rect.Left, right, Rect.Top, Shade(face, -4));
      break;
    case fsFine:  // light face, short separator, fine base line
      Fill(Canvas, Rect, Shade(face, 10));
      VLine(Canvas, right, Rect.Top + Rect.Height() / 4, Rect.Bottom - Rect.Height() / 4,
            Shade(face, -50));
      HLine(Canvas, Rect.Left, Rect.Right, bottom, Shade(face, -25));
      break;
    case fsMild:  // mild gradient with a mild frame
      GradientFillCanvas(Canvas, Shade(face, 14), Shade(face, -4), Rect, gdVertical);
      HLine(Canvas, Rect.Left, Rect.Right, Rect.Top, Shade(face, 24));
      HLine(Canvas, Rect.Left, Rect.Right, bottom, Shade(face, -28));
      VLine(Canvas, right, Rect.Top, Rect.Bottom, Shade(face, -28));
      break;
  }
}

// ---- Title buttons ------------------------------------------------------------------------------

void DrawTitleButton(TCanvas* Canvas, const TRect& Rect, TFixedTheme Theme, TColor Color,
                     TGradientButtonState State) {
  const TColor face = ColorToRGB(Color);
  const TColor hot = StyleHotColor(face);
  const TColor accent = ColorToRGB(clHighlight);
  const bool down = State == gbsDown, isHot = State == gbsHot;
  const int bottom = Rect.Bottom - 1, right = Rect.Right - 1;
  switch (Theme) {
    case ftNone: {  // the classic push button
      TRect inner = Rect;
      Fill(Canvas, Rect, isHot ? Shade(face, 12) : face);
      Canvas->DrawEdge(inner, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      break;
    }
    case ftDefault: {  // the system header: soft sheen, separator, hot tint
      const TColor base = isHot ? Shade(face, 8) : face;
      // Pressed, the whole face sinks; otherwise a sheen fades down to the face colour.
      GradientFillCanvas(Canvas, down ? Shade(base, -18) : Shade(base, 18), down ? Shade(base, -8) : base, Rect,
                         gdVertical);
      HLine(Canvas, Rect.Left, Rect.Right, bottom, Shade(face, -45));
      VLine(Canvas, right, Rect.Top, Rect.Bottom, Shade(face, -30));
      if (isHot) HLine(Canvas, Rect.Left, right, bottom - 1, Shade(accent, 60));
      break;
    }
    case ftButtons: {  // a rounded button inside the cell
      Fill(Canvas, Rect, face);
      TRect button = Rect;
      button.Inflate(-1, -1);
      const TColor top = down ? Shade(hot, -18) : isHot ? Shade(hot, 14) : Shade(face, 22);
      const TColor low = down ? Shade(hot, -6) : isHot ? hot : Shade(face, -8);
      GradientFillCanvas(Canvas, top, low, button, gdVertical);
      SoftFrame(Canvas, button, Shade(face, -60), face);
      break;
    }
    case ftTabs: {  // a tab: accent line on top, open at the bottom
      Fill(Canvas, Rect, Shade(face, -6));
      TRect tab{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom};
      Fill(Canvas, tab, down ? face : isHot ? hot : Shade(face, 12));
      SoftFrame(Canvas, TRect{tab.Left, tab.Top, tab.Right, tab.Bottom + 1}, Shade(face, -40),
                Shade(face, -6));
      HLine(Canvas, tab.Left + 1, tab.Right - 1, tab.Top + 1, accent);
      HLine(Canvas, tab.Left + 1, tab.Right - 1, tab.Top + 2, Shade(accent, 40));
      break;
    }
  }
}

// ---- Sort markers -------------------------------------------------------------------------------

void DrawSortMarker(TCanvas* Canvas, const TRect& Rect, TMarkerStyle Style, bool Ascending,
                    bool Transparent) {
  const TColor face = ColorToRGB(clBtnFace);
  const TColor text = ColorToRGB(clBtnText);
  const TColor light = ColorToRGB(clBtnHighlight);
  const TColor dark = Mix(face, text, 85);
  const TColor gray = Mix(face, text, 55);
  const TColor mild = Mix(face, text, 35);
  if (!Transparent) {
    const TRect box = Centered(Rect, 15, 13);
    Fill(Canvas, box, Shade(face, -10));
    Frame(Canvas, box, Shade(face, -30));
  }
  const TPoint c = Rect.CenterPoint();
  constexpr int Size = 5;
  // Raised: a light rim above the body and a shadow below it; lowered swaps the two.
  auto embossed = [&](TColor body, bool raised) {
    Triangle(Canvas, c.X, c.Y + (raised ? 1 : -1), Size, Ascending, Mix(body, face, 40), false);
    Triangle(Canvas, c.X, c.Y + (raised ? -1 : 1), Size, Ascending, light, false);
    Triangle(Canvas, c.X, c.Y, Size, Ascending, body, false);
  };
  switch (Style) {
    case msDefault: Triangle(Canvas, c.X, c.Y, Size, Ascending, text, false); break;
    case msSoft: Triangle(Canvas, c.X, c.Y, Size, Ascending, gray, false); break;
    case msRaisedDark: embossed(dark, true); break;
    case msRaisedGray: embossed(gray, true); break;
    case msRaisedMild: embossed(mild, true); break;
    case msLoweredDark: embossed(dark, false); break;
    case msLoweredGray: embossed(gray, false); break;
    case msLoweredMild: embossed(mild, false); break;
    case msFlat: Triangle(Canvas, c.X, c.Y, Size, Ascending, text, true); break;
    case msGray: Triangle(Canvas, c.X, c.Y, Size, Ascending, gray, true); break;
    case msMild: Triangle(Canvas, c.X, c.Y, Size, Ascending, mild, false); break;
    case msAuto:
    case msAutoGray:
      assert(false && "the grid resolves automatic marker styles before drawing");
      break;
  }
}

// ---- Check boxes --------------------------------------------------------------------------------

namespace {

// The face and frame of a box in Style; answers the colour of what is drawn inside.
TColor DrawBox(TCanvas* Canvas, const TRect& Box, TCheckBoxStyle Style) {
  const TColor face = ColorToRGB(clBtnFace);
  const TColor window = ColorToRGB(clWindow);
  const TColor text = ColorToRGB(clWindowText);
  const TColor light = ColorToRGB(clBtnHighlight);
  TRect inside = Box;
  inside.Inflate(-1, -1);
  switch (Style) {
    case cbDefault:
      Fill(Canvas, Box, window);
      Frame(Canvas, Box, Mix(window, text, 70));
      return text;
    case cbSoft:
      Fill(Canvas, Box, window);
      SoftFrame(Canvas, Box, Mix(window, text, 45), Mix(window, text, 18));
      return text;
    case cbLoweredDark:  // classic two-pixel sunken well
      Fill(Canvas, Box, window);
      Bevel(Canvas, Box, Mix(face, text, 40), light);
      Bevel(Canvas, inside, Mix(face, text, 75), face);
      return text;
    case cbLoweredGray:
      Fill(Canvas, Box, window);
      Bevel(Canvas, Box, Mix(face, text, 40), light);
      return text;
    case cbLoweredMild:
      Fill(Canvas, Box, Mix(window, face, 50));
      Bevel(Canvas, Box, Mix(face, text, 25), Mix(face, light, 60));
      return text;
    case cbFlat:  // a flat tile, no frame
      Fill(Canvas, Box, Mix(face, text, 15));
      return text;
    case cbGray:
      Fill(Canvas, Box, face);
      Frame(Canvas, Box, Mix(face, text, 45));
      return Mix(face, text, 70);
    case cbMild:
      Fill(Canvas, Box, window);
      Frame(Canvas, Box, Mix(window, text, 30));
      return ColorToRGB(clHighlight);
    case cbAuto:
    case cbAutoGray:
    case cbAutoLowered:
      assert(false && "the grid resolves automatic check box styles before drawing");
      break;
  }
  return text;
}

}  // namespace

void DrawCheckBox(TCanvas* Canvas, const TRect& Rect, TCheckBoxStyle Style, TKelBoxState State) {
  const TRect box = Centered(Rect, 13, 13);
  const TColor mark = DrawBox(Canvas, box, Style);
  const TColor face = ColorToRGB(clBtnFace);
  const TColor text = ColorToRGB(clWindowText);
  if (State == kbsChecked) Tick(Canvas, box.Left + 3, box.Top + 2, mark);
  else if (State == kbsGrayed) Fill(Canvas, Centered(box, 7, 7), Mix(face, text, 40));
}

void DrawTotalBox(TCanvas* Canvas, const TRect& Rect, TCheckBoxStyle Style) { DrawBox(Canvas, Rect, Style); }

// ---- Hot buttons --------------------------------------------------------------------------------

void DrawHotButton(TCanvas* Canvas, const TRect& Rect, THotButtons Style, TColor Color) {
  const TColor face = ColorToRGB(Color);
  const TColor hot = StyleHotColor(face);
  const TColor light = ColorToRGB(clBtnHighlight);
  TRect inner = Rect;
  inner.Inflate(-1, -1);
  switch (Style) {
    case hbNone:
      Fill(Canvas, Rect, face);
      break;
    case hbBump:  // a raised ridge around a lit face
      Fill(Canvas, Rect, Shade(face, 10));
      Bevel(Canvas, Rect, light, Shade(face, -70));
      Bevel(Canvas, inner, Shade(face, -40), light);
      break;
    case hbTile:  // the hot colour as a flat tile
      Fill(Canvas, Rect, hot);
      Frame(Canvas, Rect, Shade(hot, -60));
      break;
    case hbLowered:
      Fill(Canvas, Rect, Shade(face, -12));
      Bevel(Canvas, Rect, Shade(face, -70), light);
      break;
    case hbRaised:
      GradientFillCanvas(Canvas, Shade(hot, 15), hot, Rect, gdVertical);
      Bevel(Canvas, Rect, Shade(hot, 30), Shade(hot, -60));
      break;
    case hbAuto:
      assert(false && "the grid resolves automatic hot buttons before drawing");
      break;
  }
}

// ---- List borders -------------------------------------------------------------------------------

void DrawListBorder(TCanvas* Canvas, TRect& Rect, TListBorder Style) {
  const TColor face = ColorToRGB(clBtnFace);
  switch (Style) {
    case lbDefault:
      Frame(Canvas, Rect, ColorToRGB(clWindowFrame));
      Rect.Inflate(-1, -1);
      break;
    case lbGray:
      Frame(Canvas, Rect, ColorToRGB(clBtnShadow));
      Rect.Inflate(-1, -1);
      Frame(Canvas, Rect, ColorToRGB(clBtnHighlight));
      Rect.Inflate(-1, -1);
      break;
    case lbMild:
      Frame(Canvas, Rect, Shade(face, -30));
      Rect.Inflate(-1, -1);
      Frame(Canvas, Rect, Shade(face, 12));
      HLine(Canvas, Rect.Left, Rect.Right, Rect.Top, Shade(ColorToRGB(clHighlight), 50));
      Rect.Inflate(-1, -1);
      break;
    case lbAuto:
      assert(false && "the grid resolves the automatic list border before drawing");
      break;
  }
}

}  // namespace kel
