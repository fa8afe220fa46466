// The roots of every class tree: TObject with its class information, and TPersistent with the
// Assign/AssignTo protocol.
//
// Each class that takes part in run-time type information declares itself with KEL_CLASS inside
// its body; that gives it a static `ClassInfo()` (name, parent, published properties, factory)
// and the virtual `ClassType()`. A class value (`TClass`) can make instances: the factory is
// chosen from the constructors the class offers (see TClassInfo).
#pragma once

#include <concepts>
#include <type_traits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

namespace kel {

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TFiler;
struct TPropList;

// What the run time knows of a class: its name, its parent, its published properties and how to
// make an instance. Every family of classes shares this one record type.
struct TClassInfo {
  const char* Name = "";
  const TClassInfo* Parent = nullptr;
  // Published properties declared by this class (not its parents); null when it declares none.
  const TPropList* (*Properties)() = nullptr;
  // Factories; at most one is set, picked from the class's public constructors in this order:
  // components are made with their owner, collection items with their collection, any other
  // concrete class with its default constructor. Abstract classes have none.
  TComponent* (*ComponentFactory)(TComponent* Owner) = nullptr;
  TCollectionItem* (*ItemFactory)(TCollection* Collection) = nullptr;
  TObject* (*ObjectFactory)() = nullptr;

  bool InheritsFrom(const TClassInfo& ancestor) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
      if (c == &ancestor) return true;
    return false;
  }
  // Instances through the factories; EInvalidOperation "Cannot create an instance of <class>"
  // when the class has no factory of that family.
  TComponent* CreateComponent(TComponent* Owner) const;
  TCollectionItem* CreateItem(TCollection* Collection) const;
  TObject* CreateObject() const;
};

using TClass = const TClassInfo*;

// A class publishes properties by declaring a public
// `static const TPropList& PublishedProperties();` (see Properties.h). A class that does not
// declare its own inherits its parent's function; comparing with Base's keeps such a class from
// listing the parent's properties a second time.
template <typename Self, typename Base>
const TPropList* (*PropertiesOf())() {
  if constexpr (requires { { Self::PublishedProperties() } -> std::same_as<const TPropList&>; }) {
    if constexpr (requires { Base::PublishedProperties(); })
      if (&Self::PublishedProperties == &Base::PublishedProperties) return nullptr;
    return [] { return &Self::PublishedProperties(); };
  } else {
    return nullptr;
  }
}

template <typename Self>
TComponent* (*ComponentFactoryOf())(TComponent*) {
  if constexpr (std::is_base_of_v<TComponent, Self> && std::is_constructible_v<Self, TComponent*>)
    return [](TComponent* owner) -> TComponent* { return new Self(owner); };
  else
    return nullptr;
}

template <typename Self>
TCollectionItem* (*ItemFactoryOf())(TCollection*) {
  if constexpr (std::is_base_of_v<TCollectionItem, Self> &&
                std::is_constructible_v<Self, TCollection*>)
    return [](TCollection* collection) -> TCollectionItem* { return new Self(collection); };
  else
    return nullptr;
}

template <typename Self>
TObject* (*ObjectFactoryOf())() {
  if constexpr (!std::is_base_of_v<TComponent, Self> && !std::is_base_of_v<TCollectionItem, Self> &&
                std::is_default_constructible_v<Self>)
    return []() -> TObject* { return new Self(); };
  else
    return nullptr;
}

#define KEL_CLASS(Self, Base)                                                             \
 public:                                                                                  \
  static const ::kel::TClassInfo& ClassInfo() {                                           \
    static const ::kel::TClassInfo info{#Self,                                            \
                                        &Base::ClassInfo(),                               \
                                        ::kel::PropertiesOf<Self, Base>(),                \
                                        ::kel::ComponentFactoryOf<Self>(),                \
                                        ::kel::ItemFactoryOf<Self>(),                     \
                                        ::kel::ObjectFactoryOf<Self>()};                  \
    return info;                                                                          \
  }                                                                                       \
  const ::kel::TClassInfo& ClassType() const override { return ClassInfo(); }             \
                                                                                          \
 private:

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& ClassInfo() {
    static const TClassInfo info{"TObject", nullptr};
    return info;
  }
  virtual const TClassInfo& ClassType() const { return ClassInfo(); }
  String ClassName() const { return ClassType().Name; }
  bool InheritsFrom(const TClassInfo& ancestor) const { return ClassType().InheritsFrom(ancestor); }
};

class TPersistent : public TObject {
  KEL_CLASS(TPersistent, TObject)

 public:
  // Copies `Source` into this object. The base falls back to Source->AssignTo(this), and raises
  // EConvertError naming both classes when neither side knows the pair.
  virtual void Assign(TPersistent* Source);
  // The object that owns this one in a streaming path (a collection's owner, a column's grid).
  virtual TPersistent* GetOwner() { return nullptr; }
  // Name of this object in a dotted path: the class name, qualified by the owner's path when
  // the owner has one ("Form1.Grid1.Columns[2]" for a column).
  virtual String GetNamePath();

 protected:
  virtual void AssignTo(TPersistent* Dest);
  // Declares pseudo-properties written and read by custom code when streaming.
  virtual void DefineProperties(TFiler* Filer) {}
  friend class TFiler;

 private:
  [[noreturn]] void AssignError(TPersistent* Source);
};

}  // namespace kel
