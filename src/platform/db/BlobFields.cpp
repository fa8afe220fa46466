// Blob and memo fields: byte and text content, loading and saving through streams and files,
// and the "(BLOB)" style placeholder text.
#include "platform/db/BlobFields.h"

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"

namespace kel {

TBlobField::TBlobField(TComponent* AOwner) : TBlobField(AOwner, ftBlob) {}

TBlobField::TBlobField(TComponent* AOwner, TFieldType Type) : TField(AOwner) { SetDataType(Type); }

String TBlobField::AsString() const {
  Variant value;
  return GetData(value) ? value.AsString() : String();
}

Variant TBlobField::AsVariant() const {
  Variant value;
  if (!GetData(value)) return Null();
  return value.AsString();
}

void TBlobField::SetAsString(const String& Value) {
  if (Value.empty())
    Clear();
  else
    SetData(Value);
}

void TBlobField::SetAsVariant(const Variant& Value) {
  if (VarIsNull(Value) || VarIsEmpty(Value))
    Clear();
  else
    SetAsString(Value.AsString());
}

int TBlobField::BlobSize() const { return static_cast<int>(AsString().size()); }

void TBlobField::LoadFromStream(TStream* Stream) { SetAsString(Stream->ReadToEnd()); }

void TBlobField::SaveToStream(TStream* Stream) const {
  const String bytes = AsString();
  Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TBlobField::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadFromStream(&stream);
}

void TBlobField::SaveToFile(const String& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

String TBlobField::BlobTypeName() const {
  switch (DataType()) {
    case ftMemo: return "Memo";
    case ftWideMemo: return "WideMemo";
    case ftFmtMemo: return "FmtMemo";
    case ftGraphic: return "Graphic";
    case ftParadoxOle: return "ParadoxOle";
    case ftDBaseOle: return "DBaseOle";
    case ftTypedBinary: return "TypedBinary";
    case ftBytes: return "Bytes";
    case ftVarBytes: return "VarBytes";
    case ftOraBlob: return "OraBlob";
    case ftOraClob: return "OraClob";
    default: return "Blob";
  }
}

void TBlobField::GetText(String& Text, bool DisplayText) const {
  const String name = BlobTypeName();
  Text = "(" + (IsNull() ? name : UpperCase(name)) + ")";
}

TMemoField::TMemoField(TComponent* AOwner) : TMemoField(AOwner, ftMemo) {}
TMemoField::TMemoField(TComponent* AOwner, TFieldType Type) : TBlobField(AOwner, Type) {}
TWideMemoField::TWideMemoField(TComponent* AOwner) : TMemoField(AOwner, ftWideMemo) {}
TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner, ftGraphic) {}

}  // namespace kel
