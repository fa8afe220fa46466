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

struct PickCase {
  TKelPickOptions Options;
  const char* From;  // stored value (showing) or typed text (storing)
  const char* To;    // the text shown or the value stored
};

// Code is an ftString field of Size 3: item numbers are stored right-aligned in three places.
TEST_F(PickTextTest, ACellShowsThePickTextOfItsValue) {
  TKelColumn* column = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, Text);
  const PickCase cases[] = {
      {Text, "B", "Beta"},
      {Text, "b", "Beta"},                                   // values match in any case
      {Text, "Z", "Z"},                                      // unknown: shown as stored
      {Text + poListItemsOnly, "Z", ""},
      {Text + poFormatPickText, "B", "B - Beta"},
      {Text + poFormatPickText + poFormatListOnly, "B", "Beta"},  // formatted in the list only
      {Text + poStoreItemIndex, "  2", "Gamma"},
      {Text + poStoreItemIndex, "  7", "7"},                 // a number, but no item
      {Text + poStoreItemIndex + poListItemsOnly, "  7", ""},
      {Text + poStoreItemIndex, "-1", "-1"},
      {{}, "b", "B"},                                        // pick list alone: its own spelling
      {{poListItemsOnly}, "Z", ""},
      {{poStoreItemIndex}, "  0", "A"},
  };
  for (const PickCase& c : cases) {
    column->SetPickOptions(c.Options);
    EXPECT_EQ(Grid->ColGetText(column, c.From, tkDisplay), c.To)
        << c.From << " with options " << c.Options.Mask();
  }
}

