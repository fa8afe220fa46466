// The process-wide class registry: class values found by name, so that streams and registries
// of class names can make instances of classes they only know by name.
//
// Names compare without regard to ASCII letter case. Registering a class again is harmless;
// registering another class under a name already taken raises EFilerError.
#pragma once

#include "platform/classes/Object.h"

namespace kel {

void RegisterClass(const TClassInfo& AClass);
template <typename T>
void RegisterClass() {
  RegisterClass(T::ClassInfo());
}
template <typename... T>
void RegisterClasses() {
  (RegisterClass<T>(), ...);
}

void UnRegisterClass(const TClassInfo& AClass);
template <typename T>
void UnRegisterClass() {
  UnRegisterClass(T::ClassInfo());
}

// The registered class of that name, or null.
TClass GetClass(const String& ClassName);
// The registered class of that name; EClassNotFound "Class <name> not found" when there is none.
TClass FindClass(const String& ClassName);

// ASCII case-insensitive equality of identifiers (class, component and property names).
bool SameIdent(const String& A, const String& B);

}  // namespace kel
