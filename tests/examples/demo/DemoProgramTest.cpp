// The demo program as a user runs it: --help, a bad command line, a headless screenshot, and
// (in the live leg, KEL_BACKEND=sdl on a virtual display) a real window whose grid is found on
// the captured screen.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "DemoForm.h"
#include "DemoOptions.h"
#include "DemoTestSupport.h"
#include "LiveDisplay.h"

namespace kel::demo {
namespace {

struct TProcessResult {
  int ExitCode = -1;   // -1 when the program did not end normally
  std::string Output;  // standard output and error, interleaved
};

std::string ShellQuoted(const std::string& Text) {
  std::string quoted = "'";
  for (char c : Text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Closing the pipe gives the exit status (-1 when the program did not end normally).
struct TPipeCloser {
  int* ExitCode;
  void operator()(FILE* Pipe) const {
    const int status = pclose(Pipe);
    *ExitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

// Runs the demo built beside the tests, as a user would, and waits for it to end. OnLine sees
// each line of output as it arrives, while the program still runs.
TProcessResult RunDemo(const std::vector<std::string>& Arguments,
                       const std::function<void(const std::string& Line)>& OnLine = {}) {
  std::string command = ShellQuoted(KELGRID_DEMO_PROGRAM);
  for (const std::string& argument : Arguments) command += " " + ShellQuoted(argument);
  TProcessResult result;
  {
    std::unique_ptr<FILE, TPipeCloser> pipe(popen((command + " 2>&1").c_str(), "r"),
                                            TPipeCloser{&result.ExitCode});
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) {
      result.Output += buffer;
      if (OnLine) OnLine(buffer);
    }
  }
  return result;
}

class DemoProgramTest : public TTempFolderTest {};

TEST_F(DemoProgramTest, HelpPrintsTheOptionsAndABadCommandLineExitsWithCodeTwoAndSaysWhy) {
  const auto help = RunDemo({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_EQ(help.Output, DemoUsage());
  const auto result = RunDemo({"--rows", "none", "--db", (Folder / "orders.db").string()});
  EXPECT_EQ(result.ExitCode, 2);
  EXPECT_NE(result.Output.find("--rows needs a whole number"), std::string::npos) << result.Output;
  EXPECT_FALSE(std::filesystem::exists(Folder / "orders.db")) << "nothing is made before the line is read";
}

TEST_F(DemoProgramTest, AScreenshotIsTheWholeWindowAsAPng) {
  const auto shot = Folder / "demo.png";
  const auto result = RunDemo({"--screenshot", shot.string(), "--rows", "500", "--db", (Folder / "orders.db").string()});
  ASSERT_EQ(result.ExitCode, 0) << result.Output;
  TPngImage image;
  image.LoadFromFile(shot.string());
  EXPECT_EQ(image.Width(), DemoFormWidth);
  EXPECT_EQ(image.Height(), DemoFormHeight);
  EXPECT_NE(result.Output.find(shot.string()), std::string::npos) << "the path is printed";
  EXPECT_NE(result.Output.find("500 of 500 orders"), std::string::npos) << result.Output;
}

class DemoLiveTest : public TTempFolderTest {
 protected:
  void SetUp() override {
    if (!Live()) GTEST_SKIP() << "runs in the live leg, KEL_BACKEND=sdl";
  }
};

// The colour most pixels of the rows [Top, Bottom) have.
std::uint32_t CommonColour(const TScreenRegion& Region, int Top, int Bottom) {
  std::map<std::uint32_t, int> counts;
  for (int y = Top; y < Bottom; ++y)
    for (int x = 0; x < Region.Width; ++x) ++counts[Region.At(x, y)];
  return std::max_element(counts.begin(), counts.end(), [](auto& A, auto& B) { return A.second < B.second; })->first;
}

TEST_F(DemoLiveTest, TheGridShowsOnTheScreen) {
  TScreenRegion grid;
  std::string where;
  const auto result = RunDemo({"--rows", "300", "--db", (Folder / "orders.db").string(), "--quit-after", "2500"},
                              [&](const std::string& Line) {
                                if (Line.rfind("grid ", 0) != 0) return;
                                where = Line;
                                int left = 0, top = 0, width = 0, height = 0;
                                std::istringstream(Line.substr(5)) >> left >> top >> width >> height;
                                // The window is shown; give the server a moment to draw it.
                                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                                grid = CaptureScreen(left, top, width, height);
                              });
  EXPECT_EQ(result.ExitCode, 0) << result.Output;
  ASSERT_FALSE(where.empty()) << "the demo says where its grid is: " << result.Output;
  ASSERT_GT(grid.Height, 100) << "captured " << where;
  ASSERT_GT(grid.Width, 600) << "captured " << where;
  // The titles are painted apart from the data below them.
  const std::uint32_t titles = CommonColour(grid, 0, 4);
  const std::uint32_t data = CommonColour(grid, grid.Height / 3, grid.Height / 2);
  EXPECT_NE(titles, data) << std::hex << titles;
  // Down the middle of the data, rows are told apart by lines or stripes.
  int changes = 0;
  const int x = grid.Width / 2;
  for (int y = grid.Height / 4 + 1; y < grid.Height * 3 / 4; ++y) changes += grid.At(x, y) != grid.At(x, y - 1);
  EXPECT_GE(changes, 10) << "row boundaries in the middle half of " << where;
}

}  // namespace
}  // namespace kel::demo
