// Sets (or, with a null value, removes) one environment variable for the life of the object and
// puts the previous state back afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kel::testing_support {

class TEnvironmentScope {
 public:
  TEnvironmentScope(const char* name, const char* value) : FName(name) {
    if (const char* previous = std::getenv(name)) FPrevious = previous;
    Apply(value);
  }
  ~TEnvironmentScope() { Apply(FPrevious ? FPrevious->c_str() : nullptr); }
  TEnvironmentScope(const TEnvironmentScope&) = delete;
  TEnvironmentScope& operator=(const TEnvironmentScope&) = delete;

 private:
  void Apply(const char* value) {
    if (value)
      ::setenv(FName.c_str(), value, 1);
    else
      ::unsetenv(FName.c_str());
  }

  std::string FName;
  std::optional<std::string> FPrevious;  // the value before the scope; none when it was unset
};

}  // namespace kel::testing_support
