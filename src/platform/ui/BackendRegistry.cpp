// The backends linked into the program, by name, and the choice among them at start:
// KEL_BACKEND=headless|sdl, else sdl when a display exists and opens, else headless.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Backend.h"

namespace kel {

namespace {

// Made on first use: backends register from static initializers of other files, whose order
// against this one's is unknown.
std::map<String, TBackendFactory>& Factories() {
  static std::map<String, TBackendFactory> factories;
  return factories;
}

String RegisteredList() {
  String list;
  for (const String& name : RegisteredBackends()) list += (list.empty() ? "" : ", ") + name;
  return list.empty() ? String("none") : list;
}

bool DisplayExists() { return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY"); }

// Without a wish from KEL_BACKEND a live backend is only a preference: no display, no window.
std::unique_ptr<TBackend> CreateAutomaticBackend() {
  if (DisplayExists() && Factories().contains("sdl")) {
    try {
      return CreateBackend("sdl");
    } catch (const Exception& e) {
      std::fprintf(stderr, "kel: %s; running headless\n", e.what());
    }
  }
  return CreateBackend("headless");
}

}  // namespace

void RegisterBackend(const String& Name, TBackendFactory Factory) { Factories()[Name] = Factory; }

std::vector<String> RegisteredBackends() {
  std::vector<String> names;
  for (const auto& [name, factory] : Factories()) names.push_back(name);
  return names;
}

std::unique_ptr<TBackend> CreateBackend(const String& Name) {
  const auto it = Factories().find(Name);
  if (it == Factories().end())
    throw EInvalidArgument("no backend named '" + Name + "' is linked into the program (linked: " +
                           RegisteredList() + ")");
  return it->second();
}

std::unique_ptr<TBackend> CreateBackend() {
  const char* wanted = std::getenv("KEL_BACKEND");
  return wanted && *wanted ? CreateBackend(String(wanted)) : CreateAutomaticBackend();
}

}  // namespace kel
