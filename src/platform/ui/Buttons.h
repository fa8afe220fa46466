// The speed button: a windowless button with a caption and an optional glyph strip, flat or
// raised, grouped (radio-like) or free, with hot tracking.
#pragma once

#include <memory>

#include "platform/graphics/Bitmap.h"
#include "platform/ui/Controls.h"

namespace kel {

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
KEL_ENUM_NAMES(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
enum TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;

class TSpeedButton : public TGraphicControl {
  KEL_CLASS(TSpeedButton, TGraphicControl)

 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  // Published: AllowAllUp, GroupIndex, Down (after the two it depends on), Caption, Color
  // (clBtnFace), Flat, Layout, Margin, NumGlyphs, Spacing, Transparent. The glyph's pixels do
  // not stream (streams hold no image data).
  static const TPropList& PublishedProperties();

  // A strip of NumGlyphs images: up, disabled, down, exclusive (missing ones are derived).
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  // Pixels between the edge and the glyph; -1 centres glyph and caption together.
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  // Pixels between glyph and caption.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  // Buttons of one non-zero group index on one parent act as radio buttons.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);
  bool MouseInControl() const { return FMouseInControl; }
  TButtonState State() const { return FState; }
  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  // Draws the glyph and caption in Client with the state's look (shifted by one when down).
  void DrawGlyphAndCaption(TCanvas* ACanvas, TRect Client, TButtonState AState);

  TButtonState FState = bsUp;  // look of the button now

 private:
  void UpdateExclusive();
  void ButtonPressed(int Group, TSpeedButton* Sender);

  std::unique_ptr<TBitmap> FGlyph;  // owned; empty bitmap = no glyph
  TNumGlyphs FNumGlyphs = 1;
  bool FFlat = false;
  bool FTransparent = true;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FMouseInControl = false;
  bool FDragging = false;  // the left button went down on the button and is held
};

}  // namespace kel
