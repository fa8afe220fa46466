// Blob fields: bytes of any length (TBlobField, TGraphicField) and text (TMemoField,
// TWideMemoField). The value travels as a String holding the bytes (the text for memos).
//
// Their text in a grid is the type's name in parentheses, upper case when there is data:
// "(BLOB)" / "(Blob)", "(MEMO)" / "(Memo)", "(GRAPHIC)" / "(Graphic)". AsString is the content.
#pragma once

#include "platform/db/Field.h"

namespace kel {

class TStream;

class TBlobField : public TField {
  KEL_CLASS(TBlobField, TField)

 public:
  explicit TBlobField(TComponent* AOwner);

  bool IsBlob() const override { return true; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  // Bytes of the value.
  int BlobSize() const;
  // Replace the value with a stream's remaining bytes, or a file's contents; write the value to a
  // stream or a file.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;
  // "Blob", "Memo", "Graphic", ... as shown in the placeholder text.
  String BlobTypeName() const;

 protected:
  TBlobField(TComponent* AOwner, TFieldType Type);
  void GetText(String& Text, bool DisplayText) const override;
};

// Text of any length.
class TMemoField : public TBlobField {
  KEL_CLASS(TMemoField, TBlobField)

 public:
  explicit TMemoField(TComponent* AOwner);

 protected:
  TMemoField(TComponent* AOwner, TFieldType Type);
};

class TWideMemoField : public TMemoField {
  KEL_CLASS(TWideMemoField, TMemoField)

 public:
  explicit TWideMemoField(TComponent* AOwner);
};

// The bytes of a picture (which format is left to the picture classes that read them).
class TGraphicField : public TBlobField {
  KEL_CLASS(TGraphicField, TBlobField)

 public:
  explicit TGraphicField(TComponent* AOwner);
};

}  // namespace kel