TEST_F(PickTextTest, TypedTextStoresTheValueOrTheItemNumber) {
  TKelColumn* column = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"}, Text);
  const PickCase cases[] = {
      {Text, "Beta", "B"},
      {Text, "beta", "B"},
      {Text, "c", "c"},                                      // a value is not a text: as typed
      {Text + poAcceptPickList, "c", "C"},                   // ... unless accepted
      {Text + poAcceptItemIndex, "1", "B"},
      {Text + poAcceptItemIndex, "5", "5"},                  // no item 5
      {Text + poListItemsOnly, "Omega", ""},
      {Text + poStoreItemIndex, "Gamma", "  2"},
      {Text + poStoreItemIndex + poAcceptPickList, "a", "  0"},
      {Text + poFormatPickText, "C - Gamma", "C"},
      {Text + poFormatPickText, "Gamma", "Gamma"},           // the formatted line is the text
      {{}, "b", "B"},
      {{poAcceptItemIndex}, "2", "C"},
      {{poStoreItemIndex}, "c", "  2"},
      {{poListItemsOnly}, "z", ""},
  };
  for (const PickCase& c : cases) {
    column->SetPickOptions(c.Options);
    EXPECT_EQ(Grid->ColSetText(column, c.From), c.To) << c.From << " with options " << c.Options.Mask();
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
  TKelColumn* unbound = AddPickColumn("Missing", {"x", "y"}, {"Ex", "Why"}, Text + poStoreItemIndex);
  EXPECT_EQ(Grid->ColSetText(unbound, "Why"), "1");
}

TEST_F(PickTextTest, FormattedLinesFollowTheFormatAndTheLists) {
  TKelColumn* column = AddPickColumn("Code", {"A", "B", "C"}, {"Alpha", "Beta", "Gamma"},
                                     Text + poFormatPickText);
  EXPECT_EQ(column->FormatPickText(1), "B - Beta");
  EXPECT_EQ(column->PickData()->Strings(2), "C - Gamma");
  column->SetPickTextFormat("%2:d) %0:s [%1:s]");
  EXPECT_EQ(column->FormatPickText(0), "0) Alpha [A]");
  EXPECT_EQ(column->PickData()->Strings(1), "1) Beta [B]");
  column->PickList()->Delete(2);                 // the value list is shorter now
  EXPECT_EQ(column->PickData()->Strings(2), "2) Gamma []");
  column->PickText()->Add("Delta");
  EXPECT_EQ(column->PickData()->Count(), 4);
  EXPECT_EQ(column->PickData()->Strings(3), "3) Delta []");
  const String saved = DefPickTextFormat;
  DefPickTextFormat = "%0:s=%1:s";
  column->SetPickTextFormat("");
  EXPECT_EQ(column->PickData()->Strings(0), "Alpha=A");
  DefPickTextFormat = saved;
}

TEST_F(PickTextTest, PickDataAndTheListTheDropDownOffers) {
  TKelColumn* column = AddPickColumn("Code", {"A", "B"}, {"Alpha", "Beta"}, Text);
  struct Case {
    TKelPickOptions Options;
    const char* Data;  // first line of PickData
    const char* List;  // first line of PickDataList
  } cases[] = {
      {Text, "Alpha", "Alpha"},
      {Text + poFormatPickText, "A - Alpha", "A - Alpha"},
      {Text + poFormatPickText + poFormatListOnly, "Alpha", "A - Alpha"},
      {{}, "A", "A"},
  };
  for (const Case& c : cases) {
    column->SetPickOptions(c.Options);
    EXPECT_EQ(column->PickData()->Strings(0), c.Data) << c.Options.Mask();
    EXPECT_EQ(column->PickDataList()->Strings(0), c.List) << c.Options.Mask();
  }
  column->PickText()->Clear();
  column->SetPickOptions(Text);
  EXPECT_FALSE(column->PickTextActive());
  EXPECT_EQ(column->PickData(), column->PickList());
}

TEST_F(PickTextTest, PickIndexIsTheCurrentValuesItem) {
  TKelColumn* status = AddPickColumn("Status", {"0", "1", "2"}, {"Open", "Closed", "Held"}, Text);
  EXPECT_EQ(status->PickIndex(), 2);
  Orders->Last();
  EXPECT_EQ(status->PickIndex(), -1);  // 7 is no value of the list
  status->SetPickOptions(Text + poStoreItemIndex);
  EXPECT_EQ(status->PickIndex(), 7);   // ... but read as an item number
}

// ---- Several values in one cell ----------------------------------------------------------------

struct MultiCase {
  const char* Stored;
  const char* Display;
  const char* Edit;
};

TEST_F(MultiValueTest, ValuesSplitAndJoinAtTheDelimiterCharacter) {
  TKelColumn* tags = AddPickColumn("Tags", {"a", "b", "c"}, {"Apple", "Banana", "Cherry"}, Text);
  tags->SwitchListOptions({loMultiSelectList}, true);
  tags->SetDelimiterChar(U';');
  const MultiCase cases[] = {
      {"a;c", "Apple ...", "Apple;Cherry"},
      {"", "...", ""},
      {"a;;b;", "Apple ...", "Apple;Banana"},
      {"c;x;a", "Cherry ...", "Cherry;x;Apple"},
  };
  for (const MultiCase& c : cases) {
    EXPECT_EQ(Grid->ColGetText(tags, c.Stored, tkDisplay), c.Display) << c.Stored;
    EXPECT_EQ(Grid->ColGetText(tags, c.Stored, tkEdit), c.Edit) << c.Stored;
  }
  EXPECT_EQ(Grid->ColSetText(tags, "Cherry;;Apple;"), "c;a");
  EXPECT_EQ(Grid->ColSetText(tags, "Banana;Kiwi"), "b;Kiwi");
  tags->SwitchPickOptions({poListItemsOnly}, true);
  EXPECT_EQ(Grid->ColSetText(tags, "Banana;Kiwi"), "b");
  EXPECT_EQ(Grid->ColGetText(tags, "x;a", tkEdit), "Apple");
  tags->SetMultiSelectText(mstDefault);
  EXPECT_EQ(Grid->ColGetText(tags, "a;c", tkDisplay), "Apple;Cherry");
}

TEST_F(MultiValueTest, ValuesSplitAndJoinAtLineBreaks) {
  TKelColumn* notes = AddPickColumn("Notes", {"a", "b", "c"}, {"Apple", "Banana", "Cherry"}, Text);
  notes->SwitchListOptions({loMultiSelectList}, true);
  notes->SetDelimiterLine(true);
  ASSERT_TRUE(notes->MultiSelectList());  // a memo field holds several values too
  EXPECT_EQ(Grid->ColGetText(notes, "a\r\nb", tkEdit), "Apple\r\nBanana");
  EXPECT_EQ(Grid->ColGetText(notes, "a\r\nb", tkDisplay), "Apple ...");
  EXPECT_EQ(Grid->ColGetText(notes, "a,b", tkEdit), "a,b");  // a comma separates nothing here
  EXPECT_EQ(Grid->ColSetText(notes, "Banana\r\nCherry"), "b\r\nc");
  Orders->Edit();
  notes->SetEditText("Cherry\r\nApple");
  EXPECT_EQ(Notes->AsString(), "c\r\na");
  EXPECT_EQ(notes->GetEditText(), "Cherry\r\nApple");
  EXPECT_EQ(notes->GetDisplayText(), "Cherry ...");
}

TEST_F(MultiValueTest, OnlyMultiValueColumnsSplit) {
  TKelColumn* tags = AddPickColumn("Tags", {"a", "b"}, {"Apple", "Banana"}, Text);
  EXPECT_FALSE(tags->MultiSelectList());
  EXPECT_EQ(Grid->ColGetText(tags, "a,b", tkDisplay), "a,b");
  EXPECT_EQ(Grid->ColSetText(tags, "Apple,Banana"), "Apple,Banana");
  // A lookup key column holds several keys but has no pick data: no translation, only the
  // ellipsis form.
  TKelColumn* keys = AddColumn("Tags");
  keys->SetLookupDataSet(Customers);
  keys->SetKeyField("Tags");
  keys->SetLookupKeyField("Id");
  keys->SetLookupResultField("Id");
  keys->SwitchListOptions({loMultiSelectList}, true);
  ASSERT_EQ(keys->LookupColumn(), lcLookupKeyField);
  ASSERT_TRUE(keys->MultiSelectList());
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
  const struct {
    int Record;
    int Index;  // ckCheck glyph
  } cases[] = {{1, 1}, {2, 0}, {3, 2}};
  for (const auto& c : cases) {
    Orders->SetRecNo(c.Record);
    EXPECT_EQ(paid->GetCheckBoxImageIndex(), c.Index) << c.Record;
    paid->SetCheckBoxKind(ckCross);
    EXPECT_EQ(paid->GetCheckBoxImageIndex(), c.Index + 3) << c.Record;
    paid->SetCheckBoxKind(cbBox);
    EXPECT_EQ(paid->GetCheckBoxImageIndex(), c.Index + 6) << c.Record;
    paid->SetCheckBoxKind(ckCheck);
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
  paid->ToggleCheckBoxValue();
  EXPECT_TRUE(Paid->AsBoolean());
  Orders->Post();
  Orders->Last();  // Paid is Null: grayed toggles to checked
  paid->ToggleCheckBoxValue();
  EXPECT_TRUE(Paid->AsBoolean());
  EXPECT_EQ(changes, 3);
  Orders->Cancel();
  paid->SetReadOnly(true);
  paid->ToggleCheckBoxValue();
  EXPECT_EQ(Orders->State(), dsBrowse);
  EXPECT_TRUE(Paid->IsNull());
  EXPECT_EQ(changes, 3);
}

TEST_F(CheckBoxTest, OnlyACheckedValueMakesEveryOtherValueGrayed) {
  TKelColumn* code = AddColumn("Code");
  code->SetCheckBox(true);
  code->SetCheckBoxValues("Y");
  const struct {
    const char* Value;
    bool Checked;
    bool Unchecked;
    int Index;
  } cases[] = {{"Y", true, false, 1}, {"y", true, false, 1}, {"", false, true, 0}, {"N", false, false, 2}};
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

TEST_F(CheckBoxTest, ValuesAreComparedAsTheColumnShowsThem) {
  TKelColumn* status = AddPickColumn("Status", {"0", "1", "2"}, {"Open", "Closed", "Held"}, Text);
  status->SetCheckBox(true);
  status->SetCheckBoxValues("Closed;Open");
  Orders->Edit();
  Status->SetAsInteger(1);
  EXPECT_TRUE(status->IsCheckBoxValue(true));
  status->ToggleCheckBoxValue();
  EXPECT_EQ(Status->AsInteger(), 0);  // "Open" stored as its value
  EXPECT_TRUE(status->IsCheckBoxValue(false));
}

TEST_F(CheckBoxTest, ColumnImagesWithoutTheGlyphFallBackToTheState) {
  TKelColumn* paid = AddColumn("Paid");
  paid->SetCheckBox(true);
  paid->SetCheckBoxKind(ckCross);
  auto* images = new TImageList(Form, 16, 16);
  TBitmap strip;
  strip.SetSize(64, 16);
  images->Add(&strip, nullptr);
  ASSERT_EQ(images->Count(), 4);
  paid->SetImages(images);
  EXPECT_EQ(paid->GetCheckBoxImageIndex(), 1);  // 4 is not below the 4 images
  Orders->Next();
  EXPECT_EQ(paid->GetCheckBoxImageIndex(), 3);  // unchecked cross exists
}

TEST_F(CheckBoxTest, TheSelectColumnShowsTheRowsSelection) {
  // The automatic select column: a check box without a field.
  const auto selectColumn = [this] {
    Application->ProcessMessages();
    TKelColumn* column = Grid->Columns()->Items(0);
    EXPECT_TRUE(column->CheckBox());
    EXPECT_EQ(column->Field(), nullptr);
    return column;
  };
  Grid->SetOptionsExt(Grid->OptionsExt() + dgAutoSelectColumn);
  TKelColumn* select = selectColumn();
  EXPECT_FALSE(select->IsCheckBoxValue(true));  // no row is selected
  EXPECT_TRUE(select->IsCheckBoxValue(false));
  EXPECT_EQ(select->GetCheckBoxImageIndex(), 0);
  Orders->Close();
  select = selectColumn();
  EXPECT_FALSE(select->IsCheckBoxValue(true));
  EXPECT_FALSE(select->IsCheckBoxValue(false));
  EXPECT_EQ(select->GetCheckBoxImageIndex(), 2);
}

}  // namespace
}  // namespace kel::test
