// Test support for the column model: a value other than its own for every setting, and a grid
// whose columns are designed over the orders table.
#pragma once

#include <vector>

#include "../platform/classes/PublishedCompare.h"
#include "KelDBGridFixture.h"
#include "platform/classes/Classes.h"
#include "platform/rtl/Streams.h"

namespace kel::test {

using published::Differences;

// Gives every writable ordinal setting of Instance, and its string settings unless told not to,
// (and those of the persistents it holds, collections and lists aside) a value other than its
// own. Field names stay, and so does the position in the grid's order (OrderIndex), which the
// order sets and streams do not hold; the layout settings and row dragging stay off, since they
// are refused until layouts can be saved and loaded and rows dragged.
inline void ChangeEverySetting(TPersistent* Instance, bool Strings = true) {
  for (const TPropInfo* info : GetPropList(Instance)) {
    if (info->Kind == tkClass) {
      auto* nested = dynamic_cast<TPersistent*>(info->GetObj(Instance));
      if (nested && !dynamic_cast<TComponent*>(nested) && !dynamic_cast<TCollection*>(nested) &&
          !dynamic_cast<TStrings*>(nested))
        ChangeEverySetting(nested, Strings);
      continue;
    }
    if (info->Kind == tkString && info->SetStr) {
      if (!Strings || info->Name == "FieldName") continue;
      info->SetStr(Instance, info->Name == "DelimiterChar" ? ";" : "Changed " + info->Name);
      continue;
    }
    if (!info->IsOrdinal() || !info->SetOrd || info->Name == "OrderIndex") continue;
    if (dynamic_cast<TKelDBGridSettings*>(Instance) && info->Name == "Active") continue;
    if (dynamic_cast<TKelCustomDBGrid*>(Instance) && info->Name == "DragRows") continue;
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

class TColumnFixture : public TGridFixtureBase {
 protected:
  using TGridFixtureBase::Link;
  // Links the grid to an open orders client data set of Rows rows.
  TDataSet* Link(int Rows) { return Link(MakeClient(Rows)); }
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
