// The custom styles the platform ships, as system palettes: a light flat style ("Windows10"), a
// dark flat style ("Windows10 Dark") and a charcoal style with an amber accent ("Carbon").
// Entries follow the system colour numbering of Colors.h; entry 25 is unused.
#include "platform/ui/StylesPrivate.h"

namespace kel {

namespace {

constexpr TSystemPalette Windows10Palette{
    RGB(218, 218, 218),  // clScrollBar
    RGB(0, 0, 0),        // clBackground
    RGB(0, 103, 192),    // clActiveCaption
    RGB(243, 243, 243),  // clInactiveCaption
    RGB(249, 249, 249),  // clMenu
    RGB(255, 255, 255),  // clWindow
    RGB(204, 204, 204),  // clWindowFrame
    RGB(26, 26, 26),     // clMenuText
    RGB(26, 26, 26),     // clWindowText
    RGB(255, 255, 255),  // clCaptionText
    RGB(204, 204, 204),  // clActiveBorder
    RGB(230, 230, 230),  // clInactiveBorder
    RGB(238, 238, 238),  // clAppWorkSpace
    RGB(0, 103, 192),    // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(246, 246, 246),  // clBtnFace
    RGB(210, 210, 210),  // clBtnShadow
    RGB(140, 140, 140),  // clGrayText
    RGB(26, 26, 26),     // clBtnText
    RGB(96, 96, 96),     // clInactiveCaptionText
    RGB(255, 255, 255),  // clBtnHighlight
    RGB(170, 170, 170),  // cl3DDkShadow
    RGB(236, 236, 236),  // cl3DLight
    RGB(26, 26, 26),     // clInfoText
    RGB(255, 255, 255),  // clInfoBk
    RGB(0, 0, 0),        // (unused)
    RGB(0, 90, 158),     // clHotLight
    RGB(204, 228, 247),  // clGradientActiveCaption
    RGB(229, 241, 251),  // clGradientInactiveCaption
    RGB(204, 228, 247),  // clMenuHighlight
    RGB(249, 249, 249),  // clMenuBar
};

constexpr TSystemPalette Windows10DarkPalette{
    RGB(77, 77, 77),     // clScrollBar
    RGB(0, 0, 0),        // clBackground
    RGB(32, 32, 32),     // clActiveCaption
    RGB(43, 43, 43),     // clInactiveCaption
    RGB(43, 43, 43),     // clMenu
    RGB(32, 32, 32),     // clWindow
    RGB(80, 80, 80),     // clWindowFrame
    RGB(240, 240, 240),  // clMenuText
    RGB(240, 240, 240),  // clWindowText
    RGB(255, 255, 255),  // clCaptionText
    RGB(80, 80, 80),     // clActiveBorder
    RGB(60, 60, 60),     // clInactiveBorder
    RGB(25, 25, 25),     // clAppWorkSpace
    RGB(0, 120, 215),    // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(51, 51, 51),     // clBtnFace
    RGB(24, 24, 24),     // clBtnShadow
    RGB(128, 128, 128),  // clGrayText
    RGB(235, 235, 235),  // clBtnText
    RGB(170, 170, 170),  // clInactiveCaptionText
    RGB(84, 84, 84),     // clBtnHighlight
    RGB(12, 12, 12),     // cl3DDkShadow
    RGB(66, 66, 66),     // cl3DLight
    RGB(240, 240, 240),  // clInfoText
    RGB(60, 60, 60),     // clInfoBk
    RGB(0, 0, 0),        // (unused)
    RGB(96, 170, 240),   // clHotLight
    RGB(38, 79, 120),    // clGradientActiveCaption
    RGB(48, 58, 70),     // clGradientInactiveCaption
    RGB(65, 65, 65),     // clMenuHighlight
    RGB(43, 43, 43),     // clMenuBar
};

constexpr TSystemPalette CarbonPalette{
    RGB(70, 72, 76),     // clScrollBar
    RGB(0, 0, 0),        // clBackground
    RGB(44, 46, 50),     // clActiveCaption
    RGB(54, 56, 60),     // clInactiveCaption
    RGB(54, 56, 60),     // clMenu
    RGB(40, 42, 46),     // clWindow
    RGB(20, 21, 23),     // clWindowFrame
    RGB(226, 226, 222),  // clMenuText
    RGB(226, 226, 222),  // clWindowText
    RGB(255, 255, 255),  // clCaptionText
    RGB(20, 21, 23),     // clActiveBorder
    RGB(60, 62, 66),     // clInactiveBorder
    RGB(30, 31, 34),     // clAppWorkSpace
    RGB(214, 122, 36),   // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(64, 67, 72),     // clBtnFace
    RGB(28, 29, 32),     // clBtnShadow
    RGB(130, 132, 136),  // clGrayText
    RGB(232, 232, 228),  // clBtnText
    RGB(160, 160, 156),  // clInactiveCaptionText
    RGB(96, 100, 106),   // clBtnHighlight
    RGB(14, 15, 17),     // cl3DDkShadow
    RGB(80, 83, 88),     // cl3DLight
    RGB(232, 232, 228),  // clInfoText
    RGB(58, 60, 64),     // clInfoBk
    RGB(0, 0, 0),        // (unused)
    RGB(240, 160, 70),   // clHotLight
    RGB(120, 80, 40),    // clGradientActiveCaption
    RGB(70, 60, 50),     // clGradientInactiveCaption
    RGB(214, 122, 36),   // clMenuHighlight
    RGB(54, 56, 60),     // clMenuBar
};

}  // namespace

std::vector<TStyleInfo> ShippedStyles() {
  return {
      {TStyleManager::SystemStyleName, DefaultSystemPalette()},
      {"Windows10", Windows10Palette},
      {"Windows10 Dark", Windows10DarkPalette},
      {"Carbon", CarbonPalette},
  };
}

}  // namespace kel
