// TComponent: the owned-components list, names, free notification and the destruction order
// described in Component.h.
#include "platform/classes/Component.h"

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ClassesPrivate.h"
#include "platform/classes/Properties.h"

namespace kel {

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  NotifyFreeSubscribers();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

const TPropList& TComponent::PublishedProperties() {
  static const TPropList list = PropertyTable<TComponent>()
      .String("Name", &TComponent::Name, &TComponent::SetName)
      .Int64("Tag", &TComponent::Tag, &TComponent::SetTag, 0)
      .Stored("Name", false);
  return list;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  const auto& siblings = FOwner->FComponents;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* component : FComponents)
    if (SameIdent(component->FName, AName)) return component;
  return nullptr;
}

void TComponent::CheckUniqueName(const TComponent* AComponent, const String& NewName) const {
  if (NewName.empty()) return;
  for (const TComponent* component : FComponents)
    if (component != AComponent && SameIdent(component->FName, NewName))
      throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner == this) return;
  CheckUniqueName(AComponent, AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end()) FComponents.erase(it);
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    // Siblings hear of the removal only when the component asked for it: that keeps freeing a
    // large owner linear.
    if (instance->FComponentState.Contains(csFreeNotification))
      RemoveComponent(instance);
    else
      Remove(instance);
    delete instance;
  }
}

void TComponent::SetName(const String& NewName) {
  if (NewName == FName) return;
  if (!NewName.empty() && !detail::IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (FOwner) FOwner->CheckUniqueName(this, NewName);
  FName = NewName;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  DropFreeNotification(AComponent);
  AComponent->DropFreeNotification(this);
}

void TComponent::DropFreeNotification(TComponent* AComponent) {
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
}

void TComponent::NotifyFreeSubscribers() {
  while (!FFreeNotifies.empty()) {
    TComponent* subscriber = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    // Unlinked before the call, so an override that forgets the base leaves nothing dangling.
    subscriber->DropFreeNotification(this);
    subscriber->Notification(this, opRemove);
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A handler may free components of this owner: walk down and re-clamp after each call.
  for (int i = ComponentCount() - 1; i >= 0; --i) {
    FComponents[static_cast<std::size_t>(i)]->Notification(AComponent, Operation);
    i = std::min(i, ComponentCount());
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* component : FComponents) component->Destroying();
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

}  // namespace kel
