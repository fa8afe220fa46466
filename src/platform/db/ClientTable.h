// The storage behind TClientDataSet (not part of the public API): rows kept column by column in
// typed vectors, an order over them, and the sort keys that define it.
//
// Rows live in slots. A slot is never reused, so a slot number identifies a row for as long as it
// exists (it is the row's bookmark); a deleted row leaves a dead slot behind. Every live row also
// has a sequence number giving the order rows were added in (an insertion takes a number between
// its neighbours), which orders rows with equal keys and is the order without keys.
#pragma once

#include <vector>

#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

namespace kel {

// One column's values by slot.
class TClientColumn {
 public:
  enum TStorage : std::uint8_t { csInteger, csBoolean, csFloat, csDate, csText, csVariant };

  explicit TClientColumn(TFieldType Type);
  TFieldType Type() const { return FType; }

  Variant Get(int Slot) const;
  void Set(int Slot, const Variant& Value);
  bool IsNull(int Slot) const { return FNull[Slot] != 0; }
  // Adds a Null slot at the end.
  void Grow();
  // Orders two slots: Null first, text byte-wise (or by folded text when CaseInsensitive).
  int Compare(int A, int B, bool CaseInsensitive) const;
  // The row's text folded for case-insensitive comparison.
  String FoldedText(int Slot) const;
  TStorage Storage() const { return FStorage; }
  // The stored value of a non-Null slot, for the storage that holds it.
  Int64 IntegerAt(int Slot) const { return FIntegers[Slot]; }
  double FloatAt(int Slot) const { return FFloats[Slot]; }
  const String& TextAt(int Slot) const { return FTexts[Slot]; }

 private:
  TFieldType FType;             // the column's data type
  TStorage FStorage;            // which vector holds the values
  std::vector<Int64> FIntegers;  // csInteger, csBoolean (0 / 1)
  std::vector<double> FFloats;   // csFloat, csDate
  std::vector<String> FTexts;    // csText
  std::vector<Variant> FVariants;  // csVariant
  std::vector<char> FNull;       // 1 where the slot holds no value
};

struct TClientSortKey {
  int Column = 0;               // column index (field number - 1)
  bool Descending = false;
  bool CaseInsensitive = false;
};

class TClientTable {
 public:
  explicit TClientTable(const std::vector<TFieldType>& ColumnTypes);

  int ColumnCount() const { return static_cast<int>(FColumns.size()); }
  const TClientColumn& Column(int Index) const { return FColumns[Index]; }

  // Live rows in the current order.
  int Count() const { return static_cast<int>(FOrder.size()); }
  int SlotAt(int Position) const { return FOrder[Position]; }
  // Position of a live row in the current order; -1 for a dead or unknown slot.
  int PositionOf(int Slot) const;
  bool IsLive(int Slot) const;
  // Live slots in the order rows were added in, whatever the current order.
  std::vector<int> SlotsInAddedOrder() const;

  // The row's values by column.
  std::vector<Variant> RowValues(int Slot) const;
  Variant Value(int Slot, int Column) const { return FColumns[Column].Get(Slot); }

  // Adds a row. Without sort keys it goes to Position of the order (Count() = at the end); with
  // keys to its place among equal keys' last. Answers the new slot.
  int AddRow(const std::vector<Variant>& Values, int Position);
  // Replaces a row's values; with sort keys the row moves to its new place.
  void UpdateRow(int Slot, const std::vector<Variant>& Values);
  void DeleteRow(int Slot);
  void Clear();

  // Sorts by Keys (empty: the order rows were added in).
  void SetOrder(std::vector<TClientSortKey> Keys);

  // Next value for an auto-increment column: one more than any value it ever held.
  Int64 NextAutoInc(int Column);

 private:
  int NewSlot(const std::vector<Variant>& Values);
  // Whether slot A goes before slot B in the current order.
  bool Before(int A, int B) const;
  void InsertInOrder(int Slot);
  void RenumberSequence();
  void InvalidatePositions() { FPositionsValid = false; }

  std::vector<TClientColumn> FColumns;   // values by column and slot
  std::vector<Int64> FSequence;          // by slot: the order rows were added in
  std::vector<char> FDead;               // by slot: 1 once the row was deleted
  std::vector<int> FOrder;               // live slots in the current order
  std::vector<TClientSortKey> FKeys;     // the current order's keys; empty = sequence order
  std::vector<Int64> FAutoInc;           // by column: highest value seen
  mutable std::vector<int> FPositions;   // by slot: position in FOrder (cache)
  mutable bool FPositionsValid = true;   // FPositions matches FOrder
};

}  // namespace kel
