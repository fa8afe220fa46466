// ScanStr and ScanInt over tables of texts and delimiters, and the reading of check-box values.
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
      {"a,b,c", ",", "a", "b,c"}, {"abc", ",", "abc", ""}, {"", ",", "", ""}, {",b", ",", "", "b"},
      {"one\r\ntwo\r\nthree", "\r\n", "one", "two\r\nthree"}, {"Größe|Maß", "|", "Größe", "Maß"},
      {"x;y", "", "x;y", ""},  // empty delimiter: the default ","
  };
  for (const ScanCase& c : cases) {
    String text = c.Text;
    EXPECT_EQ(ScanStr(text, c.Delimiter), c.Piece) << c.Text;
    EXPECT_EQ(text, c.Rest) << c.Text;
  }
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
}

// Each value keeps at most 255 characters, not bytes.
TEST(CheckBoxValuesTest, TextSplitsAtTheFirstSemicolon) {
  struct Case {
    String Text;
    String Checked;
    String Unchecked;
  };
  const String longValue(300, 'v');
  String umlauts;
  for (int i = 0; i < 300; ++i) umlauts += "ä";
  const Case cases[] = {
      {"Yes;No", "Yes", "No"}, {"Y", "Y", ""}, {";N", "", "N"}, {"1;0;x", "1", "0;x"}, {"on;", "on", ""},
      {"", "", ""}, {longValue + ";" + String(256, 'w'), String(255, 'v'), String(255, 'w')},
      {umlauts, umlauts.substr(0, 510), ""},
  };
  for (const Case& c : cases) {
    const TCheckBoxValues values = TCheckBoxValues::Parse(c.Text);
    EXPECT_EQ(values.Checked, c.Checked) << c.Text;
    EXPECT_EQ(values.Unchecked, c.Unchecked) << c.Text;
  }
}

}  // namespace
}  // namespace kel
