// Published properties: table lookups through the class chain, dotted-path resolution, typed
// access by name (Get/Set...Prop), values as text (GetPropValue/SetPropValue) and element names.
// Also the locale-independent number text of ClassesPrivate.h.
#include "platform/classes/Properties.h"

#include <charconv>
#include <cmath>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ClassesPrivate.h"
#include "platform/classes/Component.h"

namespace kel {

namespace detail {

bool IsValidIdent(const String& Name) {
  if (Name.empty()) return false;
  auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!isAlpha(Name[0])) return false;
  for (char c : Name)
    if (!isAlpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

String FloatToText(double Value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
  return String(buffer, result.ptr);
}

bool TextToFloat(const String& Text, double& Value) {
  const char* first = Text.data();
  const char* last = first + Text.size();
  if (first != last && *first == '+') ++first;
  double parsed = 0;
  const auto result = std::from_chars(first, last, parsed);
  if (result.ec != std::errc() || result.ptr != last || !std::isfinite(parsed)) return false;
  Value = parsed;
  return true;
}

bool TextToInt64(const String& Text, Int64& Value) {
  const char* first = Text.data();
  const char* last = first + Text.size();
  if (first != last && *first == '+') ++first;
  Int64 parsed = 0;
  const auto result = std::from_chars(first, last, parsed);
  if (result.ec != std::errc() || result.ptr != last) return false;
  Value = parsed;
  return true;
}

}  // namespace detail

namespace {

[[noreturn]] void NoSuchProperty(const String& Path) {
  throw EPropertyError("Property " + Path + " does not exist");
}

[[noreturn]] void WrongKind(const String& Path, const char* KindName) {
  throw EPropertyError("Property " + Path + " is not " + KindName + " property");
}

[[noreturn]] void ReadOnly(const String& Path) {
  throw EPropertyError("Property " + Path + " is read-only");
}

TPropRef RequirePropRef(TObject* Instance, const String& Path) {
  TPropRef ref = FindPropRef(Instance, Path);
  if (!ref) NoSuchProperty(Path);
  return ref;
}

// The property at Path, which must be of one of the kinds tested by Accepts.
template <typename Accepts>
TPropRef RequireKind(TObject* Instance, const String& Path, const char* KindName, Accepts accepts) {
  TPropRef ref = RequirePropRef(Instance, Path);
  if (!accepts(*ref.Info)) WrongKind(Path, KindName);
  return ref;
}

bool IsEnumKind(const TPropInfo& info) { return info.Kind == tkEnumeration; }
bool IsOrdinalKind(const TPropInfo& info) { return info.IsOrdinal(); }

String Trimmed(const String& Text) {
  const auto first = Text.find_first_not_of(" \t");
  if (first == String::npos) return {};
  const auto last = Text.find_last_not_of(" \t");
  return Text.substr(first, last - first + 1);
}

}  // namespace

// --- Builder support --------------------------------------------------------------------------

void RaisePropertyOutOfRange(const String& Name, Int64 Value) {
  throw ERangeError(std::to_string(Value) + " is out of range for property " + Name);
}

void RaisePropertyWrongClass(const String& Name, const TObject& Value) {
  throw EPropertyError("Property " + Name + " cannot hold a " + Value.ClassName());
}

void RaiseUnknownTableEntry(const String& Name) {
  throw EPropertyError("Property " + Name + " is not declared in this table");
}

TEnumNames BooleanNames() {
  static constexpr const char* names[] = {"False", "True"};
  return names;
}

bool TPropInfo::IsBoolean() const {
  return Kind == tkEnumeration && ElementNames.data() == BooleanNames().data();
}

const TPropInfo* TPropList::Find(const String& Name) const {
  for (const TPropInfo& info : Items)
    if (SameIdent(info.Name, Name)) return &info;
  return nullptr;
}

// --- Lookup -----------------------------------------------------------------------------------

const TPropInfo* GetPropInfo(const TClassInfo& AClass, const String& PropName) {
  for (const TClassInfo* c = &AClass; c; c = c->Parent)
    if (c->Properties)
      if (const TPropInfo* info = c->Properties()->Find(PropName)) return info;
  return nullptr;
}

std::vector<const TPropInfo*> GetPropList(const TClassInfo& AClass) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &AClass; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!(*it)->Properties) continue;
    for (const TPropInfo& info : (*it)->Properties()->Items) {
      auto same = std::find_if(result.begin(), result.end(),
                               [&](const TPropInfo* p) { return SameIdent(p->Name, info.Name); });
      if (same != result.end())
        *same = &info;
      else
        result.push_back(&info);
    }
  }
  return result;
}

std::vector<const TPropInfo*> GetPropList(const TObject* Instance) {
  return GetPropList(Instance->ClassType());
}

