// Shared by the tests that stream published properties (classes, controls, data components, the
// grid's columns): a value other than a property's default, the properties off their declared
// defaults, the text of a written component, and two objects compared property by property.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace kel::published {

inline std::uint64_t SetMaskOf(const TPropInfo& Info) {
  const std::size_t count = Info.ElementNames.size();
  return count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// The generic non-default value: Booleans flip (the Parent... switches become false, so that
// what they guard is written), enumerations take their first element, or the second when the
// first is the default, sets flip every element, integers move 3 up.
inline Int64 OtherOrdinal(const TPropInfo& Info, Int64 Current) {
  const Int64 base = Info.HasDefault ? Info.OrdDefault : Current;
  if (Info.IsBoolean()) return Info.Name.starts_with("Parent") ? 0 : !base;
  if (Info.Kind == tkEnumeration) return base == 0 ? 1 : 0;
  if (Info.Kind == tkSet) return static_cast<Int64>(static_cast<std::uint64_t>(base) ^ SetMaskOf(Info));
  return base + 3;
}

inline String OtherString(const TPropInfo& Info) {
  return Info.StrDefault.empty() ? String("Sample") : Info.StrDefault + " Sample";
}

inline String ComponentName(TObject* Value) {
  auto* component = dynamic_cast<TComponent*>(Value);
  return component ? component->Name() : String(Value ? "(object)" : "(nil)");
}

// "Path: a / b" for every published property whose values differ between A and B (objects of
// one class): nested persistents and collections item by item, string lists by their text,
// references by the referenced component's name.
inline void CollectDifferences(TObject* A, TObject* B, const String& Prefix, std::vector<String>& Out) {
  auto differ = [&](const String& path, const String& a, const String& b) {
    if (a != b) Out.push_back(path + ": " + a + " / " + b);
  };
  if (auto* listA = dynamic_cast<TCollection*>(A)) {
    auto* listB = dynamic_cast<TCollection*>(B);
    differ(Prefix + "Count", std::to_string(listA->Count()), std::to_string(listB->Count()));
    for (int i = 0; i < std::min(listA->Count(), listB->Count()); ++i)
      CollectDifferences(listA->Items(i), listB->Items(i), Prefix + "[" + std::to_string(i) + "].", Out);
    return;
  }
  if (auto* stringsA = dynamic_cast<TStrings*>(A)) {
    differ(Prefix + "Text", stringsA->Text(), dynamic_cast<TStrings*>(B)->Text());
    return;
  }
  for (const TPropInfo* info : GetPropList(A)) {
    if (info->Kind == tkMethod) continue;
    const String path = Prefix + info->Name;
    if (info->Kind != tkClass) {
      differ(path, GetPropValue(A, info->Name), GetPropValue(B, info->Name));
      continue;
    }
    TObject* objectA = info->GetObj(A);
    TObject* objectB = info->GetObj(B);
    if (objectA && objectB && !dynamic_cast<TComponent*>(objectA))
      CollectDifferences(objectA, objectB, path + ".", Out);
    else
      differ(path, ComponentName(objectA), ComponentName(objectB));
  }
}

inline std::vector<String> Differences(TObject* A, TObject* B) {
  std::vector<String> result;
  CollectDifferences(A, B, {}, result);
  return result;
}

// "Path = value" for every published property of Holder, nested persistents included, that a
// stream would write: stored, and off the default its table declares.
inline void CollectOffDefault(TObject* Holder, const String& Prefix, std::vector<String>& Out) {
  for (const TPropInfo* info : GetPropList(Holder)) {
    const String path = Prefix + info->Name;
    if (info->Kind == tkClass) {
      TObject* nested = info->GetObj(Holder);
      if (nested && !dynamic_cast<TComponent*>(nested)) CollectOffDefault(nested, path + ".", Out);
      continue;
    }
    if (!info->HasDefault || !info->IsStoredFor(Holder)) continue;
    bool atDefault = true;
    if (info->Kind == tkString)
      atDefault = info->GetStr(Holder) == info->StrDefault;
    else if (info->Kind == tkFloat)
      atDefault = info->GetFloat(Holder) == info->FloatDefault;
    else if (info->IsOrdinal())
      atDefault = info->GetOrd(Holder) == info->OrdDefault;
    if (!atDefault) Out.push_back(path + " = " + GetPropValue(Holder, info->Name));
  }
}

inline std::vector<String> OffDefault(TObject* Holder) {
  std::vector<String> result;
  CollectOffDefault(Holder, {}, result);
  return result;
}

inline String WriteText(TComponent* Instance) {
  TStringStream stream;
  WriteComponent(&stream, Instance);
  return stream.DataString();
}

inline void ReadText(const String& Text, TComponent* Instance) {
  TStringStream stream(Text);
  ReadComponent(&stream, Instance);
}

}  // namespace kel::published
