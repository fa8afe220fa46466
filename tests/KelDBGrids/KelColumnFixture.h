// Test support for the column model: comparing every published property of two objects through
// the property tables (nested persistents, collections item by item, string lists line by line,
// component references by name), and a grid whose columns are designed over the orders table.
#pragma once

#include <vector>

#include "KelDBGridFixture.h"
#include "platform/classes/Classes.h"
#include "platform/rtl/Streams.h"

namespace kel::test {

// Appends "Path: a != b" for every published property that differs between A and B.
inline void CollectDifferences(TPersistent* A, TPersistent* B, const String& Path, std::vector<String>& Out) {
  auto differ = [&](const String& path, const String& a, const String& b) {
    if (a != b) Out.push_back(path + ": '" + a + "' != '" + b + "'");
  };
  if (auto* listA = dynamic_cast<TCollection*>(A)) {
    auto* listB = dynamic_cast<TCollection*>(B);
    differ(Path + ".Count", std::to_string(listA->Count()), std::to_string(listB->Count()));
    for (int i = 0; i < std::min(listA->Count(), listB->Count()); ++i)
      CollectDifferences(listA->Items(i), listB->Items(i), Path + "[" + std::to_string(i) + "]", Out);
    return;
  }
  if (auto* stringsA = dynamic_cast<TStrings*>(A)) {
    differ(Path, stringsA->Text(), dynamic_cast<TStrings*>(B)->Text());
    return;
  }
  for (const TPropInfo* info : GetPropList(A)) {
    if (info->Kind == tkMethod) continue;
    const String path = Path.empty() ? info->Name : Path + "." + info->Name;
    if (info->Kind != tkClass) {
      differ(path, GetPropValue(A, info->Name), GetPropValue(B, info->Name));
      continue;
    }
    TObject* heldA = info->GetObj(A);
    TObject* heldB = info->GetObj(B);
    auto* componentA = dynamic_cast<TComponent*>(heldA);
    if (componentA || !heldA || !heldB) {
      auto* componentB = dynamic_cast<TComponent*>(heldB);
      differ(path, componentA ? componentA->Name() : String(heldA ? "?" : "nil"),
             componentB ? componentB->Name() : String(heldB ? "?" : "nil"));
      continue;
    }
    CollectDifferences(static_cast<TPersistent*>(heldA), static_cast<TPersistent*>(heldB), path, Out);
  }
}

inline std::vector<String> Differences(TPersistent* A, TPersistent* B) {
  std::vector<String> out;
  CollectDifferences(A, B, String(), out);
  return out;
}

// Gives every writable ordinal and string setting of Instance (and of the persistents it holds,
// collections and lists aside) a value other than its own. Field names stay, and so does the
// position in the grid's order (OrderIndex), which the order sets and streams do not hold.
inline void ChangeEverySetting(TPersistent* Instance) {
  for (const TPropInfo* info : GetPropList(Instance)) {
    if (info->Kind == tkClass) {
      auto* nested = dynamic_cast<TPersistent*>(info->GetObj(Instance));
      if (nested && !dynamic_cast<TComponent*>(nested) && !dynamic_cast<TCollection*>(nested) &&
          !dynamic_cast<TStrings*>(nested))
        ChangeEverySetting(nested);
      continue;
    }
    if (info->Kind == tkString && info->SetStr) {
      if (info->Name == "FieldName") continue;
      info->SetStr(Instance, info->Name == "DelimiterChar" ? ";" : "Changed " + info->Name);
      continue;
    }
    if (!info->IsOrdinal() || !info->SetOrd || info->Name == "OrderIndex") continue;
    const Int64 value = info->GetOrd(Instance);
    const auto count = static_cast<Int64>(info->ElementNames.size());
    Int64 changed = value + 3;
    if (info->Kind == tkEnumeration) changed = (value + 1) % count;
    if (info->Kind == tkSet) changed = value ^ (Int64{1} << (count - 1));
    info->SetOrd(Instance, changed);
  }
}

// The text SaveToStream writes for a column set.
inline String StreamedText(TKelDBGridColumns* Columns) {
  TStringStream stream;
  Columns->SaveToStream(&stream);
  return stream.DataString();
}

class TColumnFixture : public TGridFixture {
 protected:
  // Designed (stored) columns over the orders table, one per field name given.
  void Design(std::initializer_list<const char*> FieldNames) {
    TKelDBGridColumns* columns = Grid->Columns();
    TCollectionUpdate update(columns);
    columns->Clear();
    for (const char* name : FieldNames) columns->Add()->SetFieldName(name);
  }
  TKelColumn* Column(int Index) const { return Grid->Columns()->Items(Index); }
};

}  // namespace kel::test
