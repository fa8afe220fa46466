// Pick lists and pick texts over tables of options: what a cell shows for a stored value, what
// typed text stores; several values in one cell split and joined at DelimiterChar or at line
// breaks, with the ellipsis form; check-box values, glyphs and toggling.
#include <gtest/gtest.h>

#include "KelCellTextFixture.h"

namespace kel::test {
namespace {

using PickTextTest = CellTextFixture;
using MultiValueTest = CellTextFixture;
using CheckBoxTest = CellTextFixture;

constexpr TKelPickOptions Text{poSelectPickText};

enum TWay { Show, Store };

// Code is an ftString field of Size 3: item numbers are stored right-aligned in three places.
TEST_F(PickTextTest, ShownTextsAndStoredValuesFollowTheOptions) {
  TKelColumn* column = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, Text);
  const struct {
    TWay Way;
    TKelPickOptions Options;
    const char* From;  // stored value (showing) or typed text (storing)
    const char* To;    // the text shown or the value stored
  } cases[] = {
      {Show, Text, "b", "Beta"},                             // values match in any case
      {Show, Text, "Z", "Z"},                                // unknown: shown as stored
      {Show, Text + poListItemsOnly, "Z", ""},
      {Show, Text + poFormatPickText, "B", "B - Beta"},
      {Show, Text + poFormatPickText + poFormatListOnly, "B", "Beta"},  // formatted in the list only
      {Show, Text + poStoreItemIndex, "  2", "Gamma"},
      {Show, Text + poStoreItemIndex, "  7", "7"},           // a number, but no item
      {Show, Text + poStoreItemIndex + poListItemsOnly, "  7", ""},
      {Show, {}, "b", "B"},                                  // pick list alone: its own spelling
      {Show, {poListItemsOnly}, "Z", ""},
      {Show, {poStoreItemIndex}, "  0", "A"},
      {Store, Text, "beta", "B"},
      {Store, Text, "c", "c"},                               // a value is not a text: as typed
      {Store, Text + poAcceptPickList, "c", "C"},            // ... unless accepted
      {Store, Text + poAcceptItemIndex, "1", "B"},
      {Store, Text + poAcceptItemIndex, "5", "5"},           // no item 5
      {Store, Text + poListItemsOnly, "Omega", ""},
      {Store, Text + poStoreItemIndex, "Gamma", "  2"},
      {Store, Text + poStoreItemIndex + poAcceptPickList, "a", "  0"},
      {Store, Text + poFormatPickText, "C - Gamma", "C"},
      {Store, Text + poFormatPickText, "Gamma", "Gamma"},    // the formatted line is the text
      {Store, {}, "b", "B"},
      {Store, {poAcceptItemIndex}, "2", "C"},
      {Store, {poStoreItemIndex}, "c", "  2"},
      {Store, {poListItemsOnly}, "z", ""},
  };
  for (const auto& c : cases) {
    column->SetPickOptions(c.Options);
    EXPECT_EQ(c.Way == Show ? Grid->ColGetText(column, c.From, tkDisplay) : Grid->ColSetText(column, c.From),
              c.To)
        << c.From << " with options " << c.Options.Mask();
  }
}

TEST_F(PickTextTest, ChoosingItemTwoOfAThreeCharacterFieldStoresTwoSpacesAndTheDigit) {
  TKelColumn* column = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"},
                                     Text + poStoreItemIndex);
  Orders->Edit();
  column->SetEditText("Gamma");
  EXPECT_EQ(Code->AsString(), "  2");
  Orders->Post();
  EXPECT_EQ(column->GetDisplayText(), "Gamma");
  EXPECT_EQ(column->PickIndex(), 2);
  // Other fields store the plain number.
  TKelColumn* status = AddPickColumn("Status", {"x", "y", "z"}, {"Ex", "Why", "Zed"}, Text + poStoreItemIndex);
  EXPECT_EQ(Grid->ColSetText(status, "Why"), "1");
}