TPropRef FindPropRef(TObject* Instance, const String& PropPath) {
  TObject* current = Instance;
  std::size_t start = 0;
  while (current) {
    const std::size_t dot = PropPath.find('.', start);
    const String name = PropPath.substr(start, dot == String::npos ? String::npos : dot - start);
    const TPropInfo* info = GetPropInfo(current->ClassType(), name);
    if (!info) return {};
    if (dot == String::npos) return {current, info};
    if (info->Kind != tkClass) return {};
    current = info->GetObj(current);
    start = dot + 1;
  }
  return {};
}

const TPropInfo* GetPropInfo(TObject* Instance, const String& PropPath) {
  return FindPropRef(Instance, PropPath).Info;
}

bool IsPublishedProp(TObject* Instance, const String& PropPath) {
  return GetPropInfo(Instance, PropPath) != nullptr;
}

// --- Typed access -----------------------------------------------------------------------------

String GetStrProp(TObject* Instance, const String& PropPath) {
  TPropRef ref = RequireKind(Instance, PropPath, "a string",
                             [](const TPropInfo& i) { return i.Kind == tkString; });
  return ref.Info->GetStr(ref.Instance);
}

String GetStrPropDef(TObject* Instance, const String& PropPath, const String& Default) {
  TPropRef ref = FindPropRef(Instance, PropPath);
  if (!ref || ref.Info->Kind != tkString) return Default;
  return ref.Info->GetStr(ref.Instance);
}

void SetStrProp(TObject* Instance, const String& PropPath, const String& Value) {
  TPropRef ref = RequireKind(Instance, PropPath, "a string",
                             [](const TPropInfo& i) { return i.Kind == tkString; });
  if (!ref.Info->SetStr) ReadOnly(PropPath);
  ref.Info->SetStr(ref.Instance, Value);
}

Int64 GetOrdProp(TObject* Instance, const String& PropPath) {
  TPropRef ref = RequireKind(Instance, PropPath, "an ordinal", IsOrdinalKind);
  return ref.Info->GetOrd(ref.Instance);
}

void SetOrdProp(TObject* Instance, const String& PropPath, Int64 Value) {
  TPropRef ref = RequireKind(Instance, PropPath, "an ordinal", IsOrdinalKind);
  if (!ref.Info->SetOrd) ReadOnly(PropPath);
  ref.Info->SetOrd(ref.Instance, Value);
}

Int64 GetInt64Prop(TObject* Instance, const String& PropPath) {
  TPropRef ref = RequireKind(Instance, PropPath, "an integer", [](const TPropInfo& i) {
    return i.Kind == tkInt64 || i.Kind == tkInteger;
  });
  return ref.Info->GetOrd(ref.Instance);
}

void SetInt64Prop(TObject* Instance, const String& PropPath, Int64 Value) {
  TPropRef ref = RequireKind(Instance, PropPath, "an integer", [](const TPropInfo& i) {
    return i.Kind == tkInt64 || i.Kind == tkInteger;
  });
  if (!ref.Info->SetOrd) ReadOnly(PropPath);
  ref.Info->SetOrd(ref.Instance, Value);
}

double GetFloatProp(TObject* Instance, const String& PropPath) {
  TPropRef ref = RequireKind(Instance, PropPath, "a float",
                             [](const TPropInfo& i) { return i.Kind == tkFloat; });
  return ref.Info->GetFloat(ref.Instance);
}

void SetFloatProp(TObject* Instance, const String& PropPath, double Value) {
  TPropRef ref = RequireKind(Instance, PropPath, "a float",
                             [](const TPropInfo& i) { return i.Kind == tkFloat; });
  if (!ref.Info->SetFloat) ReadOnly(PropPath);
  ref.Info->SetFloat(ref.Instance, Value);
}

String GetEnumProp(TObject* Instance, const String& PropPath) {
  TPropRef ref = RequireKind(Instance, PropPath, "an enumerated", IsEnumKind);
  return GetEnumName(*ref.Info, ref.Info->GetOrd(ref.Instance));
}

void SetEnumProp(TObject* Instance, const String& PropPath, const String& Value) {
  TPropRef ref = RequireKind(Instance, PropPath, "an enumerated", IsEnumKind);
  const int ordinal = GetEnumValue(*ref.Info, Trimmed(Value));
  if (ordinal < 0) throw EPropertyError("Invalid property element: " + Value);
  if (!ref.Info->SetOrd) ReadOnly(PropPath);
  ref.Info->SetOrd(ref.Instance, ordinal);
}

String GetSetProp(TObject* Instance, const String& PropPath, bool Brackets) {
  TPropRef ref = RequireKind(Instance, PropPath, "a set",
                             [](const TPropInfo& i) { return i.Kind == tkSet; });
  return SetToString(*ref.Info, ref.Info->GetOrd(ref.Instance), Brackets);
}

void SetSetProp(TObject* Instance, const String& PropPath, const String& Value) {
  TPropRef ref = RequireKind(Instance, PropPath, "a set",
                             [](const TPropInfo& i) { return i.Kind == tkSet; });
  const Int64 mask = StringToSet(*ref.Info, Value);
  if (!ref.Info->SetOrd) ReadOnly(PropPath);
  ref.Info->SetOrd(ref.Instance, mask);
}

