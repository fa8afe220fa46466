// The headless backend: fixed screen, process clipboard, virtual clock, no input of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

// RAII: environment variables set (null: unset) for a scope, restored after it.
class TEnvironmentScope {
 public:
  TEnvironmentScope(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name);
      FSaved.push_back({name, old != nullptr, old ? old : ""});
      value ? setenv(name, value, 1) : unsetenv(name);
    }
  }
  ~TEnvironmentScope() {
    for (const Saved& saved : FSaved)
      saved.Set ? setenv(saved.Name, saved.Value.c_str(), 1) : unsetenv(saved.Name);
  }
  TEnvironmentScope(const TEnvironmentScope&) = delete;
  TEnvironmentScope& operator=(const TEnvironmentScope&) = delete;

 private:
  struct Saved {
    const char* Name;
    bool Set;
    String Value;
  };
  std::vector<Saved> FSaved;
};

// KEL_BACKEND and DISPLAY as a case wants them; SDL tries X11 only, the display the cases name.
TEnvironmentScope BackendEnvironment(const char* wanted, const char* display) {
  return {{"KEL_BACKEND", wanted}, {"DISPLAY", display}, {"WAYLAND_DISPLAY", nullptr},
          {"SDL_VIDEODRIVER", "x11"}};
}

TEST(HeadlessBackendTest, AnswersAFixedScreenAndKeepsTheClipboard) {
  auto backend = CreateBackend("headless");
  EXPECT_STREQ(backend->Name(), "headless");
  EXPECT_TRUE(backend->VirtualClock());
  EXPECT_EQ(backend->ScreenRect(), Rect(0, 0, 1920, 1080));
  const TRect work = backend->WorkArea();
  EXPECT_EQ(work.Width(), 1920);
  EXPECT_LT(work.Height(), 1080);
  backend->SetClipboardText("row 1\r\nrow 2");
  EXPECT_EQ(backend->ClipboardText(), "row 1\r\nrow 2");
  int events = 0;
  backend->PumpEvents(0, [&](const TInputEvent&) { ++events; });
  EXPECT_EQ(events, 0);
}

TEST(BackendRegistryTest, EachLinkedBackendRegisteredItself) {
  EXPECT_EQ(RegisteredBackends(), (std::vector<String>{"headless", "sdl"}));
}

TEST(BackendRegistryTest, KelBackendChoosesTheBackend) {
  struct Case {
    const char* wanted;
    const char* display;
    const char* expected;
  };
  const Case cases[] = {
      {"headless", ":99", "headless"},
      {nullptr, nullptr, "headless"},
      {"", nullptr, "headless"},
      {nullptr, ":99999", "headless"},  // no wish: a display that does not open is no display
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(String("KEL_BACKEND=") + (c.wanted ? c.wanted : "(unset)"));
    const TEnvironmentScope environment = BackendEnvironment(c.wanted, c.display);
    EXPECT_STREQ(CreateBackend()->Name(), c.expected);
  }
}

TEST(BackendRegistryTest, ABackendAskedForByNameStartsOrRaises) {
  struct Case {
    const char* wanted;
    const char* message;
  };
  const Case cases[] = {
      {"sdl", "the sdl backend cannot open the display ':99999'"},
      {"wayland", "no backend named 'wayland' is linked into the program (linked: headless, sdl)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wanted);
    const TEnvironmentScope environment = BackendEnvironment(c.wanted, ":99999");
    try {
      CreateBackend();
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_NE(String(e.what()).find(c.message), String::npos) << e.what();
    }
  }
}

TEST(HeadlessBackendTest, ApplicationRunsHeadlessUnderTests) {
  if (String(Application->Backend()->Name()) != "headless") GTEST_SKIP() << "live backend";
  EXPECT_TRUE(Application->VirtualClock());
  const DWord before = GetTickCount();
  Sleep(30);  // moves the virtual clock without running anything
  EXPECT_EQ(GetTickCount(), before + 30);
  EXPECT_EQ(Screen->Width(), 1920);
}

}  // namespace
}  // namespace kel
