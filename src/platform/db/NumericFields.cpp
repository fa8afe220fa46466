// Number fields: the integer family (with range checks), 64-bit integers, floating point with
// the currency flag, Currency-based BCD and exact FMTBcd.
//
// Text: DisplayText uses DisplayFormat, EditText uses EditFormat or else DisplayFormat (a
// FormatFloat picture); without a picture the plain form of the type.
#include <cmath>

#include "platform/classes/Properties.h"
#include "platform/db/DBConsts.h"
#include "platform/db/DataSet.h"
#include "platform/db/StdFields.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

namespace {

bool IsBlank(const Variant& Value) { return VarIsNull(Value) || VarIsEmpty(Value); }

bool IsDigitOrSign(Char C) { return (C >= '0' && C <= '9') || C == '+' || C == '-'; }

bool IsDecimalChar(Char C) {
  return IsDigitOrSign(C) || C == static_cast<Char>(FormatSettings.DecimalSeparator);
}

// Currency's range as doubles, for checks before converting.
constexpr double MaxCurrencyAsDouble = 922337203685477.0;

}  // namespace

// ---- TNumericField ---------------------------------------------------------------------------

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) { SetAlignment(taRightJustify); }

const TPropList& TNumericField::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TNumericField>()
          .Enum("Alignment", &TNumericField::Alignment, &TNumericField::SetAlignment, taRightJustify)
          .String("DisplayFormat", &TNumericField::DisplayFormat, &TNumericField::SetDisplayFormat)
          .String("EditFormat", &TNumericField::EditFormat, &TNumericField::SetEditFormat);
  return list;
}

void TNumericField::SetDisplayFormat(const String& Value) {
  if (Value == FDisplayFormat) return;
  FDisplayFormat = Value;
  PropertyChanged(false);
}

void TNumericField::SetEditFormat(const String& Value) {
  if (Value == FEditFormat) return;
  FEditFormat = Value;
  PropertyChanged(false);
}

const String& TNumericField::FormatFor(bool DisplayText) const {
  return DisplayText || FEditFormat.empty() ? FDisplayFormat : FEditFormat;
}

// ---- TIntegerField and its narrower forms ----------------------------------------------------

TIntegerField::TIntegerField(TComponent* AOwner) : TIntegerField(AOwner, ftInteger, INT32_MIN, INT32_MAX) {}

TIntegerField::TIntegerField(TComponent* AOwner, TFieldType Type, Int64 TypeMin, Int64 TypeMax)
    : TNumericField(AOwner), FTypeMin(TypeMin), FTypeMax(TypeMax) {
  SetDataType(Type);
}

const TPropList& TIntegerField::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TIntegerField>()
          .Integer("MinValue", &TIntegerField::MinValue, &TIntegerField::SetMinValue, 0)
          .Integer("MaxValue", &TIntegerField::MaxValue, &TIntegerField::SetMaxValue, 0);
  return list;
}

void TIntegerField::StoreChecked(Int64 Value) {
  Int64 low = FTypeMin, high = FTypeMax;
  if (FMinValue != 0 || FMaxValue != 0) {
    low = std::max<Int64>(low, FMinValue);
    high = std::min<Int64>(high, FMaxValue);
  }
  if (Value < low || Value > high)
    DatabaseErrorFmt(SFieldRangeError, {IntToStr(Value), DisplayName(), IntToStr(low), IntToStr(high)});
  SetData(static_cast<std::int32_t>(Value));
}

Variant TIntegerField::AsVariant() const {
  Variant value;
  if (!GetData(value)) return Null();
  return value.AsInteger();
}

int TIntegerField::AsInteger() const {
  Variant value;
  return GetData(value) ? value.AsInteger() : 0;
}

Int64 TIntegerField::AsLargeInt() const { return AsInteger(); }
double TIntegerField::AsFloat() const { return AsInteger(); }

String TIntegerField::AsString() const { return IsNull() ? String() : IntToStr(AsInteger()); }

void TIntegerField::GetText(String& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  const String& format = FormatFor(DisplayText);
  Text = format.empty() ? IntToStr(AsInteger()) : FormatFloat(format, AsInteger());
}

void TIntegerField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  Int64 number = 0;
  if (!TryStrToInt64(Value, number)) ConvertError(SNotAnInteger, Value);
  StoreChecked(number);
}

void TIntegerField::SetAsInteger(int Value) { StoreChecked(Value); }
void TIntegerField::SetAsLargeInt(Int64 Value) { StoreChecked(Value); }

