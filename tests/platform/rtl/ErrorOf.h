// The message of the exception of type E an action raises, so a test compares it with the one
// it expects in one line; an exception of another type escapes and fails the test.
#pragma once

#include <functional>

#include "platform/rtl/Exceptions.h"

namespace kel::testing_support {

template <typename E>
String ErrorOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const E& error) {
    return error.Message();
  }
  return "no error";
}

}  // namespace kel::testing_support
