// The demo program as a user runs it: --help, a bad command line, a headless screenshot, and
// (in the live leg, KEL_BACKEND=sdl on a virtual display) a real window whose grid is found on
// the captured screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "DemoForm.h"
#include "DemoOptions.h"
#include "DemoProcess.h"
#include "DemoTestSupport.h"
#include "ScreenRegion.h"

namespace kel::demo {
namespace {

using testsupport::RunDemo;

// Width and height from a PNG file's header; {0, 0} when it is no PNG.
std::pair<int, int> PngSize(const std::filesystem::path& Path) {
  std::ifstream file(Path, std::ios::binary);
  unsigned char header[24] = {};
  file.read(reinterpret_cast<char*>(header), sizeof header);
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!file || !std::equal(signature, signature + 8, header)) return {0, 0};
  auto number = [&](int At) { return header[At] << 24 | header[At + 1] << 16 | header[At + 2] << 8 | header[At + 3]; };
  return {number(16), number(20)};
}

class DemoProgramTest : public testsupport::TTempFolderTest {};

TEST_F(DemoProgramTest, HelpPrintsTheOptions) {
  const auto result = RunDemo({"--help"});
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_EQ(result.Output, DemoUsage());
}

TEST_F(DemoProgramTest, ABadCommandLineExitsWithCodeTwoAndSaysWhy) {
  const auto result = RunDemo({"--rows", "none", "--db", (Folder / "orders.db").string()});
  EXPECT_EQ(result.ExitCode, 2);
  EXPECT_NE(result.Output.find("--rows needs a whole number"), std::string::npos) << result.Output;
  EXPECT_FALSE(std::filesystem::exists(Folder / "orders.db")) << "nothing is made before the line is read";
}

TEST_F(DemoProgramTest, AScreenshotIsTheWholeWindowAsAPng) {
  const auto shot = Folder / "demo.png";
  const auto result = RunDemo({"--screenshot", shot.string(), "--rows", "500", "--db", (Folder / "orders.db").string()});
  ASSERT_EQ(result.ExitCode, 0) << result.Output;
  EXPECT_EQ(PngSize(shot), std::make_pair(DemoFormWidth, DemoFormHeight));
  EXPECT_NE(result.Output.find(shot.string()), std::string::npos) << "the path is printed";
  EXPECT_NE(result.Output.find("500 of 500 orders"), std::string::npos) << result.Output;
}

// ---- Live, on a virtual display ------------------------------------------------------------

class DemoLiveTest : public testsupport::TTempFolderTest {
 protected:
  void SetUp() override {
    const char* wanted = std::getenv("KEL_BACKEND");
    if (!wanted || std::string(wanted) != "sdl") GTEST_SKIP() << "runs in the live leg, KEL_BACKEND=sdl";
    TTempFolderTest::SetUp();
  }
};

// The colour most pixels of the rows [Top, Bottom) have.
std::uint32_t CommonColour(const testsupport::TScreenRegion& Region, int Top, int Bottom) {
  std::map<std::uint32_t, int> counts;
  for (int y = Top; y < Bottom; ++y)
    for (int x = 0; x < Region.Width; ++x) ++counts[Region.At(x, y)];
  return std::max_element(counts.begin(), counts.end(), [](auto& A, auto& B) { return A.second < B.second; })->first;
}

TEST_F(DemoLiveTest, TheGridShowsOnTheScreen) {
  testsupport::TScreenRegion grid;
  std::string where;
  const auto result = RunDemo({"--rows", "300", "--db", (Folder / "orders.db").string(), "--quit-after", "2500"},
                              [&](const std::string& Line) {
                                if (Line.rfind("grid ", 0) != 0) return;
                                where = Line;
                                int left = 0, top = 0, width = 0, height = 0;
                                std::istringstream(Line.substr(5)) >> left >> top >> width >> height;
                                // The window is shown; give the server a moment to draw it.
                                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                                grid = testsupport::CaptureScreen(left, top, width, height);
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
  std::set<std::uint32_t> colours(grid.Pixels.begin(), grid.Pixels.end());
  EXPECT_GE(colours.size(), 3u);
}

}  // namespace
}  // namespace kel::demo
