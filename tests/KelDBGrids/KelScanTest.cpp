// ScanStr and ScanInt over tables of texts and delimiters, the DefaultDelimiter fallback, and
// the reading of check-box values.
#include <gtest/gtest.h>

#include "KelDBGrids/KelDBGrids.h"

namespace kel {
namespace {

struct ScanCase {
  String Text;
  String Delimiter;
  String Piece;  // what ScanStr answers
  String Rest;   // what it leaves in the text
};

TEST(ScanTest, ScanStrTakesTheTextBeforeTheDelimiter) {
  const ScanCase cases[] = {
      {"a,b,c", ",", "a", "b,c"},
      {"abc", ",", "abc", ""},
      {"", ",", "", ""},
      {",b", ",", "", "b"},
      {"one\r\ntwo\r\nthree", "\r\n", "one", "two\r\nthree"},
      {"x;y", "", "x;y", ""},   // empty delimiter: the default ","
      {"Größe|Maß", "|", "Größe", "Maß"},
  };
  for (const ScanCase& c : cases) {
    String text = c.Text;
    EXPECT_EQ(ScanStr(text, c.Delimiter), c.Piece) << c.Text;
    EXPECT_EQ(text, c.Rest) << c.Text;
  }
}

TEST(ScanTest, DefaultDelimiterIsUsedWhenNoneIsGiven) {
  EXPECT_EQ(DefaultDelimiter, ",");
  const String saved = DefaultDelimiter;
  DefaultDelimiter = "/";
  String text = "a/b,c";
  EXPECT_EQ(ScanStr(text), "a");
  EXPECT_EQ(text, "b,c");
  DefaultDelimiter = saved;
}

TEST(ScanTest, ScanIntReadsNumbersOrGivesTheDefault) {
  struct IntCase {
    String Text;
    int Number;
    String Rest;
  };
  const IntCase cases[] = {
      {"12,34", 12, "34"}, {" 7 ,8", 7, "8"}, {"-3", -3, ""}, {"x,1", -1, "1"},
      {"", -1, ""},        {"1.5,2", -1, "2"}, {"99999999999,0", -1, "0"},
  };
  for (const IntCase& c : cases) {
    String text = c.Text;
    EXPECT_EQ(ScanInt(text, -1, ","), c.Number) << c.Text;
    EXPECT_EQ(text, c.Rest) << c.Text;
  }
  String list = "10;20;x";
  EXPECT_EQ(ScanInt(list, 0, ";") + ScanInt(list, 0, ";") + ScanInt(list, 5, ";"), 35);
}

TEST(CheckBoxValuesTest, TextSplitsAtTheFirstSemicolon) {
  struct Case {
    String Text;
    String Checked;
    String Unchecked;
  };
  const Case cases[] = {
      {"Yes;No", "Yes", "No"}, {"Y", "Y", ""}, {";N", "", "N"}, {"1;0;x", "1", "0;x"},
      {"", "", ""},            {"on;", "on", ""},
  };
  for (const Case& c : cases) {
    const TCheckBoxValues values = TCheckBoxValues::Parse(c.Text);
    EXPECT_EQ(values.Checked, c.Checked) << c.Text;
    EXPECT_EQ(values.Unchecked, c.Unchecked) << c.Text;
  }
}

TEST(CheckBoxValuesTest, EachValueKeepsAtMost255Characters) {
  const String longValue(300, 'v');
  const TCheckBoxValues alone = TCheckBoxValues::Parse(longValue);
  EXPECT_EQ(alone.Checked, String(255, 'v'));
  const TCheckBoxValues both = TCheckBoxValues::Parse(longValue + ";" + String(256, 'w'));
  EXPECT_EQ(both.Checked, String(255, 'v'));
  EXPECT_EQ(both.Unchecked, String(255, 'w'));
  // Characters, not bytes: a value of 300 two-byte letters keeps 255 letters.
  String umlauts;
  for (int i = 0; i < 300; ++i) umlauts += "ä";
  EXPECT_EQ(TCheckBoxValues::Parse(umlauts).Checked.size(), 510u);
}

}  // namespace
}  // namespace kel
