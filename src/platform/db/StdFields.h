// The scalar field classes: text, integers, floating point, currency and BCD, Booleans, dates
// and times, SQL time stamps.
//
// Stored Variant kinds: text String; ftSmallint, ftInteger, ftWord, ftAutoInc Integer;
// ftLargeint Int64; ftBoolean Boolean; ftFloat and ftCurrency Double; ftBCD Currency; ftFMTBcd
// FMTBcd; dates and times Date; ftTimeStamp SQLTimeStamp. Each class reads any kind that
// converts to its own.
#pragma once

#include "platform/db/Field.h"
#include "platform/rtl/FMTBcd.h"
#include "platform/rtl/SQLTimeStamp.h"

namespace kel {

// ---- Text ---------------------------------------------------------------------------------------

// Text of at most Size characters (20 by default); longer text is cut to Size.
class TStringField : public TField {
  KEL_CLASS(TStringField, TField)

 public:
  explicit TStringField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  int AsInteger() const override;
  void SetAsInteger(int Value) override;
  Int64 AsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double AsFloat() const override;
  void SetAsFloat(double Value) override;
  bool AsBoolean() const override;
  void SetAsBoolean(bool Value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime Value) override;
  // The stored text keeps trailing blanks; FixedChar fields pad to Size when read.
  bool FixedChar() const { return FFixedChar; }
  void SetFixedChar(bool Value);

 protected:
  int DefaultDisplayWidth() const override { return Size(); }

 private:
  bool FFixedChar = false;  // ftFixedChar: padded to Size with blanks
};

// The same over ftWideString (every String is Unicode here; the type is kept for the schema).
class TWideStringField : public TStringField {
  KEL_CLASS(TWideStringField, TStringField)

 public:
  explicit TWideStringField(TComponent* AOwner);
};

class TGuidField : public TStringField {
  KEL_CLASS(TGuidField, TStringField)

 public:
  explicit TGuidField(TComponent* AOwner);
  static const TPropList& PublishedProperties();
};

// ---- Numbers ------------------------------------------------------------------------------------

// Right-aligned numbers with FormatFloat pictures for display and editing.
class TNumericField : public TField {
  KEL_CLASS(TNumericField, TField)

 public:
  explicit TNumericField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& Value);
  const String& EditFormat() const { return FEditFormat; }
  void SetEditFormat(const String& Value);

 protected:
  // The picture for the text kind asked for; empty when none applies.
  const String& FormatFor(bool DisplayText) const;

 private:
  String FDisplayFormat;  // FormatFloat picture for DisplayText; empty = plain
  String FEditFormat;     // FormatFloat picture for EditText; empty = plain
};

// 32-bit integers within [MinValue, MaxValue] (both 0 = the type's whole range).
class TIntegerField : public TNumericField {
  KEL_CLASS(TIntegerField, TNumericField)

 public:
  explicit TIntegerField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  int AsInteger() const override;
  void SetAsInteger(int Value) override;
  Int64 AsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double AsFloat() const override;
  void SetAsFloat(double Value) override;
  bool IsValidChar(Char C) const override;

  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value) { FMinValue = Value; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value) { FMaxValue = Value; }

 protected:
  TIntegerField(TComponent* AOwner, TFieldType Type, Int64 TypeMin, Int64 TypeMax);
  void GetText(String& Text, bool DisplayText) const override;
  int DefaultDisplayWidth() const override { return 11; }
  // Stores Value after the range check.
  void StoreChecked(Int64 Value);

 private:
  Int64 FTypeMin;       // smallest value the type holds
  Int64 FTypeMax;       // largest value the type holds
  int FMinValue = 0;    // user range; both 0 = none
  int FMaxValue = 0;
};

class TSmallintField : public TIntegerField {
  KEL_CLASS(TSmallintField, TIntegerField)

 public:
  explicit TSmallintField(TComponent* AOwner);