TEST_F(PickTextTest, PickDataAndTheDropDownListFollowTheFormatAndTheLists) {
  TKelColumn* column = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, Text);
  struct Case {
    TKelPickOptions Options;
    const char* Data;  // first line of PickData
    const char* List;  // first line of PickDataList
  } cases[] = {
      {Text, "Alpha", "Alpha"},
      {Text + poFormatPickText + poFormatListOnly, "Alpha", "A - Alpha"},
      {{}, "A", "A"},
  };
  for (const Case& c : cases) {
    column->SetPickOptions(c.Options);
    EXPECT_EQ(column->PickData()->Strings(0), c.Data) << c.Options.Mask();
    EXPECT_EQ(column->PickDataList()->Strings(0), c.List) << c.Options.Mask();
  }
  column->SetPickOptions(Text + poFormatPickText);
  EXPECT_EQ(column->FormatPickText(1), "B - Beta");
  column->SetPickTextFormat("%2:d) %0:s [%1:s]");
  column->PickList()->Delete(2);  // the value list is shorter now
  EXPECT_EQ(column->PickData()->Strings(2), "2) Gamma []");
  column->PickText()->Clear();
  EXPECT_FALSE(column->PickTextActive());
  EXPECT_EQ(column->PickData(), column->PickList());
}

// ---- Several values in one cell ----------------------------------------------------------------

TEST_F(MultiValueTest, ValuesSplitAndJoinAtTheDelimiterCharacter) {
  TKelColumn* tags = AddPickColumn("Tags", {"a", "b", "c"}, {"Apple", "Banana", "Cherry"}, Text);
  tags->SwitchListOptions({loMultiSelectList}, true);
  tags->SetDelimiterChar(U';');
  const struct {
    const char* Stored;
    const char* Display;
    const char* Edit;
  } cases[] = {
      {"a;c", "Apple ...", "Apple;Cherry"},
      {"", "...", ""},
      {"a;;b;", "Apple ...", "Apple;Banana"},
      {"c;x;a", "Cherry ...", "Cherry;x;Apple"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Grid->ColGetText(tags, c.Stored, tkDisplay), c.Display) << c.Stored;
    EXPECT_EQ(Grid->ColGetText(tags, c.Stored, tkEdit), c.Edit) << c.Stored;
  }
  EXPECT_EQ(Grid->ColSetText(tags, "Banana;;Kiwi;"), "b;Kiwi");
  tags->SwitchPickOptions({poListItemsOnly}, true);
  EXPECT_EQ(Grid->ColSetText(tags, "Banana;Kiwi"), "b");
  tags->SetMultiSelectText(mstDefault);
  EXPECT_EQ(Grid->ColGetText(tags, "a;c", tkDisplay), "Apple;Cherry");
}

TEST_F(MultiValueTest, ValuesSplitAndJoinAtLineBreaks) {
  TKelColumn* notes = AddPickColumn("Notes", {"a", "b", "c"}, {"Apple", "Banana", "Cherry"}, Text);
  notes->SwitchListOptions({loMultiSelectList}, true);
  notes->SetDelimiterLine(true);
  EXPECT_EQ(Grid->ColGetText(notes, "a,b", tkEdit), "a,b");  // a comma separates nothing here
  Orders->Edit();
  notes->SetEditText("Cherry\r\nApple");
  EXPECT_EQ(Notes->AsString(), "c\r\na");  // a memo field holds several values too
  EXPECT_EQ(notes->GetDisplayText(), "Cherry ...");
}

TEST_F(MultiValueTest, OnlyMultiValueColumnsSplit) {
  TKelColumn* tags = AddPickColumn("Tags", {"a", "b"}, {"Apple", "Banana"}, Text);
  EXPECT_EQ(Grid->ColGetText(tags, "a,b", tkDisplay), "a,b");
  EXPECT_EQ(Grid->ColSetText(tags, "Apple,Banana"), "Apple,Banana");
  // A lookup key column holds several keys but has no pick data: no translation, only the
  // ellipsis form.
  TKelColumn* keys = AddLookupColumn("Tags", Customers, "Id");
  keys->SwitchListOptions({loMultiSelectList}, true);
  EXPECT_EQ(Grid->ColGetText(keys, "10,20", tkEdit), "10,20");
  EXPECT_EQ(Grid->ColGetText(keys, "10,20", tkDisplay), "10 ...");
  // An integer field never holds several values.
  TKelColumn* status = AddPickColumn("Status", {"0", "1"}, {"Open", "Closed"}, Text);
  status->SwitchListOptions({loMultiSelectList}, true);
  EXPECT_FALSE(status->MultiSelectList());
}

