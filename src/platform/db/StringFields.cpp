// Text fields (TStringField and its wide and GUID forms) and TBooleanField with its display
// values.
#include "platform/classes/Properties.h"
#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/StdFields.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

namespace {
bool IsBlank(const Variant& Value) { return VarIsNull(Value) || VarIsEmpty(Value); }
}  // namespace

// ---- TStringField ----------------------------------------------------------------------------

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftString);
  SetSize(20);
}

const TPropList& TStringField::PublishedProperties() {
  static const TPropList list = PropertyTable<TStringField>()
                                    .Integer("Size", &TStringField::Size, &TStringField::SetSize, 20)
                                    .Boolean("FixedChar", &TStringField::FixedChar,
                                             &TStringField::SetFixedChar, false);
  return list;
}

void TStringField::SetFixedChar(bool Value) {
  if (Value == FFixedChar) return;
  FFixedChar = Value;
  SetDataType(Value ? ftFixedChar : ftString);
  PropertyChanged(false);
}

String TStringField::AsString() const {
  Variant value;
  if (!GetData(value)) return {};
  // The value is this call's own, so its text is moved out rather than copied.
  String text = value.Kind() == Variant::vkString ? std::move(const_cast<String&>(std::get<String>(value.Data())))
                                                   : value.AsString();
  if (FFixedChar) {
    const int missing = Size() - CharLength(text);
    if (missing > 0) text.append(static_cast<std::size_t>(missing), ' ');
  }
  return text;
}

Variant TStringField::AsVariant() const {
  if (IsNull()) return Null();
  return AsString();
}

void TStringField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  SetData(Size() > 0 && CharLength(Value) > Size() ? Copy(Value, 1, Size()) : Value);
}

void TStringField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else
    SetAsString(Value.AsString());
}

int TStringField::AsInteger() const {
  const Int64 value = AsLargeInt();
  if (value < INT32_MIN || value > INT32_MAX) ConvertError(SNotAnInteger, AsString());
  return static_cast<int>(value);
}

Int64 TStringField::AsLargeInt() const {
  const String text = AsString();
  if (text.empty()) return 0;
  Int64 value = 0;
  if (!TryStrToInt64(Trim(text), value)) ConvertError(SNotAnInteger, text);
  return value;
}

double TStringField::AsFloat() const {
  const String text = AsString();
  if (text.empty()) return 0;
  double value = 0;
  if (!TryStrToFloat(Trim(text), value)) ConvertError(SNotAFloat, text);
  return value;
}

bool TStringField::AsBoolean() const {
  const String text = AsString();
  if (text.empty()) return false;
  bool value = false;
  if (!TryStrToBool(Trim(text), value)) ConvertError(SNotABoolean, text);
  return value;
}

TDateTime TStringField::AsDateTime() const {
  const String text = AsString();
  if (text.empty()) return 0;
  TDateTime value = 0;
  if (!TryStrToDateTime(Trim(text), value)) ConvertError(SNotADate, text);
  return value;
}

void TStringField::SetAsInteger(int Value) { SetAsString(IntToStr(Value)); }
void TStringField::SetAsLargeInt(Int64 Value) { SetAsString(IntToStr(Value)); }
void TStringField::SetAsFloat(double Value) { SetAsString(FloatToStr(Value)); }
void TStringField::SetAsBoolean(bool Value) { SetAsString(BoolToStr(Value, true)); }
void TStringField::SetAsDateTime(TDateTime Value) { SetAsString(DateTimeToStr(Value)); }

TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner) {
  SetDataType(ftWideString);
}

TGuidField::TGuidField(TComponent* AOwner) : TStringField(AOwner) {
  SetDataType(ftGuid);
  SetSize(38);
}

const TPropList& TGuidField::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TGuidField>().Integer("Size", &TGuidField::Size, &TGuidField::SetSize, 38);
  return list;
}

// ---- TBooleanField ---------------------------------------------------------------------------

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftBoolean); }

const TPropList& TBooleanField::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TBooleanField>().String("DisplayValues", &TBooleanField::DisplayValues,
                                            &TBooleanField::SetDisplayValues, "True;False");
  return list;
}

void TBooleanField::SetDisplayValues(const String& Value) {
  if (Value == FDisplayValues) return;
  if (Value.empty() || Value == ";") DatabaseErrorFmt(SInvalidBoolDisplayValues, {Value}, DataSet());
  const std::size_t separator = Value.find(';');
  FDisplayValues = Value;
  FTrueText = Value.substr(0, separator);
  FFalseText = separator == String::npos ? String() : Value.substr(separator + 1);
  PropertyChanged(false);
}

int TBooleanField::DefaultDisplayWidth() const {
  return std::max(CharLength(FTrueText), CharLength(FFalseText));
}

bool TBooleanField::AsBoolean() const {
  Variant value;
  return GetData(value) && value.AsBoolean();
}

Variant TBooleanField::AsVariant() const {
  Variant value;
  if (!GetData(value)) return Null();
  return value.AsBoolean();
}

String TBooleanField::AsString() const {
  Variant value;
  if (!GetData(value)) return {};
  return value.AsBoolean() ? FTrueText : FFalseText;
}

void TBooleanField::GetText(String& Text, bool DisplayText) const { Text = AsString(); }

void TBooleanField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  // The typed text may be the start of either display value.
  const int length = CharLength(Value);
  if (!FFalseText.empty() && SameText(Copy(FFalseText, 1, length), Value))
    SetAsBoolean(false);
  else if (!FTrueText.empty() && SameText(Copy(FTrueText, 1, length), Value))
    SetAsBoolean(true);
  else
    ConvertError(SNotABoolean, Value);
}

void TBooleanField::SetAsBoolean(bool Value) { SetData(Value); }
int TBooleanField::AsInteger() const { return AsBoolean() ? 1 : 0; }
void TBooleanField::SetAsInteger(int Value) { SetAsBoolean(Value != 0); }

void TBooleanField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else
    SetAsBoolean(Value.AsBoolean());
}

}  // namespace kel
