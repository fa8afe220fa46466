// TCollection and TCollectionItem: an ordered list of items of one item class, owned by the
// collection, with update brackets and change reports.
//
// Creating items. Items are made by the collection (Add, Insert, or reading a stream), through
// the item class's factory. An item's constructor takes the collection and joins it silently
// (it already has its Index and ID inside a descendant's constructor); Add and Insert then report
// it (Notify cnAdded, Update) once it is fully built.
//
// Change reports. Update(Item) tells a descendant that one item changed (Item) or that the set
// of items or all of them changed (null). Inside BeginUpdate/EndUpdate nothing is reported; the
// outermost EndUpdate reports Update(null) once. Notify(Item, cnAdded / cnDeleting /
// cnExtracting) reports items joining and leaving: Delete and Clear send cnDeleting while the
// item is still whole, then cnExtracting as it leaves. Deleting an item directly sends
// cnExtracting from its destructor, when only its TCollectionItem part is left: handlers compare
// the pointer and do not call it.
#pragma once

#include <cstdint>
#include <iterator>
#include <vector>

#include "platform/classes/Object.h"

namespace kel {

class TCollectionItem;

enum TCollectionNotification : std::uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
  KEL_CLASS(TCollection, TPersistent)

 public:
  template <typename Item>
  class TIterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Item*;
    using difference_type = std::ptrdiff_t;
    using pointer = Item**;
    using reference = Item*;

    TIterator() = default;
    explicit TIterator(std::vector<TCollectionItem*>::const_iterator position) : FPosition(position) {}
    template <typename Other>
    explicit TIterator(const TIterator<Other>& other) : FPosition(other.FPosition) {}
    Item* operator*() const { return static_cast<Item*>(*FPosition); }
    TIterator& operator++() { ++FPosition; return *this; }
    TIterator operator++(int) { TIterator before = *this; ++FPosition; return before; }
    bool operator==(const TIterator& other) const { return FPosition == other.FPosition; }

   private:
    template <typename>
    friend class TIterator;
    std::vector<TCollectionItem*>::const_iterator FPosition;
  };
  using iterator = TIterator<TCollectionItem>;

  // AItemClass must describe a TCollectionItem descendant with an item factory; EInvalidArgument
  // otherwise. AOwner is the object that holds the collection (its streaming owner).
  explicit TCollection(const TClassInfo& AItemClass, TPersistent* AOwner = nullptr);
  ~TCollection() override;

  TCollectionItem* Add();
  // A new item at Index (0..Count); EListError otherwise.
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  // The item at Index (0..Count-1); EListError otherwise.
  TCollectionItem* Items(int Index) const;
  TCollectionItem* FindItemID(int ID) const;
  TClass ItemClass() const { return FItemClass; }
  TPersistent* Owner() const { return FOwner; }
  TPersistent* GetOwner() override { return FOwner; }
  // The owner's path and the owner's property that holds this collection ("Grid1.Columns").
  String GetNamePath() override;

  virtual void BeginUpdate() { ++FUpdateCount; }
  // Closes a bracket; the outermost reports Update(null). Prefer TCollectionUpdate.
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // From another collection: one new item per source item, assigned from it; the previous items
  // are deleted once every copy succeeded. An item that refuses its source leaves the collection
  // as it was.
  void Assign(TPersistent* Source) override;

  iterator begin() const { return iterator(FItems.begin()); }
  iterator end() const { return iterator(FItems.end()); }

 protected:
  virtual void Update(TCollectionItem* Item) {}
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  // Reports Update(null) unless inside a bracket.
  void Changed();

 private:
  friend class TCollectionItem;

  void CheckIndex(int Index, int Limit) const;
  void JoinItem(TCollectionItem* Item);
  void ReportAdded(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(int CurIndex, int NewIndex);
  void DeleteItem(TCollectionItem* Item);
  // Takes the last item back out of an Assign that failed.
  void DiscardItem(TCollectionItem* Item);

  TClass FItemClass;                     // class of the items Add creates
  TPersistent* FOwner = nullptr;         // holder of the collection; not owned
  std::vector<TCollectionItem*> FItems;  // owned items in order
  int FUpdateCount = 0;                  // depth of BeginUpdate brackets
  int FNextID = 0;                       // ID of the next item to join
};

class TCollectionItem : public TPersistent {
  KEL_CLASS(TCollectionItem, TPersistent)

 public:
  explicit TCollectionItem(TCollection* ACollection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item into another collection (a new ID there) or, with null, out of any.
  virtual void SetCollection(TCollection* Value);
  // Position in the collection; -1 without one.
  int Index() const;
  // Moves the item to Value (0..Count-1; EListError otherwise) and reports all items changed.
  virtual void SetIndex(int Value);
  // Unique within the collection for its lifetime; never reused.
  int ID() const { return FID; }
  String DisplayName() { return GetDisplayName(); }
  // The base only reports the item changed; descendants that keep a name store it.
  virtual void SetDisplayName(const String& Value);

  TPersistent* GetOwner() override { return FCollection; }
  // "<collection path>[<index>]".
  String GetNamePath() override;

 protected:
  // The class name unless a descendant says better.
  virtual String GetDisplayName() { return ClassName(); }
  // Reports this item (or, with AllItems, every item) changed unless inside a bracket.
  void Changed(bool AllItems);

 private:
  friend class TCollection;

  TCollection* FCollection = nullptr;  // the collection that owns this item
  int FID = 0;                         // assigned from the collection's NextID on joining
};

// Typed access to a collection whose items are TItem (or a descendant given as item class).
template <typename TItem>
class TCollectionOf : public TCollection {
 public:
  using iterator = TIterator<TItem>;

  explicit TCollectionOf(TPersistent* AOwner = nullptr)
      : TCollection(TItem::ClassInfo(), AOwner) {}
  TCollectionOf(const TClassInfo& AItemClass, TPersistent* AOwner)
      : TCollection(CheckItemClass(AItemClass), AOwner) {}

  TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
  TItem* Insert(int Index) { return static_cast<TItem*>(TCollection::Insert(Index)); }
  TItem* Items(int Index) const { return static_cast<TItem*>(TCollection::Items(Index)); }
  TItem* FindItemID(int ID) const { return static_cast<TItem*>(TCollection::FindItemID(ID)); }
  iterator begin() const { return iterator(TCollection::begin()); }
  iterator end() const { return iterator(TCollection::end()); }

 private:
  static const TClassInfo& CheckItemClass(const TClassInfo& AItemClass) {
    if (!AItemClass.InheritsFrom(TItem::ClassInfo()))
      throw EInvalidArgument(String(AItemClass.Name) + " is not a " + TItem::ClassInfo().Name);
    return AItemClass;
  }
};

// Holds an update bracket of a collection. Close() ends it and reports the bracket's changes,
// raising what the report raises; a bracket left by an exception is ended by the destructor,
// which still reports but drops a failure of the report in favour of the error under way.
class TCollectionUpdate {
 public:
  explicit TCollectionUpdate(TCollection* Collection) : FCollection(Collection) {
    FCollection->BeginUpdate();
  }
  ~TCollectionUpdate();
  TCollectionUpdate(const TCollectionUpdate&) = delete;
  TCollectionUpdate& operator=(const TCollectionUpdate&) = delete;

  void Close();

 private:
  TCollection* FCollection;  // null once the bracket is closed
};

}  // namespace kel
