// The class registry: a map from upper-cased class name to class value.
#include "platform/classes/ClassRegistry.h"

#include <map>

namespace kel {

namespace {

String UpperIdent(const String& name) {
  String result = name;
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

std::map<String, TClass>& Registry() {
  static std::map<String, TClass> registry;
  return registry;
}

}  // namespace

bool SameIdent(const String& A, const String& B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i) {
    char a = A[i], b = B[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

void RegisterClass(const TClassInfo& AClass) {
  auto [it, inserted] = Registry().emplace(UpperIdent(AClass.Name), &AClass);
  if (!inserted && it->second != &AClass)
    throw EFilerError(String("A class named ") + AClass.Name + " already exists");
}

void UnRegisterClass(const TClassInfo& AClass) {
  auto it = Registry().find(UpperIdent(AClass.Name));
  if (it != Registry().end() && it->second == &AClass) Registry().erase(it);
}

TClass GetClass(const String& ClassName) {
  auto it = Registry().find(UpperIdent(ClassName));
  return it == Registry().end() ? nullptr : it->second;
}

TClass FindClass(const String& ClassName) {
  if (TClass found = GetClass(ClassName)) return found;
  throw EClassNotFound("Class " + ClassName + " not found");
}

}  // namespace kel