void TIntegerField::SetAsFloat(double Value) {
  const double rounded = std::nearbyint(Value);
  if (!(std::fabs(rounded) < 9.2e18))
    DatabaseErrorFmt(SFieldRangeError, {FloatToStr(Value), DisplayName(), IntToStr(FTypeMin), IntToStr(FTypeMax)});
  StoreChecked(static_cast<Int64>(rounded));
}

void TIntegerField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else if (VarIsFloat(Value) || VarType(Value) == varDate)
    SetAsFloat(Value.AsDouble());
  else
    SetAsLargeInt(Value.AsInt64());
}

bool TIntegerField::IsValidChar(Char C) const { return IsDigitOrSign(C); }

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner, ftSmallint, -32768, 32767) {}
TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner, ftWord, 0, 65535) {}
TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner, ftAutoInc, INT32_MIN, INT32_MAX) {}

// ---- TLargeintField --------------------------------------------------------------------------

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftLargeint); }

Variant TLargeintField::AsVariant() const {
  Variant value;
  if (!GetData(value)) return Null();
  return value.AsInt64();
}

Int64 TLargeintField::AsLargeInt() const {
  Variant value;
  return GetData(value) ? value.AsInt64() : 0;
}

int TLargeintField::AsInteger() const {
  const Int64 value = AsLargeInt();
  if (value < INT32_MIN || value > INT32_MAX)
    DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  return static_cast<int>(value);
}

double TLargeintField::AsFloat() const { return static_cast<double>(AsLargeInt()); }
String TLargeintField::AsString() const { return IsNull() ? String() : IntToStr(AsLargeInt()); }

void TLargeintField::GetText(String& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  const String& format = FormatFor(DisplayText);
  Text = format.empty() ? IntToStr(AsLargeInt()) : FormatFloat(format, static_cast<double>(AsLargeInt()));
}

void TLargeintField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  Int64 number = 0;
  if (!TryStrToInt64(Value, number)) ConvertError(SNotAnInteger, Value);
  SetAsLargeInt(number);
}

void TLargeintField::SetAsLargeInt(Int64 Value) { SetData(Value); }
void TLargeintField::SetAsInteger(int Value) { SetAsLargeInt(Value); }

void TLargeintField::SetAsFloat(double Value) {
  const double rounded = std::nearbyint(Value);
  if (!(std::fabs(rounded) < 9.2e18)) DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  SetAsLargeInt(static_cast<Int64>(rounded));
}

void TLargeintField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else if (VarIsFloat(Value))
    SetAsFloat(Value.AsDouble());
  else
    SetAsLargeInt(Value.AsInt64());
}

bool TLargeintField::IsValidChar(Char C) const { return IsDigitOrSign(C); }

// ---- TFloatField -----------------------------------------------------------------------------

TFloatField::TFloatField(TComponent* AOwner) : TFloatField(AOwner, ftFloat) {}

TFloatField::TFloatField(TComponent* AOwner, TFieldType Type) : TNumericField(AOwner) {
  SetDataType(Type);
}

const TPropList& TFloatField::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TFloatField>()
          .Boolean("Currency", &TFloatField::IsCurrency, &TFloatField::SetCurrency, false)
          .Integer("Precision", &TFloatField::Precision, &TFloatField::SetPrecision, 15)
          .Float("MinValue", &TFloatField::MinValue, &TFloatField::SetMinValue)
          .Float("MaxValue", &TFloatField::MaxValue, &TFloatField::SetMaxValue);
  return list;
}

void TFloatField::SetCurrency(bool Value) {
  if (Value == FCurrency) return;
  FCurrency = Value;
  PropertyChanged(false);
}

void TFloatField::SetPrecision(int Value) {
  const int precision = std::clamp(Value, 2, 15);
  if (precision == FPrecision) return;
  FPrecision = precision;
  PropertyChanged(false);
}

double TFloatField::AsFloat() const {
  Variant value;
  if (!GetData(value)) return 0.0;
  return value.Kind() == Variant::vkDouble ? std::get<double>(value.Data()) : value.AsDouble();
}

Variant TFloatField::AsVariant() const {
  if (IsNull()) return Null();
  return AsFloat();
}

String TFloatField::AsString() const {
  return IsNull() ? String() : FloatToStrF(AsFloat(), ffGeneral, FPrecision, 0);
}

int TFloatField::AsInteger() const {
  Variant value;
  return GetData(value) ? Variant(value.AsDouble()).AsInteger() : 0;
}

