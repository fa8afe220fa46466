// TClientColumn (typed per-slot storage and comparison) and TClientTable (slots, the order,
// sequence numbers, sorting and keeping a sorted order up to date).
#include "platform/db/ClientTable.h"

#include <algorithm>

#include "platform/db/ClientTableSort.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

namespace {

// Distance between the sequence numbers of rows added at the end, leaving room for insertions.
constexpr Int64 SequenceGap = Int64{1} << 20;

TClientColumn::TStorage StorageOf(TFieldType Type) {
  switch (Type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
    case ftShortint: case ftByte: case ftLongWord:
      return TClientColumn::csInteger;
    case ftBoolean:
      return TClientColumn::csBoolean;
    case ftFloat: case ftCurrency: case ftExtended: case ftSingle:
      return TClientColumn::csFloat;
    case ftDate: case ftTime: case ftDateTime:
      return TClientColumn::csDate;
    case ftString: case ftFixedChar: case ftWideString: case ftFixedWideChar: case ftGuid:
    case ftMemo: case ftWideMemo: case ftFmtMemo: case ftBlob: case ftGraphic: case ftBytes:
    case ftVarBytes: case ftTypedBinary: case ftParadoxOle: case ftDBaseOle: case ftOraBlob:
    case ftOraClob:
      return TClientColumn::csText;
    default:
      return TClientColumn::csVariant;
  }
}

template <typename T>
int ThreeWay(const T& A, const T& B) {
  return A < B ? -1 : B < A ? 1 : 0;
}

}  // namespace

// ---- TClientColumn ---------------------------------------------------------------------------

TClientColumn::TClientColumn(TFieldType Type) : FType(Type), FStorage(StorageOf(Type)) {}

void TClientColumn::Grow() {
  switch (FStorage) {
    case csInteger: case csBoolean: FIntegers.push_back(0); break;
    case csFloat: case csDate: FFloats.push_back(0); break;
    case csText: FTexts.emplace_back(); break;
    case csVariant: FVariants.emplace_back(); break;
  }
  FNull.push_back(1);
}

Variant TClientColumn::Get(int Slot) const {
  if (FNull[Slot]) return Null();
  switch (FStorage) {
    case csInteger:
      if (FType == ftLargeint || FType == ftLongWord) return Variant(FIntegers[Slot]);
      return Variant(static_cast<std::int32_t>(FIntegers[Slot]));
    case csBoolean: return Variant(FIntegers[Slot] != 0);
    case csFloat: return Variant(FFloats[Slot]);
    case csDate: return Variant::FromDate(FFloats[Slot]);
    case csText: return Variant(FTexts[Slot]);
    case csVariant: return FVariants[Slot];
  }
  return Null();
}

void TClientColumn::Set(int Slot, const Variant& Value) {
  const bool blank = VarIsNull(Value) || VarIsEmpty(Value);
  switch (FStorage) {
    case csInteger: FIntegers[Slot] = blank ? 0 : Value.AsInt64(); break;
    case csBoolean: FIntegers[Slot] = !blank && Value.AsBoolean() ? 1 : 0; break;
    case csFloat: FFloats[Slot] = blank ? 0 : Value.AsDouble(); break;
    case csDate: FFloats[Slot] = blank ? 0 : VarToDateTime(Value); break;
    case csText:
      if (blank)
        String().swap(FTexts[Slot]);
      else
        FTexts[Slot] = Value.AsString();
      break;
    case csVariant: FVariants[Slot] = blank ? Variant() : Value; break;
  }
  FNull[Slot] = blank ? 1 : 0;
}

