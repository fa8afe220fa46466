// TParams and TParam: the `:name` parameters of an SQL text and their values.
//
// Parameters are always bound to the prepared statement, never pasted into the SQL text. Names
// ignore letter case. A parameter without a value binds NULL.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TParams;

class TParam : public TObject {
  KEL_CLASS(TParam, TObject)

 public:
  explicit TParam(const String& Name) : FName(Name) {}

  const String& Name() const { return FName; }
  const Variant& Value() const { return FValue; }
  void SetValue(const Variant& Value) { FValue = Value; }
  bool IsNull() const { return VarIsNull(FValue) || VarIsEmpty(FValue); }
  void Clear() { FValue = Null(); }
  String AsString() const { return VarToStr(FValue); }
  void SetAsString(const String& Value) { FValue = Value; }
  void SetAsInteger(int Value) { FValue = Value; }
  void SetAsLargeInt(Int64 Value) { FValue = Value; }
  void SetAsFloat(double Value) { FValue = Value; }
  void SetAsBoolean(bool Value) { FValue = Value; }
  void SetAsDateTime(TDateTime Value) { FValue = Variant::FromDate(Value); }

 private:
  String FName;          // as first written in the SQL text, without the colon
  Variant FValue = Null();
};

class TParams : public TPersistent {
  KEL_CLASS(TParams, TPersistent)

 public:
  TParams() = default;
  ~TParams() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EListError outside 0..Count-1.
  TParam* Items(int Index) const;
  // Null when there is no parameter of that name.
  TParam* FindParam(const String& Name) const;
  // Raises EDatabaseError "Parameter 'X' not found".
  TParam* ParamByName(const String& Name) const;
  // Adds a parameter (or answers the existing one of that name).
  TParam* CreateParam(const String& Name);
  void Clear() { FItems.clear(); }
  // Makes the list the parameters of SQL in order of first appearance, keeping the values of
  // names that stay.
  void ParseSQL(const String& SQL);
  // Copies names and values from another TParams.
  void Assign(TPersistent* Source) override;

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::vector<std::unique_ptr<TParam>> FItems;
};

}  // namespace kel