Int64 TFloatField::AsLargeInt() const {
  Variant value;
  return GetData(value) ? Variant(value.AsDouble()).AsInt64() : 0;
}

Currency TFloatField::AsCurrency() const { return Currency::FromDouble(AsFloat()); }

void TFloatField::GetText(String& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  const double value = AsFloat();
  const String& format = FormatFor(DisplayText);
  if (!format.empty())
    Text = FormatFloat(format, value);
  else if (FCurrency)
    Text = FloatToStrF(value, DisplayText ? ffCurrency : ffFixed, FPrecision,
                       FormatSettings.CurrencyDecimals);
  else
    Text = FloatToStrF(value, ffGeneral, FPrecision, 0);
}

void TFloatField::SetAsFloat(double Value) {
  if ((FMinValue != 0 || FMaxValue != 0) && (Value < FMinValue || Value > FMaxValue))
    DatabaseErrorFmt(SFieldRangeError,
                     {FloatToStr(Value), DisplayName(), FloatToStr(FMinValue), FloatToStr(FMaxValue)});
  if (!std::isfinite(Value)) DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  SetData(Value);
}

void TFloatField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  double number = 0;
  if (!TryStrToFloat(Value, number)) ConvertError(SNotAFloat, Value);
  SetAsFloat(number);
}

void TFloatField::SetAsInteger(int Value) { SetAsFloat(Value); }
void TFloatField::SetAsLargeInt(Int64 Value) { SetAsFloat(static_cast<double>(Value)); }
void TFloatField::SetAsCurrency(Currency Value) { SetAsFloat(Value.ToDouble()); }

void TFloatField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else
    SetAsFloat(Value.AsDouble());
}

bool TFloatField::IsValidChar(Char C) const { return IsDecimalChar(C) || C == 'E' || C == 'e'; }

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner, ftCurrency) {
  SetCurrency(true);
}

const TPropList& TCurrencyField::PublishedProperties() {
  static const TPropList list = PropertyTable<TCurrencyField>().Boolean(
      "Currency", &TCurrencyField::IsCurrency, &TCurrencyField::SetCurrency, true);
  return list;
}

// ---- TBCDField -------------------------------------------------------------------------------

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
  SetDataType(ftBCD);
  SetSize(4);
}

const TPropList& TBCDField::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TBCDField>()
          .Boolean("Currency", &TBCDField::IsCurrency, &TBCDField::SetCurrency, false)
          .Integer("Precision", &TBCDField::Precision, &TBCDField::SetPrecision, 0)
          .Integer("Size", &TBCDField::Size, &TBCDField::SetSize, 4);
  return list;
}

void TBCDField::SetCurrency(bool Value) {
  if (Value == FCurrency) return;
  FCurrency = Value;
  PropertyChanged(false);
}

Currency TBCDField::AsCurrency() const {
  Variant value;
  return GetData(value) ? value.AsCurrency() : Currency{};
}

Variant TBCDField::AsVariant() const {
  if (IsNull()) return Null();
  return AsCurrency();
}

String TBCDField::AsString() const { return IsNull() ? String() : CurrToStr(AsCurrency()); }
double TBCDField::AsFloat() const { return AsCurrency().ToDouble(); }
int TBCDField::AsInteger() const { return Variant(AsCurrency()).AsInteger(); }
Int64 TBCDField::AsLargeInt() const { return Variant(AsCurrency()).AsInt64(); }

void TBCDField::GetText(String& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  const Currency value = AsCurrency();
  const String& format = FormatFor(DisplayText);
  if (!format.empty())
    Text = FormatCurr(format, value);
  else if (FCurrency)
    Text = CurrToStrF(value, DisplayText ? ffCurrency : ffFixed, FormatSettings.CurrencyDecimals);
  else
    Text = CurrToStr(value);
}

void TBCDField::SetAsCurrency(Currency Value) {
  // Keep Size decimals (Currency holds four).
  Int64 unit = 1;
  for (int i = std::clamp(Size(), 0, 4); i < 4; ++i) unit *= 10;
  Int64 raw = Value.Value;
  if (unit > 1) raw = (raw >= 0 ? raw + unit / 2 : raw - unit / 2) / unit * unit;
  if (Precision() > 0) {
    Int64 limit = Currency::Scale;
    for (int i = 0; i < Precision() - std::clamp(Size(), 0, 4) && limit < INT64_MAX / 10; ++i) limit *= 10;
    if (raw >= limit || raw <= -limit) DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  }
  SetData(Currency::FromRaw(raw));
}

