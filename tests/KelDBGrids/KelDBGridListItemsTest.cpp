// Pick lists loaded from the data set's own values: every distinct non-empty value once (letter
// case ignored, the first spelling kept), sorted; memos make no list; the record that was current
// stays current; options decide whether, when and how lists load.
#include <gtest/gtest.h>

#include "KelCellTextFixture.h"

namespace kel::test {
namespace {

std::vector<String> Lines(const TStrings* List) {
  std::vector<String> lines;
  for (const String& line : *List) lines.push_back(line);
  return lines;
}

class ListItemsTest : public CellTextFixture {
 protected:
  void SetUp() override {
    CellTextFixture::SetUp();
    Grid->OnListItemsUpdated = [this](TObject*) { ++Loads; };
    NameColumn = AutoLoaded("Name");
    Grid->UpdateListItems(false);
    Application->AdvanceTime(DelayInterval);
    Loads = 0;
  }

  TKelColumn* AutoLoaded(const char* FieldName) {
    TKelColumn* column = AddColumn(FieldName);
    column->SwitchPickOptions({poAutoLoadList}, true);
    return column;
  }

  TKelColumn* NameColumn = nullptr;
  int Loads = 0;
};

TEST_F(ListItemsTest, ListsHoldEachNonEmptyValueOnceAndTheRecordStays) {
  TKelColumn* code = AutoLoaded("Code");        // "  1", "x" and ""
  TKelColumn* shipped = AutoLoaded("Shipped");  // two dates and Null
  AutoLoaded("Notes");                          // a memo: no list
  std::vector<TKelColumn*> columns;
  EXPECT_TRUE(Grid->AutoLoadListPresent(&columns));
  EXPECT_EQ(columns, (std::vector<TKelColumn*>{NameColumn, code, shipped}));
  Orders->Next();
  const int active = Grid->DataLink()->ActiveRecord();
  Grid->UpdateListItems(false);
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Loads, 1);
  EXPECT_EQ(Lines(code->PickList()), (std::vector<String>{"  1", "x"}));
  EXPECT_EQ(Lines(shipped->PickList()), (std::vector<String>{"12/1/2023", "3/15/2024"}));
  EXPECT_EQ(Id->AsInteger(), 2);
  EXPECT_EQ(Grid->DataLink()->ActiveRecord(), active);
  // The lists are left unsorted in sorted order: items may be added anywhere again.
  code->PickList()->Insert(0, "z");
  EXPECT_EQ(code->PickList()->Strings(0), "z");
}

TEST_F(ListItemsTest, ChangesOfTheDataReloadOnceAfterTheDelay) {
  Orders->AppendRecord({4, "bolt"});
  Orders->AppendRecord({5, "Axe"});
  EXPECT_EQ(Loads, 0);
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Loads, 1);
  EXPECT_EQ(Lines(NameColumn->PickList()), (std::vector<String>{"Anvil", "Axe", "Bolt", "Crate"}));
}

TEST_F(ListItemsTest, AppendingKeepsTheItemsAlreadyListed) {
  NameColumn->SwitchPickOptions({poAppendToList}, true);
  NameColumn->PickList()->SetText("Zebra\nanvil\n");
  Grid->UpdateListItems(false);
  Application->AdvanceTime(DelayInterval);
  EXPECT_EQ(Lines(NameColumn->PickList()), (std::vector<String>{"anvil", "Bolt", "Crate", "Zebra"}));
}

TEST_F(ListItemsTest, OptionsDecideWhetherAndWhenToLoad) {
  Grid->SetOptionsExt(Grid->OptionsExt() - dgDelayUpdateListItems);
  Orders->AppendRecord({4, "Drill"});
  EXPECT_EQ(Loads, 1);  // at once
  Grid->SwitchOptionsExt({dgAutoUpdateListItems}, false);
  Orders->AppendRecord({5, "Epoxy"});
  EXPECT_EQ(Loads, 1);
  Grid->UpdateListItems(true);
  EXPECT_EQ(Loads, 1);
  Grid->UpdateListItems(false);
  EXPECT_EQ(Loads, 2);
  EXPECT_EQ(NameColumn->PickList()->IndexOf("epoxy"), 4);
  Orders->Edit();
  Grid->UpdateListItems(false);  // never while a record is edited
  EXPECT_EQ(Loads, 2);
  Orders->Cancel();
  Orders->Close();  // no data: the list empties
  EXPECT_EQ(Loads, 3);
  EXPECT_EQ(NameColumn->PickList()->Count(), 0);
}

}  // namespace
}  // namespace kel::test
