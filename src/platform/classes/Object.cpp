// TClassInfo's factories and the TPersistent protocol (Assign/AssignTo, name paths).
#include "platform/classes/Object.h"

namespace kel {

namespace {

[[noreturn]] void CannotCreate(const TClassInfo& info) {
  throw EInvalidOperation(String("Cannot create an instance of ") + info.Name);
}

}  // namespace

TComponent* TClassInfo::CreateComponent(TComponent* Owner) const {
  if (!ComponentFactory) CannotCreate(*this);
  return ComponentFactory(Owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* Collection) const {
  if (!ItemFactory) CannotCreate(*this);
  return ItemFactory(Collection);
}

TObject* TClassInfo::CreateObject() const {
  if (!ObjectFactory) CannotCreate(*this);
  return ObjectFactory();
}

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

String TPersistent::GetNamePath() {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    const String ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + "." + result;
  }
  return result;
}

void TPersistent::AssignError(TPersistent* Source) {
  const String sourceName = Source ? Source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

}  // namespace kel
