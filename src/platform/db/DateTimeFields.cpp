// Date and time fields (date-time, date, time) and SQL time stamps.
//
// Plain text: a date shows the short date, a time the long time, a date-time both (the time only
// when it is not midnight). DisplayFormat replaces the pattern for DisplayText.
#include "platform/classes/Properties.h"
#include "platform/db/DBConsts.h"
#include "platform/db/StdFields.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"

namespace kel {

namespace {
bool IsBlank(const Variant& Value) { return VarIsNull(Value) || VarIsEmpty(Value); }
}  // namespace

// ---- TDateTimeField --------------------------------------------------------------------------

TDateTimeField::TDateTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftDateTime) {}

TDateTimeField::TDateTimeField(TComponent* AOwner, TFieldType Type) : TField(AOwner) {
  SetDataType(Type);
}

const TPropList& TDateTimeField::PublishedProperties() {
  static const TPropList list = PropertyTable<TDateTimeField>().String(
      "DisplayFormat", &TDateTimeField::DisplayFormat, &TDateTimeField::SetDisplayFormat);
  return list;
}

void TDateTimeField::SetDisplayFormat(const String& Value) {
  if (Value == FDisplayFormat) return;
  FDisplayFormat = Value;
  PropertyChanged(false);
}

String TDateTimeField::DefaultFormat() const { return {}; }

bool TDateTimeField::TryParse(const String& Text, TDateTime& Value) const {
  return TryStrToDateTime(Text, Value);
}

TDateTime TDateTimeField::AsDateTime() const {
  Variant value;
  return GetData(value) ? Normalized(VarToDateTime(value)) : 0.0;
}

Variant TDateTimeField::AsVariant() const {
  if (IsNull()) return Null();
  return Variant::FromDate(AsDateTime());
}

double TDateTimeField::AsFloat() const { return AsDateTime(); }

void TDateTimeField::GetText(String& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  const String format = DisplayText && !FDisplayFormat.empty() ? FDisplayFormat : DefaultFormat();
  Text = FormatDateTime(format, AsDateTime());
}

String TDateTimeField::AsString() const {
  String text;
  GetText(text, false);
  return text;
}

void TDateTimeField::SetAsDateTime(TDateTime Value) { SetData(Variant::FromDate(Normalized(Value))); }
void TDateTimeField::SetAsFloat(double Value) { SetAsDateTime(Value); }

void TDateTimeField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  TDateTime value = 0;
  if (!TryParse(Value, value)) ConvertError(SNotADate, Value);
  SetAsDateTime(value);
}

void TDateTimeField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else
    SetAsDateTime(VarToDateTime(Value));
}

// ---- TDateField, TTimeField ------------------------------------------------------------------

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner, ftDate) {}
TDateTime TDateField::Normalized(TDateTime Value) const { return DateOf(Value); }
String TDateField::DefaultFormat() const { return FormatSettings.ShortDateFormat; }
bool TDateField::TryParse(const String& Text, TDateTime& Value) const {
  return TryStrToDate(Text, Value);
}

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftTime) {}
TDateTime TTimeField::Normalized(TDateTime Value) const { return TimeOf(Value); }
String TTimeField::DefaultFormat() const { return FormatSettings.LongTimeFormat; }
bool TTimeField::TryParse(const String& Text, TDateTime& Value) const {
  return TryStrToTime(Text, Value);
}

// ---- TSQLTimeStampField ----------------------------------------------------------------------

TSQLTimeStampField::TSQLTimeStampField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftTimeStamp);
}

const TPropList& TSQLTimeStampField::PublishedProperties() {
  static const TPropList list = PropertyTable<TSQLTimeStampField>().String(
      "DisplayFormat", &TSQLTimeStampField::DisplayFormat, &TSQLTimeStampField::SetDisplayFormat);
  return list;
}

void TSQLTimeStampField::SetDisplayFormat(const String& Value) {
  if (Value == FDisplayFormat) return;
  FDisplayFormat = Value;
  PropertyChanged(false);
}

TSQLTimeStamp TSQLTimeStampField::AsSQLTimeStamp() const {
  Variant value;
  return GetData(value) ? VarToSQLTimeStamp(value) : TSQLTimeStamp{};
}

Variant TSQLTimeStampField::AsVariant() const {
  if (IsNull()) return Null();
  return VarSQLTimeStampCreate(AsSQLTimeStamp());
}

TDateTime TSQLTimeStampField::AsDateTime() const {
  return IsNull() ? 0.0 : SQLTimeStampToDateTime(AsSQLTimeStamp());
}

void TSQLTimeStampField::GetText(String& Text, bool DisplayText) const {
  if (IsNull()) {
    Text.clear();
    return;
  }
  Text = FormatDateTime(DisplayText ? FDisplayFormat : String(), AsDateTime());
}

String TSQLTimeStampField::AsString() const {
  String text;
  GetText(text, false);
  return text;
}

void TSQLTimeStampField::SetAsSQLTimeStamp(const TSQLTimeStamp& Value) {
  SQLTimeStampToDateTime(Value);  // raises EConvertError for fields out of range
  SetData(VarSQLTimeStampCreate(Value));
}

void TSQLTimeStampField::SetAsDateTime(TDateTime Value) {
  SetAsSQLTimeStamp(DateTimeToSQLTimeStamp(Value));
}

void TSQLTimeStampField::SetAsString(const String& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  TDateTime value = 0;
  if (!TryStrToDateTime(Value, value)) ConvertError(SNotADate, Value);
  SetAsDateTime(value);
}

void TSQLTimeStampField::SetAsVariant(const Variant& Value) {
  if (IsBlank(Value))
    Clear();
  else if (VarIsStr(Value))
    SetAsString(Value.AsString());
  else if (VarIsSQLTimeStamp(Value) || VarIsSQLTimeStampOffset(Value))
    SetAsSQLTimeStamp(VarToSQLTimeStamp(Value));
  else
    SetAsDateTime(VarToDateTime(Value));
}

}  // namespace kel
