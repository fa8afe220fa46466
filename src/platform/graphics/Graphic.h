// TGraphic, the base of every image class, and TPicture, which holds one graphic of any
// registered class and picks the class from a file's extension or a stream's signature.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Streams.h"

namespace kel {

class TBitmap;

class TGraphic : public TPersistent {
  KEL_CLASS(TGraphic, TPersistent)

 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int value) = 0;
  // Whether drawing leaves some pixels of the background showing (see the descendant).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

  // Read from the stream's position; on failure EInvalidGraphic and the graphic is unchanged.
  virtual void LoadFromStream(TStream* Stream) = 0;
  // Written at the stream's position.
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  // Paints the graphic scaled to Rect (TCanvas::Draw and StretchDraw call this).
  virtual void Draw(TCanvas* Canvas, const TRect& Rect) = 0;

  // Fires after every change of the image or its settings.
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  bool FTransparent = false;  // see Transparent()
};

// One registered graphic format.
struct TFileFormat {
  String Extension;       // lower case, without the dot ("bmp")
  String Description;     // "Bitmaps"
  TClass GraphicClass;    // a concrete TGraphic descendant
  String Signature;       // first bytes of such files; empty when unknown
};

class TPicture : public TPersistent {
  KEL_CLASS(TPicture, TPersistent)

 public:
  TPicture() = default;
  ~TPicture() override;

  // The graphic held, or null.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of Value (a new instance of its class, assigned from it); null empties.
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap; a graphic of another class is replaced by an empty bitmap first.
  TBitmap* Bitmap();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // Accepts a TPicture, a TGraphic or null (empties).
  void Assign(TPersistent* Source) override;
  // The class comes from the extension; EInvalidGraphic "Unknown picture file extension (.x)".
  void LoadFromFile(const String& FileName);
  // Nothing is written for an empty picture.
  void SaveToFile(const String& FileName);
  // The class comes from the stream's first bytes; EInvalidGraphic when no format matches.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);

  // Registers (or re-registers) a format; `Signature` lets LoadFromStream recognise it.
  static void RegisterFileFormat(const String& Extension, const String& Description,
                                 TClass GraphicClass, std::string_view Signature = {});
  static void UnregisterGraphicClass(TClass GraphicClass);
  // The registered formats, BMP and PNG first.
  static const std::vector<TFileFormat>& FileFormats();

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent* Dest) override;

 private:
  void Changed();
  // Takes ownership of `graphic`, hooks its changes and reports the change.
  void Adopt(std::unique_ptr<TGraphic> graphic);
  static std::unique_ptr<TGraphic> NewGraphic(TClass graphicClass);

  std::unique_ptr<TGraphic> FGraphic;  // owned; null for an empty picture
};

}  // namespace kel
