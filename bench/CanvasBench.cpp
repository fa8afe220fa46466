// Canvas painting speed: one frame of a grid-like picture on a 1280 x 800 bitmap, 20 columns by
// 50 rows of 64 x 16 cells, each with its background, text clipped to the cell and aligned by
// column (left, right, centre), and the grid lines. One iteration is one frame.
//
//   TextRect   the cell text routine: measure, place by alignment, TextRect (clips as needed)
//   DrawText   the same through DrawText with DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS
//   ColdText   TextRect with texts never seen before in every frame (every text is shaped)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"

using namespace kel;

namespace {

// The fonts of the tests (DejaVu only), unless the caller chose others.
const bool FontsFixed = [] {
  String config = __FILE__;
  config.replace(config.rfind("bench/"), String::npos, "resources/fonts.conf");
  return setenv("FONTCONFIG_FILE", config.c_str(), /*overwrite=*/0) == 0;
}();

constexpr int Columns = 20;
constexpr int Rows = 50;
constexpr int CellWidth = 64;
constexpr int CellHeight = 16;

std::vector<String> CellTexts(int salt) {
  static const char* const Words[] = {"Alpha", "Bravo", "Charlie delta echo", "Foxtrot",
                                      "Golf hotel india juliet", "Kilo"};
  std::vector<String> texts;
  for (int row = 0; row < Rows; ++row)
    for (int column = 0; column < Columns; ++column) {
      if (column % 3 == 1)
        texts.push_back(std::to_string((row * 7919 + column * 104729 + salt) % 100000) + ".50");
      else
        texts.push_back(String(Words[(row + column) % 6]) + " " + std::to_string(row + salt));
    }
  return texts;
}

TAlignment ColumnAlignment(int column) {
  return column % 3 == 1 ? taRightJustify : column % 3 == 2 ? taCenter : taLeftJustify;
}

void PaintBackground(TCanvas* canvas, int row, const TRect& cell) {
  canvas->Brush()->SetColor(row % 2 ? cl3DLight : clWindow);
  canvas->FillRect(cell);
}

void PaintGridLines(TCanvas* canvas) {
  canvas->Pen()->SetColor(clSilver);
  for (int column = 1; column <= Columns; ++column) {
    canvas->MoveTo(column * CellWidth - 1, 0);
    canvas->LineTo(column * CellWidth - 1, Rows * CellHeight);
  }
  for (int row = 1; row <= Rows; ++row) {
    canvas->MoveTo(0, row * CellHeight - 1);
    canvas->LineTo(Columns * CellWidth, row * CellHeight - 1);
  }
}

TRect CellRect(int row, int column) {
  return Bounds(column * CellWidth, row * CellHeight, CellWidth - 1, CellHeight - 1);
}

void PaintWithTextRect(TCanvas* canvas, const std::vector<String>& texts) {
  canvas->Brush()->SetStyle(bsSolid);
  for (int row = 0; row < Rows; ++row)
    for (int column = 0; column < Columns; ++column) {
      const TRect cell = CellRect(row, column);
      PaintBackground(canvas, row, cell);
      const String& text = texts[static_cast<std::size_t>(row * Columns + column)];
      const int width = canvas->TextWidth(text);
      int x = cell.Left + 2;
      if (ColumnAlignment(column) == taRightJustify) x = cell.Right - 3 - width;
      if (ColumnAlignment(column) == taCenter) x = cell.Left + (cell.Width() - width) / 2;
      const int y = cell.Top + (cell.Height() - canvas->TextHeight(text)) / 2;
      canvas->Brush()->SetStyle(bsClear);
      canvas->TextRect(cell, x, y, text);
    }
  PaintGridLines(canvas);
}

void PaintWithDrawText(TCanvas* canvas, const std::vector<String>& texts) {
  for (int row = 0; row < Rows; ++row)
    for (int column = 0; column < Columns; ++column) {
      const TRect cell = CellRect(row, column);
      PaintBackground(canvas, row, cell);
      canvas->Brush()->SetStyle(bsClear);
      TRect textRect = cell;
      textRect.Inflate(-2, 0);
      const std::uint32_t align = ColumnAlignment(column) == taRightJustify ? DT_RIGHT
                                  : ColumnAlignment(column) == taCenter     ? DT_CENTER
                                                                            : DT_LEFT;
      canvas->DrawText(texts[static_cast<std::size_t>(row * Columns + column)], textRect,
                       align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
  PaintGridLines(canvas);
}

void BM_GridFrame_TextRect(benchmark::State& state) {
  TBitmap bitmap(1280, 800);
  const std::vector<String> texts = CellTexts(0);
  for (auto _ : state) PaintWithTextRect(bitmap.Canvas(), texts);
}
BENCHMARK(BM_GridFrame_TextRect)->Unit(benchmark::kMillisecond);

void BM_GridFrame_DrawText(benchmark::State& state) {
  TBitmap bitmap(1280, 800);
  const std::vector<String> texts = CellTexts(0);
  for (auto _ : state) PaintWithDrawText(bitmap.Canvas(), texts);
}
BENCHMARK(BM_GridFrame_DrawText)->Unit(benchmark::kMillisecond);

void BM_GridFrame_ColdText(benchmark::State& state) {
  TBitmap bitmap(1280, 800);
  int salt = 1000;
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<String> texts = CellTexts(++salt * 100);
    state.ResumeTiming();
    PaintWithTextRect(bitmap.Canvas(), texts);
  }
}
BENCHMARK(BM_GridFrame_ColdText)->Unit(benchmark::kMillisecond);

}  // namespace