void TBCDField::SetAsFloat(double Value) {
  if (!(std::fabs(Value) < MaxCurrencyAsDouble)) DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  SetAsCurrency(Currency::FromDouble(Value));
}

void TBCDField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  Currency number;
  if (!TryStrToCurr(Value, number)) ConvertError(SNotABcd, Value);
  SetAsCurrency(number);
}

void TBCDField::SetAsInteger(int Value) { SetAsCurrency(Currency::FromInt(Value)); }

void TBCDField::SetAsLargeInt(Int64 Value) {
  if (Value > 922337203685477 || Value < -922337203685477)
    DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  SetAsCurrency(Currency::FromInt(Value));
}

void TBCDField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else if (VarIsFloat(Value) && VarType(Value) != varCurrency)
    SetAsFloat(Value.AsDouble());
  else
    SetAsCurrency(Value.AsCurrency());
}

bool TBCDField::IsValidChar(Char C) const { return IsDecimalChar(C); }

// ---- TFMTBCDField ----------------------------------------------------------------------------

TFMTBCDField::TFMTBCDField(TComponent* AOwner) : TNumericField(AOwner) {
  SetDataType(ftFMTBcd);
  SetSize(4);
}

const TPropList& TFMTBCDField::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TFMTBCDField>()
          .Boolean("Currency", &TFMTBCDField::IsCurrency, &TFMTBCDField::SetCurrency, false)
          .Integer("Precision", &TFMTBCDField::Precision, &TFMTBCDField::SetPrecision, 18)
          .Integer("Size", &TFMTBCDField::Size, &TFMTBCDField::SetSize, 4);
  return list;
}

void TFMTBCDField::SetCurrency(bool Value) {
  if (Value == FCurrency) return;
  FCurrency = Value;
  PropertyChanged(false);
}

TBcd TFMTBCDField::AsBCD() const {
  Variant value;
  return GetData(value) ? VarToBcd(value) : TBcd{};
}

Variant TFMTBCDField::AsVariant() const {
  if (IsNull()) return Null();
  return VarFMTBcdCreate(AsBCD());
}

String TFMTBCDField::AsString() const { return IsNull() ? String() : BcdToStr(AsBCD()); }
double TFMTBCDField::AsFloat() const { return BcdToDouble(AsBCD()); }
Currency TFMTBCDField::AsCurrency() const { return BcdToCurr(AsBCD()); }
int TFMTBCDField::AsInteger() const { return AsVariant().AsInteger(); }
Int64 TFMTBCDField::AsLargeInt() const { return IsNull() ? 0 : AsVariant().AsInt64(); }

void TFMTBCDField::GetText(String& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  const String& format = FormatFor(DisplayText);
  if (!format.empty())
    Text = FormatFloat(format, AsFloat());
  else if (FCurrency)
    Text = FloatToStrF(AsFloat(), DisplayText ? ffCurrency : ffFixed, 18, FormatSettings.CurrencyDecimals);
  else
    Text = BcdToStr(AsBCD());
}

void TFMTBCDField::SetAsBCD(const TBcd& Value) {
  const int scale = std::clamp(Size(), 0, MaxBcdDigits);
  const int precision = std::clamp(std::max(Precision(), scale), 1, MaxBcdDigits);
  TBcd normalized;
  try {
    normalized = NormalizeBcd(Value, precision, scale);
  } catch (const EOverflow&) {
    DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  }
  SetData(VarFMTBcdCreate(normalized));
}

void TFMTBCDField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  TBcd number;
  if (!TryStrToBcd(Value, number)) ConvertError(SNotABcd, Value);
  SetAsBCD(number);
}

void TFMTBCDField::SetAsFloat(double Value) {
  if (!std::isfinite(Value)) DatabaseErrorFmt(SFieldOutOfRange, {DisplayName()}, DataSet());
  SetAsBCD(DoubleToBcd(Value));
}

void TFMTBCDField::SetAsCurrency(Currency Value) { SetAsBCD(CurrToBcd(Value)); }
void TFMTBCDField::SetAsInteger(int Value) { SetAsBCD(IntegerToBcd(Value)); }
void TFMTBCDField::SetAsLargeInt(Int64 Value) { SetAsBCD(IntegerToBcd(Value)); }

void TFMTBCDField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else
    SetAsBCD(VarToBcd(Value));
}

bool TFMTBCDField::IsValidChar(Char C) const { return IsDecimalChar(C); }

}  // namespace kel
