// The demo's window over a small sample database, headless: banded titles, the lookup and
// check-box columns, footer totals that SQL computes without reading rows into the grid's
// query, the style switch and edits written back to the file.
#include <gtest/gtest.h>

#include "DemoForm.h"
#include "DemoTestSupport.h"
#include "SampleDatabase.h"
#include "platform/testkit/Testkit.h"

namespace kel::demo {
namespace {

constexpr int Rows = 1000;

class DemoFormTest : public TTempFolderTest {
 protected:
  void SetUp() override {
    Database = Folder / "orders.db";
    ASSERT_TRUE(EnsureSampleDatabase(Database, Rows));
    Form = new TDemoForm(Database);
    Form->Show();
    Application->ProcessMessages();
    Application->AdvanceTime(static_cast<Cardinal>(DelayInterval));
  }
  void TearDown() override { delete Form; }

  TKelColumn* ColumnTitled(const String& Caption) const {
    for (int i = 0; i < Form->Grid()->Columns()->Count(); ++i)
      if (Form->Grid()->Columns()->Items(i)->Title()->Caption() == Caption) return Form->Grid()->Columns()->Items(i);
    ADD_FAILURE() << "no column titled " << Caption;
    return Form->Grid()->Columns()->Items(0);
  }

  std::filesystem::path Database;
  TDemoForm* Form = nullptr;
  TStyleScope Style{TStyleManager::SystemStyleName};  // whatever a test switches to goes back
};

TEST_F(DemoFormTest, HeaderBandsJoinTheColumnsOfOneGroup) {
  struct TBand {
    const char* Left;
    const char* Right;
  };
  for (const TBand band : {TBand{"No.", "Date"}, TBand{"Name", "City"}, TBand{"Amount", "Status"}}) {
    TKelColumnTitle* left = ColumnTitled(band.Left)->Title();
    TKelColumnTitle* right = ColumnTitled(band.Right)->Title();
    EXPECT_TRUE(left->HeaderRight(0)) << band.Left;
    EXPECT_TRUE(right->HeaderLeft(0)) << band.Right;
    EXPECT_FALSE(right->HeaderRight(0)) << band.Right << " ends its band";
  }
  EXPECT_GT(Form->Grid()->GetTitleHeight(), Form->Grid()->GetRowHeight()) << "a band above the titles";
}

TEST_F(DemoFormTest, LookupNumberAndCheckBoxColumnsFollowTheRecord) {
  TKelColumn* name = ColumnTitled("Name");
  TKelColumn* city = ColumnTitled("City");
  TKelColumn* number = ColumnTitled("#");
  TKelColumn* paid = ColumnTitled("Paid");
  EXPECT_EQ(name->LookupColumn(), lcLookupValueField);
  EXPECT_TRUE(number->AutoNumber());
  EXPECT_TRUE(paid->CheckBox());
  TDataSet* orders = Form->Orders();
  for (int i = 0; i < 8; ++i, orders->Next()) {
    const std::string id = orders->FieldByName("id")->AsString();
    const std::string join = " FROM orders o JOIN customers c ON c.id = o.customer_id WHERE o.id = " + id;
    EXPECT_EQ(name->GetDisplayText(), QueryText(Database, "SELECT c.name" + join)) << "order " << id;
    EXPECT_EQ(city->GetDisplayText(), QueryText(Database, "SELECT c.city" + join)) << "order " << id;
    EXPECT_EQ(number->GetDisplayText(), AutoNumberStr(orders->RecNo())) << "order " << id;
    EXPECT_EQ(paid->IsCheckBoxValue(true), orders->FieldByName("paid")->AsBoolean()) << "order " << id;
  }
}

TEST_F(DemoFormTest, FooterTotalsComeFromSqlWithoutReadingRows) {
  const struct {
    const char* Column;
    const char* Hand;
  } totals[] = {{"No.", "SELECT count(id) FROM orders"},
                {"Amount", "SELECT sum(amount) FROM orders"},
                {"Status", "SELECT avg(amount) FROM orders"}};
  for (const auto& total : totals) {
    TKelColumnTotalFooter* footer = ColumnTitled(total.Column)->TotalFooter();
    EXPECT_TRUE(footer->ResultComputed()) << total.Column;
    EXPECT_NEAR(footer->Value().AsDouble(), QueryNumber(Database, total.Hand), 1e-6) << total.Column;
  }
  EXPECT_LT(Form->Orders()->FetchedRecordCount(), Rows) << "only the rows the grid shows are read";
}

TEST_F(DemoFormTest, TheStyleSwitchPressesItsButtonAndTintsTheStripes) {
  const std::vector<String> names = TStyleManager::StyleNames();
  ASSERT_EQ(Form->StyleButtons().size(), names.size());
  const TColor systemStripes = Form->Grid()->StripeColor();
  EXPECT_NE(systemStripes, ColorToRGB(clWindow)) << "stripes differ from the plain rows";
  // A click on the last style's button switches to it.
  TSpeedButton* button = Form->StyleButtons().back();
  testkit::Click(button, TPoint{button->Width() / 2, button->Height() / 2});
  EXPECT_EQ(TStyleManager::ActiveStyleName(), names.back());
  EXPECT_TRUE(button->Down());
  EXPECT_FALSE(Form->StyleButtons().front()->Down());
  EXPECT_NE(Form->Grid()->StripeColor(), systemStripes);
  EXPECT_THROW(Form->ApplyStyle("No such style"), EStyleNotFound);
  EXPECT_EQ(TStyleManager::ActiveStyleName(), names.back());
}

TEST_F(DemoFormTest, EditsAreWrittenBackToTheFile) {
  TDataSet* orders = Form->Orders();
  const std::string id = orders->FieldByName("id")->AsString();
  const std::string status = QueryText(Database, "SELECT status FROM orders WHERE id = " + id);
  const std::string changed = status == "Cancelled" ? "New" : "Cancelled";
  orders->Edit();
  orders->FieldByName("status")->SetAsString(changed);
  orders->Post();
  EXPECT_EQ(QueryText(Database, "SELECT status FROM orders WHERE id = " + id), changed);
  EXPECT_EQ(ColumnTitled("Status")->PickList()->Count(), static_cast<int>(OrderStatuses().size()));
}

}  // namespace
}  // namespace kel::demo
