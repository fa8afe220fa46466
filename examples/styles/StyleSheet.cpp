// Draws every variant of the grid's look (fixed cells, title buttons, markers, check boxes, hot
// buttons, list borders, button drawing styles and gradient fills) once per visual style, panel
// by panel, and writes the sheet as a PNG: kel-style-sheet [file.png].
#include <cairo.h>

#include <array>
#include <cstdio>

#include "KelDBGrids/KelDBGrids.h"
#include "KelDBGrids/KelGridLook.h"
#include "platform/Platform.h"

using namespace kel;

namespace {

constexpr int PanelWidth = 620;
constexpr int PanelHeight = 540;
constexpr int Margin = 16;
constexpr int LabelWidth = 96;

class TSheetPanel {
 public:
  TSheetPanel(TCanvas* Canvas, int Left, int Top) : FCanvas(Canvas), FLeft(Left), FTop(Top) {}

  void Draw(const String& StyleName) {
    FCanvas->Brush()->SetColor(ColorToRGB(clBtnFace));
    FCanvas->FillRect(Bounds(FLeft, FTop, PanelWidth, PanelHeight));
    FCanvas->Brush()->SetColor(ColorToRGB(clWindow));
    FCanvas->FillRect(Bounds(FLeft + 8, FTop + 36, PanelWidth - 16, PanelHeight - 44));
    Title(StyleName);
    FY = FTop + 48;
    FixedCells();
    TitleButtons();
    Markers();
    CheckBoxes();
    HotButtons();
    ListBorders();
    Buttons();
    Fills();
    Adjustments();
  }

 private:
  void Title(const String& StyleName) {
    FCanvas->Font()->SetStyle({fsBold});
    FCanvas->Font()->SetColor(ColorToRGB(clBtnText));
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->TextOut(FLeft + Margin, FTop + 10, StyleName);
    FCanvas->Font()->SetStyle({});
  }

  void Label(const String& Text, int Height) {
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Font()->SetColor(ColorToRGB(clGrayText));
    FCanvas->TextOut(FLeft + Margin, FY + (Height - FCanvas->TextHeight("Wg")) / 2, Text);
  }