// ---- Check boxes -------------------------------------------------------------------------------

TEST_F(CheckBoxTest, ABooleanFieldIsCheckedUncheckedOrGrayed) {
  TKelColumn* paid = AddColumn("Paid");
  paid->SetCheckBox(true);
  const int states[] = {1, 0, 2};  // records 1 to 3: checked, unchecked, Null (grayed)
  const std::pair<TCheckBoxKind, int> kinds[] = {{ckCheck, 0}, {ckCross, 3}, {cbBox, 6}};
  for (const auto& [kind, first] : kinds) {
    paid->SetCheckBoxKind(kind);
    for (int record = 1; record <= 3; ++record) {
      Orders->SetRecNo(record);
      EXPECT_EQ(paid->GetCheckBoxImageIndex(), first + states[record - 1]) << first << " " << record;
    }
  }
}

TEST_F(CheckBoxTest, TogglingStoresTheOtherValue) {
  TKelColumn* paid = AddColumn("Paid");
  paid->SetCheckBox(true);
  int changes = 0;
  Grid->OnColTextChanged = [&](TKelColumn*) { ++changes; };
  paid->ToggleCheckBoxValue();
  EXPECT_EQ(Orders->State(), dsEdit);
  EXPECT_FALSE(Paid->AsBoolean());
  Orders->Post();
  Orders->Last();  // Paid is Null: grayed toggles to checked
  paid->ToggleCheckBoxValue();
  EXPECT_TRUE(Paid->AsBoolean());
  EXPECT_EQ(changes, 2);
  Orders->Cancel();
  paid->SetReadOnly(true);
  paid->ToggleCheckBoxValue();
  EXPECT_EQ(Orders->State(), dsBrowse);
}

TEST_F(CheckBoxTest, OnlyACheckedValueMakesEveryOtherValueGrayed) {
  TKelColumn* code = AddColumn("Code");
  code->SetCheckBox(true);
  code->SetCheckBoxValues("Y");
  const struct {
    const char* Value;
    bool Checked, Unchecked;
    int Index;
  } cases[] = {{"y", true, false, 1}, {"", false, true, 0}, {"N", false, false, 2}};
  Orders->Edit();
  for (const auto& c : cases) {
    Code->SetAsString(c.Value);
    EXPECT_EQ(code->IsCheckBoxValue(true), c.Checked) << c.Value;
    EXPECT_EQ(code->IsCheckBoxValue(false), c.Unchecked) << c.Value;
    EXPECT_EQ(code->GetCheckBoxImageIndex(), c.Index) << c.Value;
  }
  code->ToggleCheckBoxValue();  // "N" is grayed: it becomes checked
  EXPECT_EQ(Code->AsString(), "Y");
  code->ToggleCheckBoxValue();
  EXPECT_EQ(Code->AsString(), "");
}

TEST_F(CheckBoxTest, TheSelectColumnShowsTheRowsSelection) {
  // The automatic select column: a check box without a field.
  Grid->SetOptionsExt(Grid->OptionsExt() + dgAutoSelectColumn);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Columns()->Items(0)->GetCheckBoxImageIndex(), 0);  // no row is selected
  Orders->Close();
  Application->ProcessMessages();
  TKelColumn* select = Grid->Columns()->Items(0);
  EXPECT_FALSE(select->IsCheckBoxValue(true));
  EXPECT_FALSE(select->IsCheckBoxValue(false));
  EXPECT_EQ(select->GetCheckBoxImageIndex(), 2);
}

}  // namespace
}  // namespace kel::test
