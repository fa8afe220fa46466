// TGraphic's file helpers and change notification; TPicture with the registry of graphic
// formats (extension, description, class, signature), BMP and PNG registered from the start.
#include "platform/graphics/Graphic.h"

#include <algorithm>
#include <cctype>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ImageCodecs.h"

namespace kel {

namespace {

std::vector<TFileFormat>& Formats() {
  static std::vector<TFileFormat> formats{
      {"bmp", "Bitmaps", &TBitmap::ClassInfo(), String(codecs::BmpSignature)},
      {"png", "Portable Network Graphics", &TPngImage::ClassInfo(), String(codecs::PngSignature)},
  };
  return formats;
}

String LowerAscii(std::string_view text) {
  String lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// The extension of a file name without the dot, lower case; empty when there is none.
String ExtensionOf(const String& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == String::npos || (slash != String::npos && dot < slash)) return {};
  return LowerAscii(std::string_view(fileName).substr(dot + 1));
}

}  // namespace

// ---- TGraphic ----

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

void TGraphic::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed();
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

// ---- TPicture ----

TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

std::unique_ptr<TGraphic> TPicture::NewGraphic(TClass graphicClass) {
  std::unique_ptr<TObject> made(graphicClass->CreateObject());
  auto* graphic = dynamic_cast<TGraphic*>(made.get());
  if (!graphic) throw EInvalidGraphic(String(graphicClass->Name) + " is not a graphic class");
  made.release();
  return std::unique_ptr<TGraphic>(graphic);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == FGraphic.get()) return;
  if (!Value) {
    Adopt(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = NewGraphic(&Value->ClassType());
  copy->Assign(Value);
  Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Adopt(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(picture->Graphic());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::AssignTo(TPersistent* Dest) {
  if (auto* graphic = dynamic_cast<TGraphic*>(Dest); graphic && FGraphic) {
    graphic->Assign(FGraphic.get());
    return;
  }
  TPersistent::AssignTo(Dest);
}

void TPicture::LoadFromFile(const String& FileName) {
  const String extension = ExtensionOf(FileName);
  for (const TFileFormat& format : Formats()) {
    if (format.Extension != extension) continue;
    std::unique_ptr<TGraphic> graphic = NewGraphic(format.GraphicClass);
    graphic->LoadFromFile(FileName);
    Adopt(std::move(graphic));
    return;
  }
  throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
  const Int64 start = Stream->Position();
  char head[16] = {};
  const Int64 got = Stream->Read(head, sizeof head);
  Stream->SetPosition(start);
  const std::string_view bytes(head, static_cast<std::size_t>(std::max<Int64>(got, 0)));
  for (const TFileFormat& format : Formats()) {
    if (format.Signature.empty() || !codecs::HasSignature(bytes, format.Signature)) continue;
    std::unique_ptr<TGraphic> graphic = NewGraphic(format.GraphicClass);
    graphic->LoadFromStream(Stream);
    Adopt(std::move(graphic));
    return;
  }
  throw EInvalidGraphic("Unknown picture format");
}

void TPicture::SaveToStream(TStream* Stream) {
  if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  TClass GraphicClass, std::string_view Signature) {
  if (!GraphicClass || !GraphicClass->InheritsFrom(TGraphic::ClassInfo()) ||
      !GraphicClass->ObjectFactory)
    throw EInvalidGraphic("RegisterFileFormat needs a concrete graphic class");
  String extension = LowerAscii(Extension);
  if (extension.starts_with('.')) extension.erase(0, 1);
  if (extension.empty()) throw EInvalidGraphic("RegisterFileFormat needs an extension");
  TFileFormat format{extension, Description, GraphicClass, String(Signature)};
  std::vector<TFileFormat>& formats = Formats();
  auto same = std::find_if(formats.begin(), formats.end(),
                           [&](const TFileFormat& f) { return f.Extension == extension; });
  if (same != formats.end())
    *same = std::move(format);
  else
    formats.push_back(std::move(format));
}

void TPicture::UnregisterGraphicClass(TClass GraphicClass) {
  std::erase_if(Formats(), [&](const TFileFormat& f) { return f.GraphicClass == GraphicClass; });
}

const std::vector<TFileFormat>& TPicture::FileFormats() { return Formats(); }

}  // namespace kel
