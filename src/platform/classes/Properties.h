// Published properties: a table per class of the properties that streaming and access by name
// see, and the functions that read and write them by name or dotted path.
//
// Declaring them. A class declares a public static function and builds its table once:
//
//   class TFoo : public TPersistent {
//     KEL_CLASS(TFoo, TPersistent)
//    public:
//     static const TPropList& PublishedProperties();
//     ...
//   };
//
//   const TPropList& TFoo::PublishedProperties() {
//     static const TPropList list = PropertyTable<TFoo>()
//         .Integer("Width", &TFoo::Width, &TFoo::SetWidth, 64)      // default 64
//         .Integer("Tag2", &TFoo::Tag2, &TFoo::SetTag2)             // no default: always stored
//         .String("Caption", &TFoo::Caption, &TFoo::SetCaption)     // stored when not empty
//         .Boolean("Visible", &TFoo::Visible, &TFoo::SetVisible, true)
//         .Enum("Alignment", &TFoo::Alignment, &TFoo::SetAlignment, taLeftJustify)
//         .Set("Options", &TFoo::Options, &TFoo::SetOptions, TFooOptions{foA, foB})
//         .Float("Ratio", &TFoo::Ratio, &TFoo::SetRatio)            // stored when not 0
//         .Object("Font", &TFoo::Font, &TFoo::SetFont)              // nested persistent
//         .Object("Columns", &TFoo::Columns)                        // collection
//         .Object("DataSource", &TFoo::DataSource, &TFoo::SetDataSource)  // component reference
//         .Event("OnChange")
//         .Stored("Width", &TFoo::IsWidthStored)                    // stored predicate
//         .Stored("Ratio", false);                                  // never stored
//     return list;
//   }
//
// A table lists only the class's own properties; lookups walk the parents through
// TClassInfo::Parent, and a class that declares a name its parent has replaces the parent's entry.
// Getters and setters are member functions or anything invocable with (TFoo*) / (TFoo*, value);
// pass nullptr for a read-only property. Enumerations name their elements once, next to their
// declaration, with KEL_ENUM_NAMES; `Enum` and `Set` find the names from the getter's type.
//
// Object properties. The object's class decides how it is streamed: a TComponent is a reference
// written by name (it needs a setter), a TCollection is written as its items, a TStrings as its
// lines, any other TPersistent as its own published properties ("Font.Name = ...").
//
// Access by name. Names ignore ASCII letter case. A path "DataSet.CommandText" reads every name
// before the last as an object property, starting from the instance. The Get/Set functions raise
// EPropertyError "Property <path> does not exist" for a missing name or a nil object on the way,
// and "Property <path> is not a <kind> property" for the wrong kind; GetStrPropDef and
// GetPropInfo are the lenient forms (missing reads as the default / null).
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "platform/classes/Object.h"

namespace kel {

enum TTypeKind : std::uint8_t {
  tkUnknown,
  tkInteger,      // integral values up to 32 bits
  tkEnumeration,  // enumerations and Boolean (elements False, True)
  tkFloat,
  tkString,
  tkSet,          // TSet<E>, handled as its bit mask
  tkClass,        // object: nested persistent, collection, string list or component reference
  tkMethod,       // event; listed by name only
  tkInt64
};

using TEnumNames = std::span<const char* const>;

// Names of an enumeration's elements in declaration order, placed in the enumeration's namespace
// right after it (found by argument-dependent lookup):
//   KEL_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
#define KEL_ENUM_NAMES(Enum, ...)                          \
  inline ::kel::TEnumNames EnumNamesOf(Enum) {             \
    static constexpr const char* names[] = {__VA_ARGS__};  \
    return names;                                          \
  }

KEL_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

TEnumNames BooleanNames();

struct TPropInfo {
  String Name;
  TTypeKind Kind = tkUnknown;
  // tkEnumeration: element names by ordinal; tkSet: element names by bit.
  TEnumNames ElementNames;
  // Values not written to a stream. Ordinal kinds and tkInt64 have a default only when declared
  // with one (otherwise they are always written); strings default to empty, floats to 0.
  bool HasDefault = false;
  Int64 OrdDefault = 0;
  double FloatDefault = 0;
  String StrDefault;
  // tkClass: the declared class of the object.
  const TClassInfo& (*ObjectClass)() = nullptr;
  // Whether the value is written at all; empty means yes.
  std::function<bool(TObject*)> Stored;

