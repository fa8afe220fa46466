// kelgrid-demo: the sample orders in the data-aware grid. Live (SDL2) when a display exists;
// with --screenshot, or without a display, the same window painted headless into a PNG.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <unistd.h>

#include "DemoForm.h"
#include "DemoOptions.h"
#include "SampleDatabase.h"
#include "platform/testkit/Testkit.h"

using namespace kel;
using namespace kel::demo;

namespace {

// One line that counts up on a terminal; only its last state in a log.
void PrintProgress(int Done, int Total) {
  if (Done != Total && !isatty(fileno(stdout))) return;
  std::printf("\rCreating the sample database: %d of %d orders (%d%%)", Done, Total,
              static_cast<int>(100LL * Done / Total));
  if (Done == Total) std::printf("\n");
  std::fflush(stdout);
}

// The headless backend is chosen before the first window exists.
void ChooseBackend(const TDemoOptions& Options) {
  if (Options.Screenshot) setenv("KEL_BACKEND", "headless", /*overwrite=*/1);
}

std::filesystem::path ScreenshotPath(const TDemoOptions& Options) {
  return Options.Screenshot ? std::filesystem::path(*Options.Screenshot)
                            : std::filesystem::temp_directory_path() / "kelgrid-demo.png";
}

// Headless: the first frame with the delayed totals in, written as a PNG.
void SaveScreenshot(TDemoForm* Form, const std::filesystem::path& Path) {
  Application->ProcessMessages();
  Application->AdvanceTime(static_cast<Cardinal>(DelayInterval));
  testkit::SavePng(Form, Path.string());
  std::printf("The window was painted into %s\n", std::filesystem::absolute(Path).c_str());
}

// Live: tells where the grid is (tests capture the screen there), then runs until closed.
void RunLive(TDemoForm* Form, int QuitAfter) {
  Application->ProcessMessages();
  const TRect grid = Form->GridScreenRect();
  std::printf("grid %d %d %d %d\n", grid.Left, grid.Top, grid.Width(), grid.Height());
  std::fflush(stdout);
  if (QuitAfter > 0) Application->StartTimer(static_cast<Cardinal>(QuitAfter), [] { Application->Terminate(); });
  Application->Run();
}

int Run(const TDemoOptions& Options) {
  ChooseBackend(Options);
  const std::filesystem::path database =
      Options.DatabasePath.empty() ? DefaultDatabasePath() : std::filesystem::path(Options.DatabasePath);
  EnsureSampleDatabase(database, Options.Rows > 0 ? Options.Rows : DefaultOrderRows, PrintProgress);
  if (!Options.Style.empty()) TStyleManager::SetStyle(Options.Style);
  auto form = std::make_unique<TDemoForm>(database);
  form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
  Application->SetMainForm(form.get());
  form->Show();
  if (Options.Screenshot || Application->VirtualClock())
    SaveScreenshot(form.get(), ScreenshotPath(Options));
  else
    RunLive(form.get(), Options.QuitAfter);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TDemoOptions options;
  try {
    options = ParseDemoOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const EDemoUsage& e) {
    std::fprintf(stderr, "kelgrid-demo: %s\n", e.what());
    return 2;
  }
  if (options.Help) {
    std::printf("%s", DemoUsage().c_str());
    return 0;
  }
  try {
    return Run(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelgrid-demo: %s\n", e.what());
    return 1;
  }
}