int TClientColumn::Compare(int A, int B, bool CaseInsensitive) const {
  if (FNull[A] || FNull[B]) return ThreeWay(FNull[B], FNull[A]);
  switch (FStorage) {
    case csInteger: case csBoolean: return ThreeWay(FIntegers[A], FIntegers[B]);
    case csFloat: case csDate: return ThreeWay(FFloats[A], FFloats[B]);
    case csText:
      if (CaseInsensitive) return ThreeWay(FoldedText(A), FoldedText(B));
      return ThreeWay(FTexts[A], FTexts[B]);
    case csVariant: {
      const std::partial_ordering order = FVariants[A] <=> FVariants[B];
      return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
  }
  return 0;
}

String TClientColumn::FoldedText(int Slot) const {
  return FStorage == csText ? LowerCase(FTexts[Slot]) : Get(Slot).AsString();
}

// ---- TClientTable: rows ----------------------------------------------------------------------

TClientTable::TClientTable(const std::vector<TFieldType>& ColumnTypes)
    : FAutoInc(ColumnTypes.size(), 0) {
  FColumns.reserve(ColumnTypes.size());
  for (TFieldType type : ColumnTypes) FColumns.emplace_back(type);
}

bool TClientTable::IsLive(int Slot) const {
  return Slot >= 0 && Slot < static_cast<int>(FDead.size()) && !FDead[Slot];
}

std::vector<int> TClientTable::SlotsInAddedOrder() const {
  std::vector<int> slots = FOrder;
  std::sort(slots.begin(), slots.end(), [this](int a, int b) { return FSequence[a] < FSequence[b]; });
  return slots;
}

int TClientTable::PositionOf(int Slot) const {
  if (!IsLive(Slot)) return -1;
  if (!FPositionsValid) {
    FPositions.assign(FDead.size(), -1);
    for (int i = 0; i < Count(); ++i) FPositions[FOrder[i]] = i;
    FPositionsValid = true;
  }
  return FPositions[Slot];
}

std::vector<Variant> TClientTable::RowValues(int Slot) const {
  std::vector<Variant> values;
  values.reserve(FColumns.size());
  for (const TClientColumn& column : FColumns) values.push_back(column.Get(Slot));
  return values;
}

int TClientTable::NewSlot(const std::vector<Variant>& Values) {
  const int slot = static_cast<int>(FDead.size());
  for (std::size_t c = 0; c < FColumns.size(); ++c) {
    FColumns[c].Grow();
    if (c < Values.size()) FColumns[c].Set(slot, Values[c]);
    if (FColumns[c].Type() == ftAutoInc && !FColumns[c].IsNull(slot))
      FAutoInc[c] = std::max(FAutoInc[c], Values[c].AsInt64());
  }
  FDead.push_back(0);
  FSequence.push_back(0);
  if (FPositionsValid) FPositions.push_back(-1);
  return slot;
}

int TClientTable::AddRow(const std::vector<Variant>& Values, int Position) {
  const int slot = NewSlot(Values);
  if (!FKeys.empty()) {
    FSequence[slot] = FOrder.empty() ? SequenceGap : *std::max_element(FSequence.begin(), FSequence.end()) + SequenceGap;
    InsertInOrder(slot);
    return slot;
  }
  const int position = std::clamp(Position, 0, Count());
  auto neighbours = [&](Int64& before, Int64& after) {
    before = position > 0 ? FSequence[FOrder[position - 1]] : 0;
    after = position < Count() ? FSequence[FOrder[position]] : before + 2 * SequenceGap;
  };
  Int64 before = 0, after = 0;
  neighbours(before, after);
  if (after - before < 2) {
    RenumberSequence();
    neighbours(before, after);
  }
  FSequence[slot] = before + (after - before) / 2;
  FOrder.insert(FOrder.begin() + position, slot);
  if (FPositionsValid && position == Count() - 1)
    FPositions[slot] = position;
  else
    InvalidatePositions();
  return slot;
}

void TClientTable::UpdateRow(int Slot, const std::vector<Variant>& Values) {
  for (std::size_t c = 0; c < FColumns.size() && c < Values.size(); ++c) {
    FColumns[c].Set(Slot, Values[c]);
    if (FColumns[c].Type() == ftAutoInc && !FColumns[c].IsNull(Slot))
      FAutoInc[c] = std::max(FAutoInc[c], Values[c].AsInt64());
  }
  if (FKeys.empty()) return;
  FOrder.erase(FOrder.begin() + PositionOf(Slot));
  InvalidatePositions();
  InsertInOrder(Slot);
}

void TClientTable::DeleteRow(int Slot) {
  const int position = PositionOf(Slot);
  if (position < 0) return;
  FOrder.erase(FOrder.begin() + position);
  FDead[Slot] = 1;
  for (TClientColumn& column : FColumns) column.Set(Slot, Variant());
  InvalidatePositions();
}

void TClientTable::Clear() {
  std::vector<TFieldType> types;
  for (const TClientColumn& column : FColumns) types.push_back(column.Type());
  FColumns.clear();
  for (TFieldType type : types) FColumns.emplace_back(type);
  FSequence.clear();
  FDead.clear();
  FOrder.clear();
  FPositions.clear();
  FPositionsValid = true;
}

Int64 TClientTable::NextAutoInc(int Column) { return ++FAutoInc[Column]; }

// ---- TClientTable: order ---------------------------------------------------------------------

bool TClientTable::Before(int A, int B) const {
  for (const TClientSortKey& key : FKeys) {
    int order = FColumns[key.Column].Compare(A, B, key.CaseInsensitive);
    if (key.Descending) order = -order;
    if (order != 0) return order < 0;
  }
  return FSequence[A] < FSequence[B];
}

void TClientTable::InsertInOrder(int Slot) {
  const auto place = std::upper_bound(FOrder.begin(), FOrder.end(), Slot,
                                      [this](int a, int b) { return Before(a, b); });
  FOrder.insert(place, Slot);
  InvalidatePositions();
}

void TClientTable::RenumberSequence() {
  Int64 next = SequenceGap;
  for (int slot : FOrder) {
    FSequence[slot] = next;
    next += SequenceGap;
  }
}

void TClientTable::SetOrder(std::vector<TClientSortKey> Keys) {
  FKeys = std::move(Keys);
  InvalidatePositions();
  if (FKeys.empty()) {
    std::sort(FOrder.begin(), FOrder.end(), [this](int a, int b) { return FSequence[a] < FSequence[b]; });
    return;
  }
  // Case-insensitive text keys are folded once per row rather than once per comparison.
  std::vector<std::vector<String>> folded(FKeys.size());
  for (std::size_t k = 0; k < FKeys.size(); ++k) {
    const TClientColumn& column = FColumns[FKeys[k].Column];
    if (!FKeys[k].CaseInsensitive || column.Storage() != TClientColumn::csText) continue;
    folded[k].resize(FDead.size());
    for (int slot : FOrder)
      if (!column.IsNull(slot)) folded[k][slot] = column.FoldedText(slot);
  }
  if (SortSlotsByKeys(FOrder, FColumns, FKeys, FSequence, folded)) return;
  std::sort(FOrder.begin(), FOrder.end(), [&](int a, int b) {
    for (std::size_t k = 0; k < FKeys.size(); ++k) {
      const TClientColumn& column = FColumns[FKeys[k].Column];
      int order;
      if (!folded[k].empty() && !column.IsNull(a) && !column.IsNull(b))
        order = folded[k][a].compare(folded[k][b]);
      else
        order = column.Compare(a, b, FKeys[k].CaseInsensitive);
      if (FKeys[k].Descending) order = -order;
      if (order != 0) return order < 0;
    }
    return FSequence[a] < FSequence[b];
  });
}

}  // namespace kel
