// Helpers shared by the variant sources (Variant.cpp: kinds and conversions; VariantOps.cpp:
// comparison and arithmetic). Not part of the public API.
#pragma once

#include "platform/rtl/Variant.h"

namespace kel::variant_detail {

// EVariantTypeCastError "Could not convert variant of type (<from>) into type (<to>)".
[[noreturn]] void RaiseCastError(TVarType from, TVarType to);
// EVariantOverflowError "Overflow while converting variant of type (<from>) into type (<to>)".
[[noreturn]] void RaiseOverflowError(TVarType from, TVarType to);

// The value as an integer, rounded half to even; `target` names the type in error messages.
BcdInt ToInteger(const Variant& v, TVarType target);

// Boolean and the integer kinds.
inline bool IsIntegerKind(Variant::TKind kind) {
  return kind >= Variant::vkBoolean && kind <= Variant::vkUInt64;
}
// Int64 and UInt64: the kinds whose arithmetic never narrows to Integer.
inline bool IsWideIntegerKind(Variant::TKind kind) {
  return kind == Variant::vkInt64 || kind == Variant::vkUInt64;
}
inline bool IsDateKind(Variant::TKind kind) {
  return kind == Variant::vkDate || kind == Variant::vkSQLTimeStamp ||
         kind == Variant::vkSQLTimeStampOffset;
}

}  // namespace kel::variant_detail