TObject* GetObjectProp(TObject* Instance, const String& PropPath, TClass MinClass) {
  TPropRef ref = RequireKind(Instance, PropPath, "an object",
                             [](const TPropInfo& i) { return i.Kind == tkClass; });
  TObject* value = ref.Info->GetObj(ref.Instance);
  if (value && MinClass && !value->InheritsFrom(*MinClass)) return nullptr;
  return value;
}

void SetObjectProp(TObject* Instance, const String& PropPath, TObject* Value) {
  TPropRef ref = RequireKind(Instance, PropPath, "an object",
                             [](const TPropInfo& i) { return i.Kind == tkClass; });
  if (!ref.Info->SetObj) ReadOnly(PropPath);
  ref.Info->SetObj(ref.Instance, Value);
}

// --- Values as text ---------------------------------------------------------------------------

String GetPropValue(TObject* Instance, const String& PropPath) {
  TPropRef ref = RequirePropRef(Instance, PropPath);
  const TPropInfo& info = *ref.Info;
  switch (info.Kind) {
    case tkInteger:
    case tkInt64:
      return std::to_string(info.GetOrd(ref.Instance));
    case tkEnumeration:
      return GetEnumName(info, info.GetOrd(ref.Instance));
    case tkSet:
      return SetToString(info, info.GetOrd(ref.Instance));
    case tkFloat:
      return detail::FloatToText(info.GetFloat(ref.Instance));
    case tkString:
      return info.GetStr(ref.Instance);
    case tkClass: {
      auto* component = dynamic_cast<TComponent*>(info.GetObj(ref.Instance));
      return component ? component->Name() : String();
    }
    case tkMethod:
    case tkUnknown:
      break;
  }
  return {};
}

void SetPropValue(TObject* Instance, const String& PropPath, const String& Value) {
  TPropRef ref = RequirePropRef(Instance, PropPath);
  const TPropInfo& info = *ref.Info;
  auto invalid = [&]() -> void {
    throw EConvertError("'" + Value + "' is not a valid value for property " + PropPath);
  };
  switch (info.Kind) {
    case tkInteger:
    case tkInt64: {
      Int64 number = 0;
      if (!detail::TextToInt64(Trimmed(Value), number)) invalid();
      SetOrdProp(Instance, PropPath, number);
      return;
    }
    case tkEnumeration:
      if (GetEnumValue(info, Trimmed(Value)) < 0) invalid();
      SetEnumProp(Instance, PropPath, Value);
      return;
    case tkSet: {
      Int64 mask = 0;
      try {
        mask = StringToSet(info, Value);
      } catch (const EPropertyError&) {
        invalid();
      }
      SetOrdProp(Instance, PropPath, mask);
      return;
    }
    case tkFloat: {
      double number = 0;
      if (!detail::TextToFloat(Trimmed(Value), number)) invalid();
      SetFloatProp(Instance, PropPath, number);
      return;
    }
    case tkString:
      SetStrProp(Instance, PropPath, Value);
      return;
    case tkClass:
    case tkMethod:
    case tkUnknown:
      break;
  }
  throw EPropertyError("Property " + PropPath + " cannot be set from text");
}

// --- Element names ----------------------------------------------------------------------------

String GetEnumName(const TPropInfo& Info, Int64 Value) {
  if (Value < 0 || Value >= static_cast<Int64>(Info.ElementNames.size())) return {};
  return Info.ElementNames[static_cast<std::size_t>(Value)];
}

int GetEnumValue(const TPropInfo& Info, const String& Name) {
  for (std::size_t i = 0; i < Info.ElementNames.size(); ++i)
    if (SameIdent(Info.ElementNames[i], Name)) return static_cast<int>(i);
  return -1;
}

String SetToString(const TPropInfo& Info, Int64 Mask, bool Brackets) {
  String result;
  const auto bits = static_cast<std::uint64_t>(Mask);
  for (std::size_t i = 0; i < Info.ElementNames.size() && i < 64; ++i) {
    if ((bits & (std::uint64_t{1} << i)) == 0) continue;
    if (!result.empty()) result += ',';
    result += Info.ElementNames[i];
  }
  return Brackets ? "[" + result + "]" : result;
}

Int64 StringToSet(const TPropInfo& Info, const String& Value) {
  String text = Trimmed(Value);
  if (!text.empty() && text.front() == '[') {
    if (text.back() != ']') throw EPropertyError("Invalid set value: " + Value);
    text = text.substr(1, text.size() - 2);
  }
  std::uint64_t mask = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = text.find(',', start);
    const String name = Trimmed(text.substr(start, comma == String::npos ? String::npos : comma - start));
    if (!name.empty()) {
      const int element = GetEnumValue(Info, name);
      if (element < 0) throw EPropertyError("Invalid property element: " + name);
      mask |= std::uint64_t{1} << element;
    } else if (comma != String::npos) {
      throw EPropertyError("Invalid set value: " + Value);
    }
    if (comma == String::npos) break;
    start = comma + 1;
  }
  return static_cast<Int64>(mask);
}

}  // namespace kel
