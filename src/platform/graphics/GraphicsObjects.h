// The drawing tools a canvas holds: TFont, TPen and TBrush, each reporting every change through
// OnChange.
//
// Setters follow one discipline: an unchanged value does nothing; otherwise the value is stored
// and OnChange fires once.
#pragma once

#include <cstdint>

#include "platform/classes/Object.h"
#include "platform/classes/Properties.h"
#include "platform/graphics/Colors.h"

namespace kel {

struct TFontFace;

// Base of the drawing tools: the change notification.
class TGraphicsObject : public TPersistent {
  KEL_CLASS(TGraphicsObject, TPersistent)

 public:
  TNotifyEvent OnChange;

 protected:
  // Fires OnChange; descendants drop what they derived from the old values first.
  virtual void Changed();
};

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
KEL_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
KEL_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

using TFontCharset = std::uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;

// A font: family name, size, colour and style. Sizes are at the fixed 96 pixels per inch of the
// platform; a negative Height is the character (em) height in pixels, a positive one the cell
// height (character height plus internal leading).
class TFont : public TGraphicsObject {
  KEL_CLASS(TFont, TGraphicsObject)

 public:
  static constexpr const char* DefaultName = "DejaVu Sans";
  static constexpr int DefaultHeight = -11;  // 8 points at 96 pixels per inch

  TFont() = default;

  // Published: Charset, Color, Height, Name, Orientation, Pitch, Size (not stored: Height holds
  // it), Style.
  static const TPropList& PublishedProperties();

  void Assign(TPersistent* Source) override;
  // True when every property equals `other`'s.
  bool Equals(const TFont& other) const;

  const String& Name() const { return FName; }
  void SetName(const String& value);
  // Points: -Height * 72 / 96, rounded.
  int Size() const;
  void SetSize(int value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch value);
  // Angle of the text's baseline in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int value);
  int PixelsPerInch() const { return 96; }

  // The shaped face behind this font (see TextEngine.h); resolved on first use and kept until
  // a property that selects the face changes.
  const TFontFace& Face() const;

 protected:
  void Changed() override;

 private:
  String FName = DefaultName;              // family name handed to fontconfig
  int FHeight = DefaultHeight;             // pixels; negative = em height, positive = cell height
  TColor FColor = clWindowText;            // text colour
  TFontStyles FStyle;                      // bold, italic, underline, strike-out
  TFontCharset FCharset = DEFAULT_CHARSET;  // kept for layouts; text is always Unicode
  TFontPitch FPitch = fpDefault;           // kept for layouts; the family name picks the face
  int FOrientation = 0;                    // tenths of a degree
  mutable const TFontFace* FFace = nullptr;  // derived: face for the current name/height/style
};

enum TPenStyle : std::uint8_t {
  psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame
};
KEL_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
               "psInsideFrame")

// A pen: colour, width in pixels and dash style of lines and outlines.
class TPen : public TGraphicsObject {
  KEL_CLASS(TPen, TGraphicsObject)

 public:
  // Published: Color, Style, Width.
  static const TPropList& PublishedProperties();
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int Width() const { return FWidth; }
  // Widths below 1 draw as 1.
  void SetWidth(int value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);

 private:
  TColor FColor = clBlack;    // line colour
  int FWidth = 1;             // pixels, >= 1
  TPenStyle FStyle = psSolid;  // psClear draws no lines
};

enum TBrushStyle : std::uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};
KEL_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
               "bsBDiagonal", "bsCross", "bsDiagCross")

// A brush: colour and pattern of fills and of the background behind text.
class TBrush : public TGraphicsObject {
  KEL_CLASS(TBrush, TGraphicsObject)

 public:
  // Published: Color, Style.
  static const TPropList& PublishedProperties();
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  // A clear brush given a colour becomes solid, as the classic brush does.
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);

 private:
  TColor FColor = clWhite;      // fill colour
  TBrushStyle FStyle = bsSolid;  // bsClear fills nothing
};

}  // namespace kel
