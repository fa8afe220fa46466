// The demo's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace kel::demo {

// A command line the demo cannot run with; main prints the message and exits with code 2.
class EDemoUsage : public Exception {
 public:
  using Exception::Exception;
};

struct TDemoOptions {
  bool Help = false;
  std::string DatabasePath;             // empty: DefaultDatabasePath()
  int Rows = 0;                         // 0: DefaultOrderRows
  std::string Style;                    // empty: the system look
  std::optional<std::string> Screenshot;  // set: paint headless into this PNG and exit
  int QuitAfter = 0;                    // live: end by itself after this many ms; 0 = never
};

// Reads Arguments (without the program name). Raises EDemoUsage for an unknown option, a
// missing or malformed value and a style the style manager does not have.
TDemoOptions ParseDemoOptions(const std::vector<std::string>& Arguments);

// The text --help prints.
std::string DemoUsage();

}  // namespace kel::demo
