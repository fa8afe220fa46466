// Streaming column sets: SaveToFile/LoadFromFile keep every published setting of nested columns,
// fonts, pick lists, header bands, totals with their values and references to the form's
// components; only assigned values are written; damaged files raise a clear error and leave the
// columns as they were; the grid streams its columns only when customized, and its order string.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "KelColumnFixture.h"

namespace kel::test {
namespace {

class ColumnStreamingTest : public TColumnFixture {
 protected:
  String PathOf(const char* Name) const { return (Directory / Name).string(); }

  static String ReadFile(const String& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  static void WriteFile(const String& Path, const String& Text) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out << Text;
  }

  // A second grid on the same data with columns of its own.
  TTestGrid* MakeCopyGrid() {
    TTestGrid* copy = NewGrid();
    copy->SetName("Copy");
    copy->SetDataSource(Source);
    copy->Columns()->Add()->SetFieldName("Name");
    copy->Columns()->Items(0)->SetColor(clMoneyGreen);
    copy->SetOrderFields("Id");
    return copy;
  }

  // Nested columns, fonts, pick lists, header bands, totals and references: a set that
  // exercises every kind of published setting.
  void DesignRichSet() {
    Form->SetName("OrdersForm");
    Menu = new TPopupMenu(Form);
    Menu->SetName("ColumnMenu");
    Design({"Id", "Name", "Qty", "Name", "Id", "Qty"});
    TKelColumn* head = Column(0);
    head->SetExpandCols(2);
    head->Title()->SetHeader("Sales|2024");
    head->Font()->SetHeight(-14);
    TKelColumn* name = Column(1);
    name->PickList()->SetText("Alpha\nBravo\nCharlie\n");
    name->PickText()->SetText("A\nB\nC\n");
    TKelColumn* qty = Column(2);
    qty->SetWidth(90);
    qty->SetVisible(false);
    qty->TotalFooter()->SetValue(Variant(Currency::FromRaw(123456)));
    qty->TotalHeader()->SetValue(Variant::FromDate(45000.25));
    TKelColumn* everything = Column(3);
    ChangeEverySetting(everything);
    TKelColumnTotalValues* values = everything->TotalValues();
    values->Add()->SetValue(Variant(Int64{1} << 40));
    values->Add()->SetValue(Variant(2.5));
    values->Add()->SetValue(Variant(String("it's 'quoted'")));
    values->Add()->SetValue(Null());
    values->Add()->SetValue(Variant(true));
    TKelColumn* references = Column(4);
    references->SetPopupMenu(Menu);
    references->TotalValues()->Add()->SetPopupMenu(Menu);
    Grid->SetOrderFields("Name,Qty DESC");
  }

