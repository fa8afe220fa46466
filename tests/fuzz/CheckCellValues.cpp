// Delimited cell values and check-box value lists (the selector's low bit). ScanStr's pieces hold
// no delimiter and rebuild the text; ScanInt consumes what ScanStr does, and a number it reads
// scans back. TCheckBoxValues::Parse: the checked value holds no ";", both values keep at most
// MaxLength characters, and uncut values rebuild the text.
#include "FuzzCheck.h"
#include "KelDBGrids/KelCheckBoxValues.h"
#include "KelDBGrids/KelScan.h"
#include "platform/rtl/SysUtils.h"

namespace kel::fuzz {

namespace {

void CheckScan(const String& Delimiter, const String& Text) {
  const String delimiter = Delimiter.empty() ? String(",") : Delimiter;
  String rest = Text, joined;
  bool first = true;
  while (!rest.empty()) {
    const std::size_t before = rest.size();
    String copy = rest;
    const int number = ScanInt(copy, -1, Delimiter);
    const String piece = ScanStr(rest, Delimiter);
    Expect(rest.size() < before, "ScanStr consumes text");
    Expect(copy == rest, "ScanInt consumes what ScanStr does");
    Expect(piece.find(delimiter) == String::npos, "a piece holds no delimiter");
    const String shown = IntToStr(number);
    // A delimiter that matches inside the number and itself would cut it elsewhere.
    if (number != -1 && (shown + delimiter).find(delimiter) == shown.size()) {
      String again = shown + delimiter;
      Expect(ScanInt(again, -1, Delimiter) == number && again.empty(), "a scanned number scans back");
    }
    joined += (first ? String() : delimiter) + piece;
    first = false;
  }
  Expect(joined == Text || joined + delimiter == Text, "the pieces rebuild the text");
}

void CheckCheckBoxValues(const String& Text) {
  const TCheckBoxValues values = TCheckBoxValues::Parse(Text);
  Expect(values.Checked.find(';') == String::npos, "the checked value holds no separator");
  Expect(CharLength(values.Checked) <= TCheckBoxValues::MaxLength &&
             CharLength(values.Unchecked) <= TCheckBoxValues::MaxLength,
         "values are cut to MaxLength characters");
  Expect(Text.compare(0, values.Checked.size(), values.Checked) == 0, "the checked value starts the text");
  const bool cut = CharLength(values.Checked) == TCheckBoxValues::MaxLength ||
                   CharLength(values.Unchecked) == TCheckBoxValues::MaxLength;
  const bool separated = Text.find(';') != String::npos;
  if (!cut)
    Expect((separated ? values.Checked + ";" + values.Unchecked : values.Checked) == Text,
           "uncut values rebuild the text");
  if (!separated) Expect(values.Unchecked.empty(), "without a separator nothing is unchecked");
}

}  // namespace

void CheckCellValues(TBytes Data) {
  const TInput input = TInput::Split(Data, 2);
  if (input.Selector & 1)
    CheckCheckBoxValues(TInput::Split(Data, 1).Part(0));
  else
    CheckScan(input.Part(0), input.Part(1));
}

}  // namespace kel::fuzz
