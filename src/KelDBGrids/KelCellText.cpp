// Cell text, free parts: the process-wide formats, AutoNumberStr, and the helpers the column and
// the grid share (memo fields, the multi-value delimiter, item numbers and their stored form).
#include "KelDBGrids/KelCellText.h"

#include "KelDBGrids/KelCellTextPrivate.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridGlobals.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

String DefAutoNumberFormat = "%d.";
String DefPickTextFormat = "%1:s - %0:s";
String NullValueString;

String AutoNumberStr(int N) { return N >= 1 ? Format(DefAutoNumberFormat, {N}) : String(); }

bool IsMemoField(const TField* Field) {
  switch (Field->DataType()) {
    case ftMemo: case ftFmtMemo: case ftWideMemo:
      return true;
    default:
      return false;
  }
}

String ValueDelimiter(const TKelColumn* Column) {
  return Column->DelimiterLine() ? String("\r\n") : Utf8Encode(Column->DelimiterChar());
}

int ItemNumberOf(const String& Text) {
  int number = -1;
  return TryStrToInt(Trim(Text), number) ? number : -1;
}

int StoredItemIndex(const TKelColumn* Column, const TStrings* List, String& Text) {
  const int index = List->IndexOf(Text);
  if (index >= 0 || !Column->PickOptions().Contains(poStoreItemIndex)) return index;
  const int number = ItemNumberOf(Text);
  if (number < 0) return -1;
  Text = IntToStr(number);
  return number;
}

String ItemIndexText(const TKelColumn* Column, int Index) {
  TField* field = Column->Field();
  if (field && field->DataType() == ftString) return Format("%" + IntToStr(field->Size()) + "d", {Index});
  return IntToStr(Index);
}

}  // namespace kel
