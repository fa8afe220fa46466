// Helpers shared by the component-model sources and not by users: identifiers and the
// locale-independent number text used by property values and streams.
#pragma once

#include <utility>

#include "platform/rtl/Types.h"

namespace kel::detail {

// An ASCII letter or '_', then letters, digits or '_'.
bool IsValidIdent(const String& Name);
// The shortest text that reads back as exactly the same double, with '.' as separator.
String FloatToText(double Value);
// Whole text as a finite double / a decimal Int64 with an optional sign; false otherwise.
bool TextToFloat(const String& Text, double& Value);
bool TextToInt64(const String& Text, Int64& Value);

}  // namespace kel::detail

namespace kel::detail {

// Runs a function when the scope ends, however it ends.
template <typename F>
class TScopeExit {
 public:
  explicit TScopeExit(F f) : FFunction(std::move(f)) {}
  ~TScopeExit() { FFunction(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F FFunction;
};

}  // namespace kel::detail
