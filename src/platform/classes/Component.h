// TComponent: ownership, names, component state and free notification.
//
// Ownership. A component created with an owner is freed by it: the owner frees its components in
// the reverse order of their insertion. Deleting an owned component directly removes it from its
// owner first.
//
// References. A component that keeps a raw pointer to another asks it for a free notification
// (`Other->FreeNotification(this)`) and clears the pointer in its Notification override when it
// receives (Other, opRemove). The owner also passes every insertion and removal of one of its
// components on to all its components, so siblings hear of each other.
//
// Destruction, in order: csDestroying is set on the component and everything it owns; every
// component that asked for a free notification is told (opRemove); the owned components are
// destroyed, last first; the component leaves its owner, which tells its remaining components.
// C++ runs a derived destructor before ~TComponent: a descendant whose destructor does work that
// others can observe calls Destroying() first.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/classes/Object.h"

namespace kel {

struct TPropList;

enum TComponentStateItem : std::uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : std::uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
  KEL_CLASS(TComponent, TPersistent)

 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  // Published: Name (not stored: the stream writes it in the object header) and Tag (default 0).
  static const TPropList& PublishedProperties();

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // The owned component at Index (0..ComponentCount-1); EListError otherwise.
  TComponent* Components(int Index) const;
  // Position among the owner's components; -1 without an owner.
  int ComponentIndex() const;
  // The owned component of that name (letter case ignored); null when none or Name is empty.
  TComponent* FindComponent(const String& AName) const;
  // Makes this component the owner of AComponent, taking it from its previous owner. Raises
  // EComponentError, changing nothing, when another owned component has the same name.
  void InsertComponent(TComponent* AComponent);
  // Gives up ownership of AComponent (which is not freed) after telling the owned components.
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, last first.
  void DestroyComponents();

  const String& Name() const { return FName; }
  // An identifier (ASCII letter or '_', then letters, digits, '_') or empty. Raises
  // EComponentError "'x' is not a valid component name" or "A component named X already
  // exists" (another component of the same owner, letter case ignored).
  virtual void SetName(const String& NewName);
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }
  TComponentState ComponentState() const { return FComponentState; }

  // Asks this component to call AComponent->Notification(this, opRemove) when it is freed. The
  // request is mutual: if AComponent goes first, this one is told instead.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Runs after the component was read from a stream, its references resolved; the base clears
  // csLoading. Overrides call the base.
  virtual void Loaded();

  TPersistent* GetOwner() override { return FOwner; }
  // The component's name (not qualified by its owner).
  String GetNamePath() override { return FName; }

 protected:
  // AComponent was inserted into or is being removed from this component's owner tree, or is
  // being freed after asking for a free notification. Overrides clear their references to a
  // removed component and call the base, which passes the call on to the owned components.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Sets csDestroying here and on every owned component (once).
  void Destroying();

 private:
  friend class TReader;
  friend class TWriter;

  void CheckUniqueName(const TComponent* AComponent, const String& NewName) const;
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void NotifyFreeSubscribers();
  void DropFreeNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;              // frees this component; null for a top-level one
  std::vector<TComponent*> FComponents;      // owned components in insertion order
  std::vector<TComponent*> FFreeNotifies;    // components told when either side is freed
  String FName;                              // identifier, unique among the owner's components
  std::intptr_t FTag = 0;                    // free for the application
  TComponentState FComponentState;           // loading, reading, writing, destroying, ...
};

}  // namespace kel
