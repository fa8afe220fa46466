// The drawing variants of the grid's look: within each family (fixed cells, title buttons,
// markers, check boxes, hot buttons, list borders) every variant differs from every other at
// sampled pixels, under the system look and each custom style; the room list borders take.
#include <gtest/gtest.h>

#include <functional>

#include "KelDBGrids/KelDBGrids.h"
#include "KelDBGrids/KelGridLook.h"
#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

constexpr int Width = 44;
constexpr int Height = 24;

// A lattice denser at the edges, where frames and bevels lie, and through the middle, where
// markers and ticks lie.
std::vector<TColor> Samples(TCanvas* Canvas) {
  static constexpr int Xs[] = {0, 1, 2, 5, 10, 16, 19, 20, 21, 22, 23, 24, 25, 28, 33, 40, 41, 42, 43};
  static constexpr int Ys[] = {0, 1, 2, 4, 7, 9, 10, 11, 12, 13, 14, 15, 17, 20, 21, 22, 23};
  std::vector<TColor> samples;
  for (int y : Ys)
    for (int x : Xs) samples.push_back(Canvas->Pixels(x, y));
  return samples;
}

struct TVariant {
  String Name;
  std::function<void(TCanvas*, TRect)> Draw;
};

template <typename E>
String NameOf(E Value) {
  return EnumNamesOf(Value)[Value];
}

std::vector<std::vector<TVariant>> Families() {
  std::vector<TVariant> fixed, themes, markers, boxes, hot, borders;
  for (int style = fsDefault; style <= fsMild; ++style) {
    const auto value = static_cast<TFixedStyle>(style);
    fixed.push_back({NameOf(value), [value](TCanvas* c, TRect r) { DrawFixedCell(c, r, value, clBtnFace); }});
  }
  for (int theme = ftNone; theme <= ftTabs; ++theme)
    for (TGradientButtonState state : {gbsNormal, gbsHot, gbsDown}) {
      const auto value = static_cast<TFixedTheme>(theme);
      themes.push_back({NameOf(value) + "." + std::to_string(state), [value, state](TCanvas* c, TRect r) {
                          DrawTitleButton(c, r, value, clBtnFace, state);
                        }});
    }
  for (int style = msDefault; style <= msMild; ++style)
    for (bool ascending : {true, false})
      for (bool transparent : {true, false}) {
        const auto value = static_cast<TMarkerStyle>(style);
        markers.push_back({NameOf(value) + (ascending ? ".up" : ".down") + (transparent ? "" : ".boxed"),
                           [=](TCanvas* c, TRect r) { DrawSortMarker(c, r, value, ascending, transparent); }});
      }
  for (int style = cbDefault; style <= cbMild; ++style)
    for (TKelBoxState state : {kbsUnchecked, kbsChecked, kbsGrayed}) {
      const auto value = static_cast<TCheckBoxStyle>(style);
      boxes.push_back({NameOf(value) + "." + std::to_string(state),
                       [=](TCanvas* c, TRect r) { DrawCheckBox(c, r, value, state); }});
    }
  for (int style = hbNone; style <= hbRaised; ++style) {
    const auto value = static_cast<THotButtons>(style);
    hot.push_back({NameOf(value), [value](TCanvas* c, TRect r) { DrawHotButton(c, r, value, clBtnFace); }});
  }
  for (int style = lbDefault; style <= lbMild; ++style) {
    const auto value = static_cast<TListBorder>(style);
    borders.push_back({NameOf(value), [value](TCanvas* c, TRect r) { DrawListBorder(c, r, value); }});
  }
  return {fixed, themes, markers, boxes, hot, borders};
}

class GridLookVariants : public ::testing::TestWithParam<const char*> {};

TEST_P(GridLookVariants, EveryVariantDiffersFromEveryOtherOfItsFamily) {
  TStyleScope style(GetParam());
  for (const std::vector<TVariant>& family : Families()) {
    std::vector<std::vector<TColor>> looks;
    for (const TVariant& variant : family) {
      TBitmap bitmap(Width, Height);
      bitmap.Canvas()->Brush()->SetColor(ColorToRGB(clWindow));
      bitmap.Canvas()->FillRect(TRect{0, 0, Width, Height});
      variant.Draw(bitmap.Canvas(), TRect{0, 0, Width, Height});
      looks.push_back(Samples(bitmap.Canvas()));
    }
    for (std::size_t a = 0; a < family.size(); ++a)
      for (std::size_t b = a + 1; b < family.size(); ++b)
        EXPECT_NE(looks[a], looks[b]) << family[a].Name << " looks like " << family[b].Name;
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, GridLookVariants,
                         ::testing::Values("Windows", "Windows10", "Windows10 Dark", "Carbon"),
                         [](const auto& info) {
                           String name = info.param;
                           std::erase(name, ' ');
                           return name;
                         });

}  // namespace
}  // namespace kel
