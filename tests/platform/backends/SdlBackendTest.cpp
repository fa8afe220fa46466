// The SDL2 backend on a real (virtual) display. The headless runs skip these; CTest runs this
// program once more under xvfb-run with KEL_BACKEND=sdl, where they must find a live backend.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/Backend.h"
#include "platform/testkit/Testkit.h"
#include "ScreenCapture.h"

namespace kel {
namespace {

// Runs the loop until Done answers true or two seconds of real time pass.
template <typename F>
bool PumpUntil(F done) {
  const Uint64 until = SDL_GetTicks64() + 2000;
  while (!done()) {
    if (SDL_GetTicks64() > until) return false;
    Application->ProcessMessages();
    SDL_Delay(5);
  }
  return true;
}

SDL_Window* FindWindow(const char* title) {
  for (Uint32 id = 1; id < 256; ++id)
    if (SDL_Window* window = SDL_GetWindowFromID(id); window && String(SDL_GetWindowTitle(window)) == title)
      return window;
  return nullptr;
}

void PushMouse(Uint32 type, SDL_Window* window, TPoint pos, Uint8 button = SDL_BUTTON_LEFT) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_MOUSEMOTION) {
    event.motion.windowID = SDL_GetWindowID(window);
    event.motion.x = pos.X;
    event.motion.y = pos.Y;
  } else {
    event.button.windowID = SDL_GetWindowID(window);
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = pos.X;
    event.button.y = pos.Y;
  }
  SDL_PushEvent(&event);
}

TColor ScreenPixel(TPoint p) {
  const std::uint32_t rgb = testsupport::ScreenPixelRgb(p.X, p.Y);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class SdlBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* wanted = std::getenv("KEL_BACKEND");
    if (!wanted || String(wanted) != "sdl") GTEST_SKIP() << "runs in the live leg, KEL_BACKEND=sdl";
    ASSERT_STREQ(Application->Backend()->Name(), "sdl");
    form = new TForm(nullptr);
    form->SetCaption("SdlBackendTest");
    form->SetBounds(100, 80, 320, 200);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetAlign(alTop);
    panel->SetHeight(50);
    panel->SetColor(RGB(0x20, 0x60, 0xC0));
    button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(20, 100, 90, 30);
    button->SetCaption("Click");
    button->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
    window = FindWindow("SdlBackendTest");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) != 0; }));
    Application->ProcessMessages();
  }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TButton* button = nullptr;
  SDL_Window* window = nullptr;
  int clicks = 0;
};

TEST_F(SdlBackendTest, FormShowsAsAWindowOfItsSize) {
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 200);
  EXPECT_FALSE(Application->VirtualClock());
}

TEST_F(SdlBackendTest, EventPushedThroughSdlReachesTheControl) {
  const TPoint at = {button->Left() + 10, button->Top() + 10};
  PushMouse(SDL_MOUSEMOTION, window, at);
  PushMouse(SDL_MOUSEBUTTONDOWN, window, at);
  PushMouse(SDL_MOUSEBUTTONUP, window, at);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST_F(SdlBackendTest, PopupOpensAtAScreenPositionAndClosesOnButtonUp) {
  TPopupMenu menu(nullptr);
  String chosen;
  auto* item = new TMenuItem(&menu);
  item->SetCaption("First");
  item->OnClick = [&](TObject*) { chosen = "First"; };
  menu.Items()->Add(item);
  menu.SetPopupComponent(button);
  menu.Popup(400, 300);
  TPopupMenuWindow* popup = menu.Window();
  ASSERT_NE(popup, nullptr);
  SDL_Window* native = nullptr;
  for (Uint32 id = 1; id < 256 && !native; ++id)
    if (SDL_Window* w = SDL_GetWindowFromID(id); w && w != window && (SDL_GetWindowFlags(w) & SDL_WINDOW_SHOWN))
      native = w;
  ASSERT_NE(native, nullptr);
  EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_BORDERLESS);
  int x = 0, y = 0;
  ASSERT_TRUE(PumpUntil([&] {
    SDL_GetWindowPosition(native, &x, &y);
    return x == 400 && y == 300;
  })) << x << "," << y;
  const TPoint row = popup->ClientToScreen(popup->RowRect(0).CenterPoint());
  const TPoint inPopup = {row.X - 400, row.Y - 300};
  PushMouse(SDL_MOUSEMOTION, native, inPopup);
  PushMouse(SDL_MOUSEBUTTONDOWN, native, inPopup);
  Application->ProcessMessages();
  EXPECT_NE(menu.Window(), nullptr);  // still open while the button is down
  PushMouse(SDL_MOUSEBUTTONUP, native, inPopup);
  EXPECT_TRUE(PumpUntil([&] { return menu.Window() == nullptr; }));
  EXPECT_EQ(chosen, "First");
  EXPECT_TRUE(PumpUntil([&] { return SDL_GetKeyboardFocus() == window; }));
}

TEST_F(SdlBackendTest, ClipboardRoundTripsText) {
  Clipboard()->SetAsText("Alpha\tBeta");
  EXPECT_EQ(Clipboard()->AsText(), "Alpha\tBeta");
}

TEST_F(SdlBackendTest, ScreenCaptureShowsThePaintedPixels) {
  const TPoint inPanel = panel->ClientToScreen({160, 25});
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(inPanel) == RGB(0x20, 0x60, 0xC0); }))
      << std::hex << ScreenPixel(inPanel);
  const TPoint onForm = form->ClientToScreen({300, 190});
  EXPECT_EQ(ScreenPixel(onForm), ColorToRGB(clBtnFace));
}

}  // namespace
}  // namespace kel