  // Accessors; only those of the property's kind are set, setters are empty when read-only.
  // Ordinals travel as Int64: enumeration ordinal, set mask, Boolean 0/1.
  std::function<Int64(TObject*)> GetOrd;
  std::function<void(TObject*, Int64)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<String(TObject*)> GetStr;
  std::function<void(TObject*, const String&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;

  bool IsOrdinal() const { return Kind == tkInteger || Kind == tkEnumeration || Kind == tkSet || Kind == tkInt64; }
  bool IsBoolean() const;
  bool IsWritable() const { return SetOrd || SetFloat || SetStr || SetObj; }
  TClass PropClass() const { return ObjectClass ? &ObjectClass() : nullptr; }
  bool IsStoredFor(TObject* Instance) const { return !Stored || Stored(Instance); }
};

// One class's own published properties, in declaration order.
struct TPropList {
  std::vector<TPropInfo> Items;
  const TPropInfo* Find(const String& Name) const;
};

// Builds a TPropList for class T; see the top of this file.
template <typename T>
class PropertyTable {
  template <typename G>
  using ValueOf = std::remove_cvref_t<std::invoke_result_t<G, T*>>;

  template <typename V>
  struct SetElement;
  template <typename E>
  struct SetElement<TSet<E>> {
    using Type = E;
  };

 public:
  template <typename G, typename S>
  PropertyTable& Integer(const char* Name, G Get, S Set, std::optional<std::int64_t> Default = {}) {
    using V = ValueOf<G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool> && sizeof(V) <= 4,
                  "Integer properties read an integral type of up to 32 bits");
    return AddOrdinal<V>(Name, tkInteger, Get, Set, Default, {});
  }

  template <typename G, typename S>
  PropertyTable& Int64(const char* Name, G Get, S Set, std::optional<std::int64_t> Default = {}) {
    using V = ValueOf<G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>,
                  "Int64 properties read an integral type");
    return AddOrdinal<V>(Name, tkInt64, Get, Set, Default, {});
  }

  template <typename G, typename S>
  PropertyTable& Boolean(const char* Name, G Get, S Set, std::optional<bool> Default = {}) {
    static_assert(std::is_same_v<ValueOf<G>, bool>, "Boolean properties read bool");
    std::optional<std::int64_t> ordinal;
    if (Default) ordinal = *Default ? 1 : 0;
    return AddOrdinal<bool>(Name, tkEnumeration, Get, Set, ordinal, BooleanNames());
  }

  template <typename G, typename S>
  PropertyTable& Enum(const char* Name, G Get, S Set, std::optional<ValueOf<G>> Default = {}) {
    using V = ValueOf<G>;
    static_assert(std::is_enum_v<V>, "Enum properties read an enumeration");
    std::optional<std::int64_t> ordinal;
    if (Default) ordinal = static_cast<std::int64_t>(*Default);
    return AddOrdinal<V>(Name, tkEnumeration, Get, Set, ordinal, EnumNamesOf(V{}));
  }

  template <typename G, typename S>
  PropertyTable& Set(const char* Name, G Get, S Set, std::optional<ValueOf<G>> Default = {}) {
    using V = ValueOf<G>;
    using E = typename SetElement<V>::Type;
    std::optional<std::int64_t> mask;
    if (Default) mask = static_cast<std::int64_t>(Default->Mask());
    TPropInfo& info = Add(Name, tkSet);
    info.ElementNames = EnumNamesOf(E{});
    SetDefault(info, mask);
    info.GetOrd = [Get](TObject* o) {
      return static_cast<std::int64_t>(std::invoke(Get, Self(o)).Mask());
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      const std::uint64_t valid = ValidMask(info.ElementNames.size());
      info.SetOrd = [Set, valid, name = info.Name](TObject* o, std::int64_t value) {
        const auto mask = static_cast<std::uint64_t>(value);
        if ((mask & ~valid) != 0) OutOfRange(name, value);
        std::invoke(Set, Self(o), V::FromMask(mask));
      };
    }
    return *this;
  }

