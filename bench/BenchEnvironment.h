// The fonts of the tests (DejaVu only) and the headless backend for every benchmark that opens
// windows, unless the caller chose others. Set before the first window exists.
#pragma once

#include <cstdlib>
#include <string>

namespace kel::bench {

inline const bool EnvironmentFixed = [] {
  std::string config = __FILE__;
  config.replace(config.rfind("bench/"), std::string::npos, "resources/fonts.conf");
  return setenv("FONTCONFIG_FILE", config.c_str(), /*overwrite=*/0) == 0 &&
         setenv("KEL_BACKEND", "headless", /*overwrite=*/0) == 0;
}();

}  // namespace kel::bench
