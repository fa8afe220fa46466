// The drawing tools: property setters and Assign of TFont, TPen and TBrush. The font's face
// (Pango description and metrics) is resolved by the text engine on first use.
#include "platform/graphics/GraphicsObjects.h"

#include <cmath>

#include "platform/graphics/TextEngine.h"

namespace kel {

namespace {

// Stores `value` into `field` and reports whether it differed.
template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// The classic MulDiv: value * numerator / denominator rounded half away from zero.
int MulDiv(int value, int numerator, int denominator) {
  return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont ----

const TPropList& TFont::PublishedProperties() {
  static const TPropList list = PropertyTable<TFont>()
      .Integer("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET)
      .Integer("Color", &TFont::Color, &TFont::SetColor, clWindowText)
      .Integer("Height", &TFont::Height, &TFont::SetHeight, DefaultHeight)
      .String("Name", &TFont::Name, &TFont::SetName, DefaultName)
      .Integer("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0)
      .Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, fpDefault)
      .Integer("Size", &TFont::Size, &TFont::SetSize)
      .Set("Style", &TFont::Style, &TFont::SetStyle, TFontStyles{})
      .Stored("Size", false);
  return list;
}

void TFont::Changed() {
  FFace = nullptr;
  TGraphicsObject::Changed();
}

const TFontFace& TFont::Face() const {
  if (!FFace) FFace = &TTextEngine::Instance().Face(FName, FHeight, FStyle);
  return *FFace;
}

bool TFont::Equals(const TFont& other) const {
  return FName == other.FName && FHeight == other.FHeight && FColor == other.FColor &&
         FStyle == other.FStyle && FCharset == other.FCharset && FPitch == other.FPitch &&
         FOrientation == other.FOrientation;
}

void TFont::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TFont*>(Source);
  if (!source) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (Equals(*source)) return;
  FName = source->FName;
  FHeight = source->FHeight;
  FColor = source->FColor;
  FStyle = source->FStyle;
  FCharset = source->FCharset;
  FPitch = source->FPitch;
  FOrientation = source->FOrientation;
  Changed();
}

void TFont::SetName(const String& value) {
  if (value.empty()) throw EInvalidArgument("A font name cannot be empty");
  if (Store(FName, value)) Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch()); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, PixelsPerInch(), 72)); }

void TFont::SetHeight(int value) {
  if (value == 0) throw EInvalidArgument("A font height cannot be 0");
  if (Store(FHeight, value)) Changed();
}

void TFont::SetColor(TColor value) {
  if (Store(FColor, value)) Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (Store(FStyle, value)) Changed();
}

void TFont::SetCharset(TFontCharset value) {
  if (Store(FCharset, value)) Changed();
}

void TFont::SetPitch(TFontPitch value) {
  if (Store(FPitch, value)) Changed();
}

void TFont::SetOrientation(int value) {
  if (Store(FOrientation, value)) Changed();
}

// ---- TPen ----

const TPropList& TPen::PublishedProperties() {
  static const TPropList list = PropertyTable<TPen>()
      .Integer("Color", &TPen::Color, &TPen::SetColor, clBlack)
      .Enum("Style", &TPen::Style, &TPen::SetStyle, psSolid)
      .Integer("Width", &TPen::Width, &TPen::SetWidth, 1);
  return list;
}

void TPen::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TPen*>(Source);
  if (!source) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (FColor == source->FColor && FWidth == source->FWidth && FStyle == source->FStyle) return;
  FColor = source->FColor;
  FWidth = source->FWidth;
  FStyle = source->FStyle;
  Changed();
}

void TPen::SetColor(TColor value) {
  if (Store(FColor, value)) Changed();
}

void TPen::SetWidth(int value) {
  if (Store(FWidth, std::max(value, 1))) Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (Store(FStyle, value)) Changed();
}

// ---- TBrush ----

const TPropList& TBrush::PublishedProperties() {
  static const TPropList list = PropertyTable<TBrush>()
      .Integer("Color", &TBrush::Color, &TBrush::SetColor, clWhite)
      .Enum("Style", &TBrush::Style, &TBrush::SetStyle, bsSolid);
  return list;
}

void TBrush::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TBrush*>(Source);
  if (!source) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (FColor == source->FColor && FStyle == source->FStyle) return;
  FColor = source->FColor;
  FStyle = source->FStyle;
  Changed();
}

void TBrush::SetColor(TColor value) {
  const bool colorChanged = Store(FColor, value);
  const bool styleChanged = FStyle == bsClear && Store(FStyle, bsSolid);
  if (colorChanged || styleChanged) Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (Store(FStyle, value)) Changed();
}

}  // namespace kel