  void Caption(const TRect& Rect, const String& Text, TColor Color) {
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Font()->SetColor(Color);
    TRect rect = Rect;
    FCanvas->DrawText(Text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }

  int X0() const { return FLeft + Margin + LabelWidth; }

  void FixedCells() {
    static constexpr const char* Names[] = {"Default", "Soft", "Nice", "Flat",
                                            "Great",   "Gray", "Fine", "Mild"};
    Label("FixedStyle", 26);
    for (int i = 0; i < 8; ++i) {
      const TRect cell = Bounds(X0() + i * 61, FY, 61, 26);
      DrawFixedCell(FCanvas, cell, static_cast<TFixedStyle>(i), clBtnFace);
      Caption(cell, Names[i], ColorToRGB(clBtnText));
    }
    FY += 38;
  }

  void TitleButtons() {
    static constexpr const char* Names[] = {"None", "Default", "Buttons", "Tabs"};
    Label("FixedTheme", 26);
    for (int theme = 0; theme < 4; ++theme)
      for (int state = 0; state < 3; ++state) {
        const TRect cell = Bounds(X0() + theme * 124 + state * 40, FY, 40, 26);
        DrawTitleButton(FCanvas, cell, static_cast<TFixedTheme>(theme), clBtnFace,
                        static_cast<TGradientButtonState>(state));
        if (state == 0) Caption(Bounds(cell.Left, FY + 26, 120, 16), Names[theme], ColorToRGB(clGrayText));
      }
    FY += 52;
  }

  void Markers() {
    Label("MarkerStyle", 20);
    for (int style = msDefault; style <= msMild; ++style) {
      const bool transparent = style <= msRaisedMild;
      for (int ascending = 0; ascending < 2; ++ascending)
        DrawSortMarker(FCanvas, Bounds(X0() + (style - msDefault) * 44 + ascending * 20, FY, 20, 20),
                       static_cast<TMarkerStyle>(style), ascending == 1, transparent);
    }
    FY += 32;
  }

  void CheckBoxes() {
    Label("CheckBoxStyle", 18);
    for (int style = cbDefault; style <= cbMild; ++style)
      for (int state = 0; state < 3; ++state)
        DrawCheckBox(FCanvas, Bounds(X0() + (style - cbDefault) * 61 + state * 18, FY, 18, 18),
                     static_cast<TCheckBoxStyle>(style), static_cast<TKelBoxState>(state));
    FY += 30;
  }

  void HotButtons() {
    static constexpr const char* Names[] = {"None", "Bump", "Tile", "Lowered", "Raised"};
    Label("HotButtons", 24);
    for (int style = hbNone; style <= hbRaised; ++style) {
      const TRect cell = Bounds(X0() + (style - hbNone) * 98, FY, 90, 24);
      DrawHotButton(FCanvas, cell, static_cast<THotButtons>(style), clBtnFace);
      Caption(cell, Names[style - hbNone], ColorToRGB(clBtnText));
    }
    FY += 36;
  }

  void ListBorders() {
    static constexpr const char* Rows[] = {"Alpha", "Bravo", "Charlie"};
    Label("ListBorder", 64);
    for (int style = lbDefault; style <= lbMild; ++style) {
      TRect list = Bounds(X0() + (style - lbDefault) * 164, FY, 150, 64);
      DrawListBorder(FCanvas, list, static_cast<TListBorder>(style));
      FCanvas->Brush()->SetColor(ColorToRGB(clWindow));
      FCanvas->FillRect(list);
      const int line = (list.Height()) / 3;
      for (int row = 0; row < 3; ++row) {
        const TRect item{list.Left, list.Top + row * line, list.Right, list.Top + (row + 1) * line};
        if (row == 1) {
          FCanvas->Brush()->SetColor(ColorToRGB(clHighlight));
          FCanvas->FillRect(item);
        }
        FCanvas->Brush()->SetStyle(bsClear);
        FCanvas->Font()->SetColor(ColorToRGB(row == 1 ? clHighlightText : clWindowText));
        FCanvas->TextOut(item.Left + 6, item.Top + (line - FCanvas->TextHeight("Wg")) / 2, Rows[row]);
      }
    }
    FY += 76;
  }

  void Buttons() {
    static constexpr const char* Names[] = {"Classic", "Themed", "Gradient"};
    TZoltGradientButton gradient;
    gradient.SetStartColor(clGradientActiveCaption);
    Label("Buttons", 52);
    for (int style = 0; style < 3; ++style)
      for (int fine = 0; fine < 3; ++fine)
        for (int state = 0; state < 2; ++state) {
          const TRect cell = Bounds(X0() + style * 166 + fine * 54, FY + state * 27, 50, 24);
          gradient.FillStyleRect(FCanvas, cell, static_cast<TButtonDrawingStyle>(style),
                                 static_cast<TFineTheme>(fine),
                                 state == 0 ? gbsNormal : gbsHot);
          if (fine == 1 && state == 0)
            Caption(Bounds(cell.Left, FY + 54, 50, 16), Names[style], ColorToRGB(clGrayText));
        }
    FY += 80;
  }

  void Fills() {
    static constexpr const char* Names[] = {"Rect", "Hot", "Swap", "Back", "Step",
                                            "Canvas", "Flat", "Cell", "Horz"};
    TZoltGradientButton gradient;
    gradient.SetStartColor(clGradientActiveCaption);
    gradient.SetShadowFactor(-40);
    Label("Fills", 40);
    TZoltGradientButton swapped;
    swapped.Assign(&gradient);
    swapped.SetSwapColors(true);
    TZoltGradientButton horizontal;
    horizontal.Assign(&gradient);
    horizontal.SetDirection(gdHorizontal);
    auto cell = [&](int index) { return Bounds(X0() + index * 55, FY, 50, 40); };
    gradient.FillRect(FCanvas, cell(0));
    gradient.FillRect(FCanvas, cell(1), true);
    swapped.FillRect(FCanvas, cell(2));
    gradient.FillBack(FCanvas, cell(3), clHighlight);
    gradient.FillStep(FCanvas, cell(4));
    gradient.FillCanvas(FCanvas, cell(5));
    gradient.FillCell(FCanvas, cell(6), clGradientActiveCaption, true);
    gradient.FillCell(FCanvas, cell(7), clGradientActiveCaption, false);
    horizontal.FillStep(FCanvas, cell(8));
    for (int i = 0; i < 9; ++i)
      Caption(Bounds(cell(i).Left, FY + 40, 50, 16), Names[i], ColorToRGB(clGrayText));
  }

  // What the style tables change: the selected fixed text, the selected row and the cell frame.
  void Adjustments() {
    FY += 70;
    Label("Selected", 26);
    const TRect title = Bounds(X0(), FY, 150, 26);
    DrawFixedCell(FCanvas, title, fsFlat, clBtnFace);
    Caption(title, "Selected title", TKelCustomDBGrid::GetFixedTextSelected());
    const TRect row = Bounds(X0() + 160, FY, 150, 26);
    FCanvas->Brush()->SetColor(TKelCustomDBGrid::GetSelectRowSelected());
    FCanvas->FillRect(row);
    Caption(row, "Selected row", ColorToRGB(clHighlightText));
    const TRect cell = Bounds(X0() + 326, FY + 3, 150, 20);
    TRect frame = cell;
    TKelCustomDBGrid::GetCellFrameRect(frame);
    FCanvas->Brush()->SetColor(ColorToRGB(clHighlight));
    FCanvas->FillRect(frame);
    FCanvas->Brush()->SetColor(ColorToRGB(clWindow));
    FCanvas->FillRect(cell);
    char text[32];
    std::snprintf(text, sizeof text, "Cell frame %d", TKelCustomDBGrid::GetCellFrameActiveStyle());
    Caption(cell, text, ColorToRGB(clWindowText));
  }

  TCanvas* FCanvas;
  int FLeft;
  int FTop;
  int FY = 0;  // top of the next row
};

}  // namespace

int main(int argc, char** argv) {
  const char* file = argc > 1 ? argv[1] : "styles.png";
  const std::array<String, 4> styles = {TStyleManager::SystemStyleName, "Windows10",
                                        "Windows10 Dark", "Carbon"};
  TBitmap sheet(2 * PanelWidth, 2 * PanelHeight);
  for (std::size_t i = 0; i < styles.size(); ++i) {
    TStyleScope style(styles[i]);
    TSheetPanel(sheet.Canvas(), static_cast<int>(i % 2) * PanelWidth,
                static_cast<int>(i / 2) * PanelHeight)
        .Draw(styles[i]);
  }
  cairo_surface_flush(sheet.Surface());
  if (cairo_surface_write_to_png(sheet.Surface(), file) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "kel-style-sheet: cannot write %s\n", file);
    return 1;
  }
  return 0;
}
