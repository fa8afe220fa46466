#include "platform/classes/Object.h"

namespace kel {

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

String TPersistent::GetNamePath() { return ClassName(); }

void TPersistent::AssignError(TPersistent* Source) {
  const String sourceName = Source ? Source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

}  // namespace kel
