// The roots of every class tree: TObject with its class information, and TPersistent with the
// Assign/AssignTo protocol.
//
// Each class that takes part in run-time type information declares itself with KEL_CLASS inside
// its body; that gives it a static `ClassInfo()` (name and parent) and the virtual `ClassType()`.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

namespace kel {

class TObject;
class TPersistent;
class TFiler;
struct TPropList;

// What the run time knows of a class: its name and its parent. Further facts (published
// properties, a factory) hang off it so that every family of classes shares one record type.
struct TClassInfo {
  const char* Name = "";
  const TClassInfo* Parent = nullptr;
  // Published properties declared by this class (not its parents); null when it declares none.
  const TPropList* (*Properties)() = nullptr;

  bool InheritsFrom(const TClassInfo& ancestor) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
      if (c == &ancestor) return true;
    return false;
  }
};

using TClass = const TClassInfo*;

#define KEL_CLASS(Self, Base)                                                 \
 public:                                                                      \
  static const ::kel::TClassInfo& ClassInfo() {                               \
    static const ::kel::TClassInfo info{#Self, &Base::ClassInfo(),            \
                                        ::kel::PropertiesOf<Self>()};         \
    return info;                                                              \
  }                                                                           \
  const ::kel::TClassInfo& ClassType() const override { return ClassInfo(); } \
                                                                              \
 private:

// A class publishes properties by declaring `static const TPropList& PublishedProperties();`
// (see Properties.h); PropertiesOf finds it when present.
template <typename T>
constexpr const TPropList* (*PropertiesOf())() {
  if constexpr (requires { &T::PublishedProperties; }) {
    if constexpr (std::is_same_v<decltype(&T::PublishedProperties), const TPropList& (*)()>)
      return [] { return &T::PublishedProperties(); };
    else
      return nullptr;
  } else {
    return nullptr;
  }
}

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& ClassInfo() {
    static const TClassInfo info{"TObject", nullptr, nullptr};
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
  // Name of this object in a dotted path, qualified by its owners.
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
