// The grid's text bridge: every data cell text passes through here.
//
// Field value to text (ColGetText, per value ColGetItem), in this order:
//   1. a multi-value column with pick data is split at its delimiter and each value translated;
//   2. per value: the auto number (not for reports); a lookup key shown as the looked-up value
//      (and nothing more); else pick text or pick list translation;
//   3. the display form of multi-value cells (FormatText, display only);
//   4. OnColGetText.
// Typed text to field value (ColSetText, per value ColSetItem): OnColSetText first, then the
// split, then pick text or pick list translation back to the stored value or item number.
//
// Also here: the auto number of the row being evaluated, the editor text hooks of the platform
// grid and the write-back of the editor's text, and whether a column's field may be changed.
#include "KelDBGrids/KelCellTextPrivate.h"
#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGrid.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelScan.h"
#include "platform/db/DB.h"

namespace kel {

namespace {

// Applies Translate to each non-empty value of Text (split at Delimiter) and joins the
// non-empty results with Delimiter.
template <typename Translate>
String TranslateValues(const String& Text, const String& Delimiter, Translate translate) {
  String rest = Text;
  String joined;
  bool first = true;
  while (!rest.empty()) {
    const String value = ScanStr(rest, Delimiter);
    if (value.empty()) continue;
    const String translated = translate(value);
    if (translated.empty()) continue;
    if (!first) joined += Delimiter;
    joined += translated;
    first = false;
  }
  return joined;
}

// Fields whose value a text cannot set unless they handle their own text.
bool IsBinaryKind(const TField* Field) {
  switch (Field->DataType()) {
    case ftBytes: case ftVarBytes: case ftBlob: case ftMemo: case ftGraphic: case ftFmtMemo:
    case ftParadoxOle: case ftDBaseOle: case ftTypedBinary: case ftCursor: case ftADT:
    case ftArray: case ftReference: case ftDataSet: case ftWideMemo:
      return true;
    default:
      return false;
  }
}

// Enough distinct keys for any window of rows; a cache that fills up starts again.
constexpr std::size_t LookupCacheLimit = 4096;

// The looked-up value of Key for a lookup value column; empty when the key is not found.
String LookUpValue(const TKelColumn* Column, const String& Key, TTextKind TextKind) {
  TDataSet* lookup = Column->LookupDataSet();
  if (!lookup) return String();
  if (!lookup->Active()) lookup->Open();
  TLookupTextCache& cache = Column->LookupTexts();
  const String keyField = Column->LookupKeyField();
  const String resultField = Column->LookupResultField();
  if (cache.DataSet != lookup || cache.Version != lookup->DataVersion() || cache.KeyField != keyField ||
      cache.ResultField != resultField || cache.Texts.size() >= LookupCacheLimit) {
    cache.Texts.clear();
    cache.DataSet = lookup;
    cache.Version = lookup->DataVersion();
    cache.KeyField = keyField;
    cache.ResultField = resultField;
  }
  auto found = cache.Texts.find(Key);
  if (found == cache.Texts.end()) {
    std::pair<String, String> texts;
    if (lookup->Locate(keyField, Variant(Key), {})) {
      TField* result = lookup->FieldByName(resultField);
      texts = {result->DisplayText(), result->EditText()};
    }
    found = cache.Texts.emplace(Key, std::move(texts)).first;
  }
  return TextKind == tkEdit ? found->second.second : found->second.first;
}

}  // namespace

// ---- Field value to text -----------------------------------------------------------------------

String TKelCustomDBGrid::ColGetText(TKelColumn* Column, const String& Text, TTextKind TextKind) {
  if (!Column) return Text;
  String result;
  if (Column->MultiSelectList() && Column->PickDataActive())
    result = TranslateValues(Text, ValueDelimiter(Column),
                             [&](const String& value) { return ColGetItem(Column, value, TextKind); });
  else
    result = ColGetItem(Column, Text, TextKind);
  if (TextKind == tkDisplay) result = Column->FormatText(result);
  if (OnColGetText) OnColGetText(Column, result, TextKind);
  return result;
}

String TKelCustomDBGrid::ColGetItem(TKelColumn* Column, const String& Item, TTextKind TextKind) {
  String result = Item;
  if (Column->AutoNumber() && TextKind != tkReport) result = AutoNumberStr(GetRecNumber());
  if (Column->LookupColumn() == lcLookupValueField && !result.empty())
    return LookUpValue(Column, result, TextKind);
  const TKelPickOptions options = Column->PickOptions();
  if (Column->PickTextActive()) {
    TStrings* texts = Column->PickText();
    const int index = StoredItemIndex(Column, Column->PickListActive() ? Column->PickList() : texts, result);
    const bool formatted = options.Contains(poFormatPickText) && !options.Contains(poFormatListOnly);
    if (index >= 0 && index < Column->PickData()->Count() && formatted)
      return Column->FormatPickText(index);
    if (index >= 0 && index < texts->Count()) return texts->Strings(index);
    return options.Contains(poListItemsOnly) ? String() : result;
  }
  if (Column->PickListActive()) {
    TStrings* values = Column->PickList();
    const int index = StoredItemIndex(Column, values, result);
    if (index >= 0 && index < values->Count()) return values->Strings(index);
    return options.Contains(poListItemsOnly) ? String() : result;
  }
  return result;
}

// ---- Typed text to field value -----------------------------------------------------------------

String TKelCustomDBGrid::ColSetText(TKelColumn* Column, const String& Text) {
  if (!Column) return Text;
  String text = Text;
  if (OnColSetText) OnColSetText(Column, text);
  if (Column->MultiSelectList() && Column->PickDataActive())
    return TranslateValues(text, ValueDelimiter(Column),
                           [&](const String& value) { return ColSetItem(Column, value); });
  return ColSetItem(Column, text);
}

String TKelCustomDBGrid::ColSetItem(TKelColumn* Column, const String& Text) {
  const TKelPickOptions options = Column->PickOptions();
  const bool pickList = Column->PickListActive();
  if (Column->PickTextActive()) {
    TStrings* texts = Column->PickText();
    int index = options.Contains(poFormatPickText) ? Column->PickDataList()->IndexOf(Text) : texts->IndexOf(Text);
    if (index < 0 && options.Contains(poAcceptPickList) && pickList) index = Column->PickList()->IndexOf(Text);
    if (index < 0 && options.Contains(poAcceptItemIndex)) index = ItemNumberOf(Text);
    if (index >= texts->Count()) index = -1;
    if (index >= 0 && options.Contains(poStoreItemIndex)) return ItemIndexText(Column, index);
    if (index >= 0 && pickList && index < Column->PickList()->Count()) return Column->PickList()->Strings(index);
    if (index >= 0 && !pickList) return texts->Strings(index);
    return options.Contains(poListItemsOnly) ? String() : Text;
  }
  if (pickList) {
    TStrings* values = Column->PickList();
    int index = values->IndexOf(Text);
    if (index < 0 && options.Contains(poAcceptItemIndex)) index = ItemNumberOf(Text);
    // A stored index is taken as typed, even past the list; a stored item must exist.
    if (index >= 0 && options.Contains(poStoreItemIndex)) return ItemIndexText(Column, index);
    if (index >= 0 && index < values->Count()) return values->Strings(index);
    return options.Contains(poListItemsOnly) ? String() : Text;
  }
  return Text;
}

// ---- Auto numbers ------------------------------------------------------------------------------

int TKelCustomDBGrid::GetRecNumber() const { return RecNumber(); }

// ---- The editor's text -------------------------------------------------------------------------

String TKelCustomDBGrid::GetEditText(int ACol, int) {
  FEditText.clear();
  if (!FDataLink->Active()) return FEditText;
  const int index = RawToDataColumn(ACol);
  if (index >= 0 && index < FColumns->Count()) FEditText = FColumns->Items(index)->GetEditText();
  return FEditText;
}

void TKelCustomDBGrid::SetEditText(int, int, const String& Value) { FEditText = Value; }

void TKelCustomDBGrid::UpdateData() {
  if (TKelColumn* column = SelectedColumn()) column->SetEditText(FEditText);
}

// ---- Changing a column's field -----------------------------------------------------------------

bool ModifyColumnField(TKelCustomDBGrid& Grid, TKelColumn* Column, bool MemoText) {
  TKelGridDataLink* link = Grid.DataLink();
  if (!Column || Grid.ReadOnly() || link->ReadOnly() || !link->Active() || Column->ReadOnly()) return false;
  TField* field = Column->Field();
  if (!field || !field->CanModify()) return false;
  if (IsBinaryKind(field) && !field->OnSetText && !(MemoText && IsMemoField(field))) return false;
  if (!link->Edit()) return false;
  link->Modified();
  return true;
}

bool TKelCustomDBGrid::CanColumnModify(TKelColumn* Column) { return ModifyColumnField(*this, Column, false); }

void TKelCustomDBGrid::ColTextChanged(TKelColumn* Column) {
  if (OnColTextChanged) OnColTextChanged(Column);
}

}  // namespace kel
