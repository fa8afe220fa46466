// TCollection and TCollectionItem: joining and leaving, moving, IDs, brackets and reports,
// Assign, and the name path of a collection found through its owner's published properties.
#include "platform/classes/Collection.h"

#include <algorithm>
#include <utility>

#include "platform/classes/Properties.h"

namespace kel {

// --- TCollection ------------------------------------------------------------------------------

TCollection::TCollection(const TClassInfo& AItemClass, TPersistent* AOwner)
    : FItemClass(&AItemClass), FOwner(AOwner) {
  if (!AItemClass.InheritsFrom(TCollectionItem::ClassInfo()) || !AItemClass.ItemFactory)
    throw EInvalidArgument(String(AItemClass.Name) + " is not a collection item class");
}

TCollection::~TCollection() {
  // No reports: a descendant's overrides are gone by now.
  while (!FItems.empty()) {
    TCollectionItem* item = FItems.back();
    FItems.pop_back();
    item->FCollection = nullptr;
    delete item;
  }
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FItemClass->CreateItem(this);
  ReportAdded(item);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  CheckIndex(Index, Count());
  TCollectionUpdate update(this);
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  update.Close();
  return item;
}

void TCollection::Delete(int Index) {
  CheckIndex(Index, Count() - 1);
  DeleteItem(FItems[static_cast<std::size_t>(Index)]);
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  TCollectionUpdate update(this);
  while (!FItems.empty()) DeleteItem(FItems.back());
  update.Close();
}

void TCollection::DeleteItem(TCollectionItem* Item) {
  Notify(Item, cnDeleting);
  RemoveItem(Item);
  delete Item;
}

TCollectionItem* TCollection::Items(int Index) const {
  CheckIndex(Index, Count() - 1);
  return FItems[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

String TCollection::GetNamePath() {
  if (!FOwner) return ClassName();
  const String ownerPath = FOwner->GetNamePath();
  if (ownerPath.empty()) return ClassName();
  for (const TPropInfo* info : GetPropList(FOwner))
    if (info->Kind == tkClass && info->GetObj(FOwner) == this) return ownerPath + "." + info->Name;
  return ownerPath + "." + ClassName();
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  TCollectionUpdate update(this);
  // The copies are made beside the current items, which go only once every copy succeeded.
  std::vector<TCollectionItem*> previous;
  previous.swap(FItems);
  try {
    for (TCollectionItem* item : *source) Add()->Assign(item);
  } catch (...) {
    while (!FItems.empty()) DiscardItem(FItems.back());
    FItems.swap(previous);
    throw;
  }
  FItems.swap(previous);
  while (!FItems.empty()) DeleteItem(FItems.front());
  FItems.swap(previous);
  update.Close();
}

void TCollection::DiscardItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  FItems.pop_back();
  Item->FCollection = nullptr;
  delete Item;
}

void TCollection::CheckIndex(int Index, int Limit) const {
  if (Index < 0 || Index > Limit)
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TCollection::JoinItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
}

void TCollection::ReportAdded(TCollectionItem* Item) {
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::MoveItem(int CurIndex, int NewIndex) {
  TCollectionItem* item = FItems[static_cast<std::size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, item);
}

TCollectionUpdate::~TCollectionUpdate() {
  try {
    Close();
  } catch (...) {
    // EndUpdate lowers the count before it reports, so the bracket is closed either way.
  }
}

void TCollectionUpdate::Close() {
  if (!FCollection) return;
  std::exchange(FCollection, nullptr)->EndUpdate();
}

// --- TCollectionItem --------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* ACollection) {
  if (ACollection) ACollection->JoinItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (Value == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) {
    Value->JoinItem(this);
    Value->ReportAdded(this);
  }
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  const int current = Index();
  if (current < 0 || current == Value) return;
  FCollection->CheckIndex(Value, FCollection->Count() - 1);
  FCollection->MoveItem(current, Value);
  Changed(true);
}

void TCollectionItem::SetDisplayName(const String& Value) { Changed(false); }

String TCollectionItem::GetNamePath() {
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

}  // namespace kel
