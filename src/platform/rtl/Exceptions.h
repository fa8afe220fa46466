// The exception hierarchy. Every error the library raises is an `Exception`; `EAbort` stops an
// operation silently (the application's exception handler ignores it).
#pragma once

#include <stdexcept>

#include "platform/rtl/Types.h"

namespace kel {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const String& message) : std::runtime_error(message) {}
  String Message() const { return what(); }
};

#define KEL_DECLARE_EXCEPTION(Name, Base)                        \
  class Name : public Base {                                     \
   public:                                                       \
    explicit Name(const String& message) : Base(message) {}      \
  };

KEL_DECLARE_EXCEPTION(EAbort, Exception)
KEL_DECLARE_EXCEPTION(EConvertError, Exception)
KEL_DECLARE_EXCEPTION(EListError, Exception)
KEL_DECLARE_EXCEPTION(EStringListError, EListError)
KEL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
KEL_DECLARE_EXCEPTION(EInvalidArgument, Exception)
KEL_DECLARE_EXCEPTION(ERangeError, Exception)
KEL_DECLARE_EXCEPTION(EMathError, Exception)
KEL_DECLARE_EXCEPTION(EZeroDivide, EMathError)
KEL_DECLARE_EXCEPTION(EInvalidOp, EMathError)
KEL_DECLARE_EXCEPTION(EOverflow, EMathError)
KEL_DECLARE_EXCEPTION(EUnderflow, EMathError)
KEL_DECLARE_EXCEPTION(EVariantError, Exception)
KEL_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError)
KEL_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError)
KEL_DECLARE_EXCEPTION(EVariantInvalidOpError, EVariantError)
KEL_DECLARE_EXCEPTION(EVariantBadIndexError, EVariantError)
KEL_DECLARE_EXCEPTION(EVariantNotAnArrayError, EVariantError)
KEL_DECLARE_EXCEPTION(EStreamError, Exception)
KEL_DECLARE_EXCEPTION(EFOpenError, EStreamError)
KEL_DECLARE_EXCEPTION(EFCreateError, EStreamError)
KEL_DECLARE_EXCEPTION(EFilerError, EStreamError)
KEL_DECLARE_EXCEPTION(EReadError, EFilerError)
KEL_DECLARE_EXCEPTION(EWriteError, EFilerError)
KEL_DECLARE_EXCEPTION(EIniFileException, Exception)
KEL_DECLARE_EXCEPTION(EClassNotFound, Exception)
KEL_DECLARE_EXCEPTION(EPropertyError, Exception)
KEL_DECLARE_EXCEPTION(EComponentError, Exception)
KEL_DECLARE_EXCEPTION(EDatabaseError, Exception)
KEL_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)
// Input a masked edit's mask does not accept.
KEL_DECLARE_EXCEPTION(EDBEditError, Exception)
KEL_DECLARE_EXCEPTION(EOutOfResources, Exception)
KEL_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
KEL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)

#undef KEL_DECLARE_EXCEPTION

// Raises a silent EAbort.
[[noreturn]] void Abort();

}  // namespace kel
