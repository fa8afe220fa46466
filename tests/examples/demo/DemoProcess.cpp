// The demo as a child process: popen through the shell, output line by line, the exit status
// from pclose.
#include "DemoProcess.h"

#include <sys/wait.h>

#include <memory>

namespace kel::testsupport {

namespace {

std::string ShellQuoted(const std::string& Text) {
  std::string quoted = "'";
  for (char c : Text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct TPipeCloser {
  int* ExitCode;
  void operator()(FILE* Pipe) const {
    const int status = pclose(Pipe);
    *ExitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

}  // namespace

std::string DemoProgram() { return KELGRID_DEMO_PROGRAM; }

TProcessResult RunDemo(const std::vector<std::string>& Arguments,
                       const std::function<void(const std::string& Line)>& OnLine) {
  TProcessResult result;
  std::string command = ShellQuoted(DemoProgram());
  for (const std::string& argument : Arguments) command += " " + ShellQuoted(argument);
  command += " 2>&1";
  {
    std::unique_ptr<FILE, TPipeCloser> pipe(popen(command.c_str(), "r"), TPipeCloser{&result.ExitCode});
    if (!pipe) return result;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe.get())) {
      result.Output += buffer;
      if (OnLine) OnLine(buffer);
    }
  }
  return result;
}

}  // namespace kel::testsupport