  TPopupMenu* Menu = nullptr;
};

TEST_F(ColumnStreamingTest, AFileKeepsEveryPublishedSetting) {
  Link(3);
  DesignRichSet();
  const String path = PathOf("columns.txt");
  Grid->Columns()->SaveToFile(path);
  TTestGrid* copy = MakeCopyGrid();
  copy->Columns()->LoadFromFile(path);
  ASSERT_EQ(copy->Columns()->Count(), 6);
  for (const String& difference : Differences(Grid->Columns(), copy->Columns())) ADD_FAILURE() << difference;
  EXPECT_EQ(copy->OrderFields(), "Name,Qty DESC");
  // The loaded set is the grid's own: nesting, hidden columns and references work there.
  TKelDBGridColumns* loaded = copy->Columns();
  EXPECT_EQ(loaded->Items(2)->ParentColumn(), loaded->Items(0));
  EXPECT_EQ(copy->TitleOffset(), 2);
  EXPECT_EQ(loaded->Items(4)->PopupMenu(), Menu);
  EXPECT_TRUE(loaded->Items(0)->AssignedValues().Contains(cvFont));
  EXPECT_FALSE(loaded->Items(1)->AssignedValues().Contains(cvFont));
  // Saving the loaded set writes the same text, total values of every kind included.
  const String again = PathOf("again.txt");
  loaded->SaveToFile(again);
  EXPECT_EQ(ReadFile(again), ReadFile(path));
}

TEST_F(ColumnStreamingTest, DamagedFilesRaiseAndLeaveTheColumnsAsTheyWere) {
  Link(3);
  DesignRichSet();
  const String path = PathOf("columns.txt");
  Grid->Columns()->SaveToFile(path);
  const String good = ReadFile(path);
  TTestGrid* copy = MakeCopyGrid();
  const String before = StreamedText(copy->Columns());
  auto replaced = [&](const String& from, const String& to) {
    String text = good;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, String::npos) << from;
    return at == String::npos ? text : text.replace(at, from.size(), to);
  };
  const struct {
    const char* Damage;
    String Text;
    const char* Message;  // a part of the error's text
  } cases[] = {
      {"cut in the middle", good.substr(0, good.size() / 2), "Line "},
      {"empty", String(), "Line 1"},
      {"an unknown setting", replaced("FieldName = 'Qty'", "FieldNam = 'Qty'"), "FieldNam"},
      {"a value of the wrong kind", replaced("ExpandCols = 2", "ExpandCols = 'two'"), "ExpandCols"},
      {"an unknown element", replaced("ExpandCols = 2", "ButtonStyle = cbsSideways"), "cbsSideways"},
      {"another kind of object", replaced("TKelColumnsWrapper", "TKelDBGrid"), "TKelDBGrid"},
      {"a reference to nothing", replaced("OrdersForm.ColumnMenu", "OrdersForm.NoMenu"), "NoMenu"},
      {"a total value of no kind", replaced("Integer", "Complex"), "Complex"},
      {"a number among the pick values", replaced("'Alpha'", "'Alpha' 12"), "Line "},
  };
  for (const auto& c : cases) {
    WriteFile(path, c.Text);
    try {
      copy->Columns()->LoadFromFile(path);
      ADD_FAILURE() << c.Damage << ": no error";
    } catch (const EReadError& e) {
      EXPECT_NE(e.Message().find(c.Message), String::npos) << c.Damage << ": " << e.Message();
    }
    EXPECT_EQ(StreamedText(copy->Columns()), before) << c.Damage;
    EXPECT_EQ(copy->OrderFields(), "Id") << c.Damage;
  }
  EXPECT_THROW(copy->Columns()->LoadFromFile(PathOf("missing.txt")), EFOpenError);
  EXPECT_EQ(StreamedText(copy->Columns()), before);
}

TEST_F(ColumnStreamingTest, OnlyAssignedValuesAreWritten) {
  Link(3);
  Design({"Id", "Name"});
  TKelColumn* name = Column(1);
  const String plain = StreamedText(Grid->Columns());
  // Assigned values equal to their defaults are not written either.
  name->SetColor(name->DefaultColor());
  name->Title()->SetCaption("Name");
  name->Font()->Assign(Grid->Font());
  EXPECT_EQ(StreamedText(Grid->Columns()), plain);
  // A caption over a value: the value is not written.
  name->TotalHeader()->SetValue(Variant(5));
  EXPECT_NE(StreamedText(Grid->Columns()).find("TotalHeader.Value"), String::npos);
  name->TotalHeader()->SetCaption("Five");
  EXPECT_EQ(StreamedText(Grid->Columns()).find("TotalHeader.Value"), String::npos);
}

TEST_F(ColumnStreamingTest, TheGridStreamsItsColumnsWhenCustomizedAndItsOrder) {
  Link(3);
  Grid->SetName("Orders");
  auto write = [&] {
    TStringStream stream;
    WriteComponent(&stream, Grid);
    return stream.DataString();
  };
  EXPECT_EQ(write().find("Columns ="), String::npos);
  Design({"Qty", "Name"});
  Column(0)->SetWidth(99);
  Grid->SetOrderFields("Qty DESC");
  const String text = write();
  Grid->SetName("Original");
  TTestGrid* copy = NewGrid();
  TStringStream stream(text);
  ReadComponent(&stream, copy, Form);
  EXPECT_EQ(copy->OrderFields(), "Qty DESC");
  ASSERT_EQ(copy->Columns()->Count(), 2);
  EXPECT_EQ(copy->Columns()->Items(0)->FieldName(), "Qty");
  EXPECT_EQ(copy->Columns()->Items(0)->Width(), 99);
}


}  // namespace
}  // namespace kel::test