 protected:
  int DefaultDisplayWidth() const override { return 6; }
};

class TWordField : public TIntegerField {
  KEL_CLASS(TWordField, TIntegerField)

 public:
  explicit TWordField(TComponent* AOwner);

 protected:
  int DefaultDisplayWidth() const override { return 5; }
};

// Numbered by the data set when a new record is posted without a value.
class TAutoIncField : public TIntegerField {
  KEL_CLASS(TAutoIncField, TIntegerField)

 public:
  explicit TAutoIncField(TComponent* AOwner);
};

class TLargeintField : public TNumericField {
  KEL_CLASS(TLargeintField, TNumericField)

 public:
  explicit TLargeintField(TComponent* AOwner);

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  int AsInteger() const override;
  void SetAsInteger(int Value) override;
  Int64 AsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double AsFloat() const override;
  void SetAsFloat(double Value) override;
  bool IsValidChar(Char C) const override;

 protected:
  void GetText(String& Text, bool DisplayText) const override;
  int DefaultDisplayWidth() const override { return 15; }
};

// Doubles shown with Precision significant digits (15), or as money when Currency is set.
class TFloatField : public TNumericField {
  KEL_CLASS(TFloatField, TNumericField)

 public:
  explicit TFloatField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  int AsInteger() const override;
  void SetAsInteger(int Value) override;
  Int64 AsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double AsFloat() const override;
  void SetAsFloat(double Value) override;
  Currency AsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  bool IsValidChar(Char C) const override;

  bool IsCurrency() const { return FCurrency; }
  void SetCurrency(bool Value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  // Range check when not both 0.
  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value) { FMinValue = Value; }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value) { FMaxValue = Value; }

 protected:
  TFloatField(TComponent* AOwner, TFieldType Type);
  void GetText(String& Text, bool DisplayText) const override;

 private:
  bool FCurrency = false;  // shown as money (ffCurrency) and summed as Currency
  int FPrecision = 15;     // significant digits of the plain text, 2..15
  double FMinValue = 0;
  double FMaxValue = 0;
};

// A float field with the currency flag set.
class TCurrencyField : public TFloatField {
  KEL_CLASS(TCurrencyField, TFloatField)

 public:
  explicit TCurrencyField(TComponent* AOwner);
  static const TPropList& PublishedProperties();
};

// Fixed-point values held as Currency; Size is the digits after the point (at most 4).
class TBCDField : public TNumericField {
  KEL_CLASS(TBCDField, TNumericField)

 public:
  explicit TBCDField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  int AsInteger() const override;
  void SetAsInteger(int Value) override;
  Int64 AsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double AsFloat() const override;
  void SetAsFloat(double Value) override;
  Currency AsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  bool IsValidChar(Char C) const override;

  bool IsCurrency() const { return FCurrency; }
  void SetCurrency(bool Value);
  // Total digits; 0 = unlimited.
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value) { FPrecision = Value; }

 protected:
  void GetText(String& Text, bool DisplayText) const override;

 private:
  bool FCurrency = false;  // shown as money
  int FPrecision = 0;      // total digits; 0 = any
};

// Exact decimals of up to 38 digits (TBcd); Size is the scale, Precision the total digits.
class TFMTBCDField : public TNumericField {
  KEL_CLASS(TFMTBCDField, TNumericField)

 public:
  explicit TFMTBCDField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  int AsInteger() const override;
  void SetAsInteger(int Value) override;
  Int64 AsLargeInt() const override;
  void SetAsLargeInt(Int64 Value) override;
  double AsFloat() const override;
  void SetAsFloat(double Value) override;
  Currency AsCurrency() const override;
  void SetAsCurrency(Currency Value) override;
  bool IsValidChar(Char C) const override;
  TBcd AsBCD() const;
  void SetAsBCD(const TBcd& Value);

  bool IsCurrency() const { return FCurrency; }
  void SetCurrency(bool Value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value) { FPrecision = Value; }

