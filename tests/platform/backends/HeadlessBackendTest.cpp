// The headless backend: fixed screen, process clipboard, virtual clock, no input of its own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backends/Backend.h"
#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

TEST(HeadlessBackendTest, AnswersAFixedScreenAndKeepsTheClipboard) {
  auto backend = CreateHeadlessBackend();
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

TEST(HeadlessBackendTest, KelBackendChoosesTheBackend) {
  struct Case {
    const char* wanted;
    const char* display;
    const char* expected;
  };
  const Case cases[] = {
      {"headless", ":99", "headless"},
      {nullptr, nullptr, "headless"},
  };
  const char* savedBackend = std::getenv("KEL_BACKEND");
  const String saved = savedBackend ? savedBackend : "";
  const char* savedDisplay = std::getenv("DISPLAY");
  const String display = savedDisplay ? savedDisplay : "";
  for (const Case& c : cases) {
    c.wanted ? setenv("KEL_BACKEND", c.wanted, 1) : unsetenv("KEL_BACKEND");
    c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_STREQ(CreateBackend()->Name(), c.expected);
  }
  savedBackend ? setenv("KEL_BACKEND", saved.c_str(), 1) : unsetenv("KEL_BACKEND");
  savedDisplay ? setenv("DISPLAY", display.c_str(), 1) : unsetenv("DISPLAY");
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