  template <typename G, typename S>
  PropertyTable& Float(const char* Name, G Get, S Set, double Default = 0) {
    static_assert(std::is_floating_point_v<ValueOf<G>>, "Float properties read a floating type");
    TPropInfo& info = Add(Name, tkFloat);
    info.FloatDefault = Default;
    info.HasDefault = true;
    info.GetFloat = [Get](TObject* o) { return static_cast<double>(std::invoke(Get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>)
      info.SetFloat = [Set](TObject* o, double v) {
        std::invoke(Set, Self(o), static_cast<ValueOf<G>>(v));
      };
    return *this;
  }

  template <typename G, typename S>
  PropertyTable& String(const char* Name, G Get, S Set, const ::kel::String& Default = {}) {
    static_assert(std::is_convertible_v<ValueOf<G>, ::kel::String>,
                  "String properties read a String");
    TPropInfo& info = Add(Name, tkString);
    info.StrDefault = Default;
    info.HasDefault = true;
    info.GetStr = [Get](TObject* o) { return ::kel::String(std::invoke(Get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>)
      info.SetStr = [Set](TObject* o, const ::kel::String& v) { std::invoke(Set, Self(o), v); };
    return *this;
  }

  // An object held by the instance; the setter is needed for component references.
  template <typename G, typename S = std::nullptr_t>
  PropertyTable& Object(const char* Name, G Get, S Set = nullptr) {
    using P = ValueOf<G>;
    static_assert(std::is_pointer_v<P> && std::is_base_of_v<TObject, std::remove_pointer_t<P>>,
                  "Object properties read a pointer to a TObject descendant");
    using C = std::remove_cv_t<std::remove_pointer_t<P>>;
    TPropInfo& info = Add(Name, tkClass);
    info.ObjectClass = &C::ClassInfo;
    info.GetObj = [Get](TObject* o) -> TObject* { return std::invoke(Get, Self(o)); };
    if constexpr (!std::is_null_pointer_v<S>)
      info.SetObj = [Set, name = info.Name](TObject* o, TObject* value) {
        C* typed = dynamic_cast<C*>(value);
        if (value && !typed) WrongClass(name, *value);
        std::invoke(Set, Self(o), typed);
      };
    return *this;
  }

  // An event: published by name so that IsPublishedProp sees it; never streamed.
  PropertyTable& Event(const char* Name) {
    Add(Name, tkMethod);
    return *this;
  }

  // Writes the named property (declared above in this table) only when Predicate(instance).
  template <typename P>
  PropertyTable& Stored(const char* Name, P Predicate) {
    TPropInfo& info = Existing(Name);
    if constexpr (std::is_same_v<P, bool>)
      info.Stored = [Predicate](TObject*) { return Predicate; };
    else
      info.Stored = [Predicate](TObject* o) { return static_cast<bool>(std::invoke(Predicate, Self(o))); };
    return *this;
  }

  operator TPropList() const { return FList; }

 private:
  static T* Self(TObject* o) { return static_cast<T*>(o); }
  static std::uint64_t ValidMask(std::size_t count) {
    return count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
  }
  [[noreturn]] static void OutOfRange(const ::kel::String& name, std::int64_t value);
  [[noreturn]] static void WrongClass(const ::kel::String& name, const TObject& value);

  TPropInfo& Add(const char* Name, TTypeKind Kind) {
    TPropInfo& info = FList.Items.emplace_back();
    info.Name = Name;
    info.Kind = Kind;
    return info;
  }
  TPropInfo& Existing(const char* Name);
  static void SetDefault(TPropInfo& info, std::optional<std::int64_t> Default) {
    info.HasDefault = Default.has_value();
    info.OrdDefault = Default.value_or(0);
  }

  template <typename V, typename G, typename S>
  PropertyTable& AddOrdinal(const char* Name, TTypeKind Kind, G Get, S Set,
                            std::optional<std::int64_t> Default, TEnumNames Names) {
    TPropInfo& info = Add(Name, Kind);
    info.ElementNames = Names;
    SetDefault(info, Default);
    info.GetOrd = [Get](TObject* o) { return static_cast<std::int64_t>(std::invoke(Get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>) {
      std::int64_t low = 0, high = 0;
      if constexpr (std::is_enum_v<V> || std::is_same_v<V, bool>) {
        high = static_cast<std::int64_t>(Names.size()) - 1;
      } else if constexpr (sizeof(V) < sizeof(std::int64_t) || std::is_signed_v<V>) {
        low = static_cast<std::int64_t>(std::numeric_limits<V>::min());
        high = static_cast<std::int64_t>(std::numeric_limits<V>::max());
      } else {
        high = std::numeric_limits<std::int64_t>::max();
      }
      info.SetOrd = [Set, low, high, name = info.Name](TObject* o, std::int64_t value) {
        if (value < low || value > high) OutOfRange(name, value);
        std::invoke(Set, Self(o), static_cast<V>(value));
      };
    }
    return *this;
  }

  TPropList FList;
};

// Raised by the builder's setters; defined out of line to keep this header light.
[[noreturn]] void RaisePropertyOutOfRange(const String& Name, Int64 Value);
[[noreturn]] void RaisePropertyWrongClass(const String& Name, const TObject& Value);
[[noreturn]] void RaiseUnknownTableEntry(const String& Name);

template <typename T>
void PropertyTable<T>::OutOfRange(const ::kel::String& name, std::int64_t value) {
  RaisePropertyOutOfRange(name, value);
}
template <typename T>
void PropertyTable<T>::WrongClass(const ::kel::String& name, const TObject& value) {
  RaisePropertyWrongClass(name, value);
}
template <typename T>
TPropInfo& PropertyTable<T>::Existing(const char* Name) {
  for (TPropInfo& info : FList.Items)
    if (info.Name == Name) return info;
  RaiseUnknownTableEntry(Name);
}

// --- Looking properties up --------------------------------------------------------------------

// The property of that name (no path) declared by the class or its parents; null when absent.
const TPropInfo* GetPropInfo(const TClassInfo& AClass, const String& PropName);
// Every published property of the class, parents' first, a redeclared name at its first place.
std::vector<const TPropInfo*> GetPropList(const TClassInfo& AClass);
std::vector<const TPropInfo*> GetPropList(const TObject* Instance);

// A property reached through a path: the object that holds it and its information.
struct TPropRef {
  TObject* Instance = nullptr;
  const TPropInfo* Info = nullptr;
  explicit operator bool() const { return Info != nullptr; }
};
// Resolves a name or dotted path; empty when a name is missing or an object on the way is nil.
TPropRef FindPropRef(TObject* Instance, const String& PropPath);
const TPropInfo* GetPropInfo(TObject* Instance, const String& PropPath);
bool IsPublishedProp(TObject* Instance, const String& PropPath);

// --- Values -----------------------------------------------------------------------------------

String GetStrProp(TObject* Instance, const String& PropPath);
// The string property's value, or Default when the path does not lead to a string property.
String GetStrPropDef(TObject* Instance, const String& PropPath, const String& Default = {});
void SetStrProp(TObject* Instance, const String& PropPath, const String& Value);
// Ordinal value of an integer, Int64, enumeration (ordinal), Boolean (0/1) or set (mask).
Int64 GetOrdProp(TObject* Instance, const String& PropPath);
void SetOrdProp(TObject* Instance, const String& PropPath, Int64 Value);
Int64 GetInt64Prop(TObject* Instance, const String& PropPath);
void SetInt64Prop(TObject* Instance, const String& PropPath, Int64 Value);
double GetFloatProp(TObject* Instance, const String& PropPath);
void SetFloatProp(TObject* Instance, const String& PropPath, double Value);
// Enumeration or Boolean property by element name.
String GetEnumProp(TObject* Instance, const String& PropPath);
void SetEnumProp(TObject* Instance, const String& PropPath, const String& Value);
// Set property as element names: "[a,b]" (without the brackets when Brackets is false).
String GetSetProp(TObject* Instance, const String& PropPath, bool Brackets = true);
// Accepts "[a,b]", "a,b", spaces around names; EPropertyError for an unknown element.
void SetSetProp(TObject* Instance, const String& PropPath, const String& Value);
// The object, or null when it is nil or not of MinClass (when given).
TObject* GetObjectProp(TObject* Instance, const String& PropPath, TClass MinClass = nullptr);
void SetObjectProp(TObject* Instance, const String& PropPath, TObject* Value);
// Any non-object property as text: integers in decimal, floats in the shortest form that reads
// back exactly ('.' as separator), enumerations and Booleans by name, sets as "[a,b]"; an object
// property reads as the component's name (empty for nil or a non-component object).
String GetPropValue(TObject* Instance, const String& PropPath);
// The reverse of GetPropValue; EConvertError for text that is not a value of the property's kind,
// EPropertyError for object and event properties.
void SetPropValue(TObject* Instance, const String& PropPath, const String& Value);

// --- Element names ----------------------------------------------------------------------------

// Name of an enumeration or Boolean property's element; empty when out of range.
String GetEnumName(const TPropInfo& Info, Int64 Value);
// Ordinal of the element name (letter case ignored); -1 when it is not one.
int GetEnumValue(const TPropInfo& Info, const String& Name);
String SetToString(const TPropInfo& Info, Int64 Mask, bool Brackets = true);
Int64 StringToSet(const TPropInfo& Info, const String& Value);

}  // namespace kel
