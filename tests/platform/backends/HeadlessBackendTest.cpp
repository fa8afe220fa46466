// The headless backend: fixed screen, process clipboard, virtual clock, no input of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "../rtl/EnvironmentScope.h"
#include "../rtl/ErrorOf.h"
#include "platform/ui/Backend.h"
#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

// KEL_BACKEND and DISPLAY as a case wants them; SDL tries X11 only, the display the cases name.
struct TBackendEnvironment {
  TBackendEnvironment(const char* wanted, const char* display)
      : Backend("KEL_BACKEND", wanted), Display("DISPLAY", display) {}
  testing_support::TEnvironmentScope Backend, Display;
  testing_support::TEnvironmentScope Wayland{"WAYLAND_DISPLAY", nullptr};
  testing_support::TEnvironmentScope Driver{"SDL_VIDEODRIVER", "x11"};
};

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
    const TBackendEnvironment environment(c.wanted, c.display);
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
    const TBackendEnvironment environment(c.wanted, ":99999");
    EXPECT_THAT(testing_support::ErrorOf<Exception>([] { CreateBackend(); }), testing::HasSubstr(c.message));
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