 protected:
  void GetText(String& Text, bool DisplayText) const override;
  int DefaultDisplayWidth() const override { return 15; }

 private:
  bool FCurrency = false;  // shown as money
  int FPrecision = 18;     // total digits
};

// ---- Booleans -----------------------------------------------------------------------------------

// Shown through DisplayValues "TrueText;FalseText" ("True;False"). Text that starts (letter case
// ignored) like one of the two sets the value; "" clears.
class TBooleanField : public TField {
  KEL_CLASS(TBooleanField, TField)

 public:
  explicit TBooleanField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  bool AsBoolean() const override;
  void SetAsBoolean(bool Value) override;
  int AsInteger() const override;
  void SetAsInteger(int Value) override;

  const String& DisplayValues() const { return FDisplayValues; }
  void SetDisplayValues(const String& Value);

 protected:
  void GetText(String& Text, bool DisplayText) const override;
  int DefaultDisplayWidth() const override;

 private:
  String FDisplayValues = "True;False";
  String FTrueText = "True";    // part of FDisplayValues before ";"
  String FFalseText = "False";  // part after ";"
};

// ---- Dates and times ----------------------------------------------------------------------------

// Date and time in one value; DisplayFormat is a FormatDateTime pattern (empty = the short date
// and, when there is one, the long time).
class TDateTimeField : public TField {
  KEL_CLASS(TDateTimeField, TField)

 public:
  explicit TDateTimeField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime Value) override;
  double AsFloat() const override;
  void SetAsFloat(double Value) override;

  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& Value);

 protected:
  TDateTimeField(TComponent* AOwner, TFieldType Type);
  void GetText(String& Text, bool DisplayText) const override;
  int DefaultDisplayWidth() const override { return 18; }
  // The value as this type keeps it (a date drops the time, a time the date).
  virtual TDateTime Normalized(TDateTime Value) const { return Value; }
  // The pattern for the plain text of this type.
  virtual String DefaultFormat() const;
  // Parses text the way this type reads it.
  virtual bool TryParse(const String& Text, TDateTime& Value) const;

 private:
  String FDisplayFormat;  // FormatDateTime pattern for DisplayText; empty = DefaultFormat
};

class TDateField : public TDateTimeField {
  KEL_CLASS(TDateField, TDateTimeField)

 public:
  explicit TDateField(TComponent* AOwner);

 protected:
  int DefaultDisplayWidth() const override { return 10; }
  TDateTime Normalized(TDateTime Value) const override;
  String DefaultFormat() const override;
  bool TryParse(const String& Text, TDateTime& Value) const override;
};

class TTimeField : public TDateTimeField {
  KEL_CLASS(TTimeField, TDateTimeField)

 public:
  explicit TTimeField(TComponent* AOwner);

 protected:
  int DefaultDisplayWidth() const override { return 10; }
  TDateTime Normalized(TDateTime Value) const override;
  String DefaultFormat() const override;
  bool TryParse(const String& Text, TDateTime& Value) const override;
};

// Date and time as a TSQLTimeStamp.
class TSQLTimeStampField : public TField {
  KEL_CLASS(TSQLTimeStampField, TField)

 public:
  explicit TSQLTimeStampField(TComponent* AOwner);
  static const TPropList& PublishedProperties();

  Variant AsVariant() const override;
  void SetAsVariant(const Variant& Value) override;
  String AsString() const override;
  void SetAsString(const String& Value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime Value) override;
  TSQLTimeStamp AsSQLTimeStamp() const;
  void SetAsSQLTimeStamp(const TSQLTimeStamp& Value);

  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& Value);

 protected:
  void GetText(String& Text, bool DisplayText) const override;
  int DefaultDisplayWidth() const override { return 18; }

 private:
  String FDisplayFormat;  // FormatDateTime pattern for DisplayText; empty = date and time
};

}  // namespace kel
