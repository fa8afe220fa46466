// The demo's command line: every option read in both spellings, and each malformed line refused
// with a message naming what is wrong.
#include <gtest/gtest.h>

#include "DemoOptions.h"
#include "platform/Platform.h"

namespace kel::demo {
namespace {

TEST(DemoOptionsTest, EveryOptionIsReadAndNamedInTheHelp) {
  const std::string style = TStyleManager::StyleNames().back();
  const TDemoOptions options = ParseDemoOptions(
      {"--db", "/tmp/x.db", "--rows=500", "--style", style, "--screenshot", "shot.png", "--quit-after", "1500"});
  EXPECT_FALSE(options.Help);
  EXPECT_EQ(options.DatabasePath, "/tmp/x.db");
  EXPECT_EQ(options.Rows, 500);
  EXPECT_EQ(options.Style, style);
  ASSERT_TRUE(options.Screenshot.has_value());
  EXPECT_EQ(*options.Screenshot, "shot.png");
  EXPECT_EQ(options.QuitAfter, 1500);
  EXPECT_TRUE(ParseDemoOptions({"--help"}).Help);
  // The help names every option and style.
  const std::string usage = DemoUsage();
  for (const char* option : {"--db", "--rows", "--style", "--screenshot", "--quit-after", "--help"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  for (const String& name : TStyleManager::StyleNames()) EXPECT_NE(usage.find("'" + name + "'"), std::string::npos) << name;
}

struct TBadLine {
  const char* Name;
  std::vector<std::string> Arguments;
  const char* Says;  // part of the message
};

void PrintTo(const TBadLine& Line, std::ostream* Out) { *Out << Line.Name; }

class DemoOptionsRefusalTest : public ::testing::TestWithParam<TBadLine> {};

TEST_P(DemoOptionsRefusalTest, IsRefusedWithAReason) {
  try {
    ParseDemoOptions(GetParam().Arguments);
    FAIL() << "accepted";
  } catch (const EDemoUsage& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().Says), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DemoOptionsRefusalTest,
    ::testing::Values(TBadLine{"UnknownOption", {"--colour", "red"}, "unknown option '--colour'"},
                      TBadLine{"RowsZero", {"--rows=0"}, "at least 1"},
                      TBadLine{"RowsWithoutValue", {"--rows"}, "--rows needs a value"},
                      TBadLine{"EmptyDatabasePath", {"--db="}, "--db needs a value"},
                      TBadLine{"UnknownStyle", {"--style", "Neon"}, "no style 'Neon'"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
}  // namespace kel::demo
