// Choosing the backend at start: KEL_BACKEND=headless|sdl, else sdl when a display exists.
#include "platform/backends/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kel {

std::unique_ptr<TBackend> CreateBackend() {
  const char* wanted = std::getenv("KEL_BACKEND");
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  const bool sdl = wanted ? std::strcmp(wanted, "sdl") == 0 : display;
  if (sdl) {
    if (auto backend = CreateSdlBackend()) return backend;
    std::fprintf(stderr, "kel: no display for the sdl backend; running headless\n");
  }
  return CreateHeadlessBackend();
}

}  // namespace kel
