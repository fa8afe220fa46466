// Runs the demo program as a child process, as a user would, and reads what it prints.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace kel::testsupport {

// The demo program built beside the tests.
std::string DemoProgram();

struct TProcessResult {
  int ExitCode = -1;   // -1 when the program did not end normally
  std::string Output;  // standard output and error, interleaved
};

// Runs the program with Arguments (each quoted for the shell) and waits for it to end. OnLine
// sees each line of output as it arrives, while the program still runs.
TProcessResult RunDemo(const std::vector<std::string>& Arguments,
                       const std::function<void(const std::string& Line)>& OnLine = {});

}  // namespace kel::testsupport
