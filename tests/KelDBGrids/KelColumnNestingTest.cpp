// Nested columns: groups made by ExpandCols and by object fields, parents, depth, expanded,
// visible and showing columns, the title levels they make, group moves, moving a default column's
// field, linked grids that follow, frozen groups and spans kept in range.
#include <algorithm>

#include "KelColumnFixture.h"

namespace kel::test {
namespace {

using ColumnNestingTest = TColumnFixture;

// The field names of the grid's columns in order, joined by ",".
String Order(TKelDBGrid* Grid) {
  String order;
  for (TKelColumn* column : *Grid->Columns()) order += (order.empty() ? "" : ",") + column->Title()->Caption();
  return order;
}

// Columns A (heading a1 and a2), B and C, told apart by their captions.
void DesignGroup(TKelDBGrid* Grid) {
  const char* captions[] = {"A", "a1", "a2", "B", "C"};
  TKelDBGridColumns* columns = Grid->Columns();
  TCollectionUpdate update(columns);
  columns->Clear();
  for (const char* caption : captions) {
    TKelColumn* column = columns->Add();
    column->SetFieldName("Qty");
    column->Title()->SetCaption(caption);
  }
  columns->Items(0)->SetExpandCols(2);
}

TEST_F(ColumnNestingTest, ExpandColsMakesAGroupThatShowsInsteadOfItsHead) {
  Link(2);
  DesignGroup(Grid);
  TKelColumn* a = Column(0);
  TKelColumn* a1 = Column(1);
  TKelColumn* a2 = Column(2);
  EXPECT_EQ(a2->ParentColumn(), a);
  EXPECT_EQ(a->ExpandIndex(), 2);
  const int line = Grid->GetColLineWidth();
  // Expanded: the group shows, its head becomes a title level above it.
  EXPECT_FALSE(a->Showing());
  EXPECT_TRUE(a1->Showing());
  EXPECT_EQ(a->ExpandWidth(), a1->Width() + line + a2->Width() + line);
  EXPECT_EQ(Grid->TitleOffset(), 2);
  // Collapsed: the head shows alone.
  a->SetExpanded(false);
  EXPECT_TRUE(a->Showing());
  EXPECT_TRUE(a1->Visibility() == false && a1->Visible());
  EXPECT_EQ(a->ExpandWidth(), a->Width() + line);
  EXPECT_EQ(a1->Width(), -line);
  EXPECT_EQ(Grid->TitleOffset(), 1);
  // A hidden head hides its group, which keeps its own flags.
  a->SetExpanded(true);
  a->SetVisible(false);
  EXPECT_FALSE(a1->Visible());
  EXPECT_EQ(GetPropValue(a1, "Visible"), "True");
  EXPECT_EQ(Grid->VisibleColumns().size(), 2u);
  // A column that heads nothing is never expanded.
  Column(3)->SetExpanded(true);
  EXPECT_FALSE(Column(3)->Expanded());
}

TEST_F(ColumnNestingTest, GroupsNestAndTitleLevelsStack) {
  Link(2);
  Design({"Id", "Name", "Qty", "Id", "Name"});
  Column(0)->SetExpandCols(3);
  Column(1)->SetExpandCols(1);
  EXPECT_EQ(Column(2)->ParentColumn(), Column(1));
  EXPECT_EQ(Column(2)->Depth(), 2);
  EXPECT_EQ(Column(1)->ExpandIndex(), 2);
  EXPECT_EQ(Grid->TitleOffset(), 3);
  // Every level is as tall as one title line; the levels add up.
  const int level = Grid->RowHeights(2);
  EXPECT_EQ(Grid->RowHeights(1), level);
  // A taller font of a head makes its level taller.
  Column(1)->Title()->Font()->SetHeight(-30);
  EXPECT_GT(Grid->RowHeights(1), level);
}

TEST_F(ColumnNestingTest, ObjectFieldsHeadTheirSubFields) {
  auto* people = new TClientDataSet(Form);
  people->FieldDefs()->Add("Name", ftString, 20);
  TFieldDef* address = people->FieldDefs()->Add("Address", ftADT);
  address->ChildDefs()->Add("Street", ftString, 30);
  address->ChildDefs()->Add("City", ftString, 20);
  people->CreateDataSet();
  Source->SetDataSet(people);
  Grid->SetDataSource(Source);
  // Columns built from the fields, default or stored, follow the sub-fields of an object field.
  for (TDBGridColumnsState state : {csDefault, csCustomized}) {
    Grid->Columns()->SetState(state);
    EXPECT_EQ(Order(Grid), "Name,Address,Street,City");
    TKelColumn* head = Grid->FindColumn("Address");
    TKelColumn* city = Grid->FindColumn("Address.City");
    ASSERT_TRUE(head && city);
    EXPECT_EQ(city->ParentColumn(), head);
    EXPECT_EQ(city->DisplayName(), "Address.City");
    EXPECT_EQ(head->ExpandIndex(), 3);
    EXPECT_EQ(Grid->TitleOffset(), 2);
  }
}

TEST_F(ColumnNestingTest, MovingAHeadMovesItsWholeGroup) {
  Link(2);
  DesignGroup(Grid);
  TKelColumn* a = Column(0);
  const struct {
    const char* Caption;
    int Target;
    const char* Expected;
  } moves[] = {
      {"A", 4, "B,C,A,a1,a2"},    // to the end: the group ends there
      {"A", 0, "A,a1,a2,B,C"},    // back to the start
      {"A", 1, "A,a1,a2,B,C"},    // inside its own group: nothing
      {"A", 99, "B,C,A,a1,a2"},   // past the end: the end
      {"B", 4, "C,A,a1,a2,B"},    // past a group: beside it, not into it
      {"B", 2, "C,B,A,a1,a2"},    // onto a group's child: before the group
      {"a2", 2, "C,B,A,a2,a1"},   // within its group
  };
  for (const auto& move : moves) {
    TKelColumn* column = nullptr;
    for (TKelColumn* c : *Grid->Columns())
      if (c->Title()->Caption() == move.Caption) column = c;
    column->SetIndex(move.Target);
    EXPECT_EQ(Order(Grid), move.Expected) << move.Caption << " to " << move.Target;
    EXPECT_EQ(a->ExpandIndex(), a->Index() + 2) << move.Caption << " to " << move.Target;
  }
  EXPECT_THROW(a->SetIndex(-1), EListError);
  EXPECT_EQ(Order(Grid), "C,B,A,a2,a1");
}

TEST_F(ColumnNestingTest, MovingADefaultColumnMovesItsField) {
  TDataSet* data = Link(2);
  ASSERT_FALSE(Column(2)->IsStored());
  Column(2)->MoveTo(0);
  EXPECT_EQ(data->FieldByName("Qty")->Index(), 0);
  EXPECT_EQ(Order(Grid), "Qty,Id,Name");
  EXPECT_EQ(Grid->Columns()->State(), csDefault);
}

TEST_F(ColumnNestingTest, ALinkedGridFollowsExpansionVisibilityAndWidth) {
  Link(2);
  DesignGroup(Grid);
  TTestGrid* follower = NewGrid();
  follower->SetDataSource(Source);
  follower->Columns()->Assign(Grid->Columns());
  follower->SetMasterGrid(Grid);
  Column(0)->SetExpanded(false);
  EXPECT_FALSE(follower->Columns()->Items(0)->Expanded());
  Column(3)->SetWidth(133);
  EXPECT_EQ(follower->Columns()->Items(3)->Width(), 133);
  // The follower's own changes go round the ring and come back to the leader.
  follower->Columns()->Items(4)->SetVisible(false);
  EXPECT_FALSE(Column(4)->Visible());
}

TEST_F(ColumnNestingTest, FrozenColumnsTakeWholeGroupsAndSpansStayInRange) {
  Link(2);
  DesignGroup(Grid);
  Grid->SetFixedCols(1);
  EXPECT_EQ(Grid->FixedCols(), 3);
  EXPECT_EQ(Grid->PlatformFixedCols(), Grid->IndicatorOffset() + 3);
  // A group that reaches the end cannot be frozen whole: nothing before it is frozen.
  Column(0)->SetExpandCols(4);
  Grid->SetFixedCols(1);
  EXPECT_EQ(Grid->FixedCols(), 0);
  // Spans past the last column, or past the group of the parent, are cut back.
  Column(0)->SetExpandCols(40);
  EXPECT_EQ(Column(0)->ExpandCols(), 4);
  Column(0)->SetExpandCols(2);
  Column(2)->SetExpandCols(2);
  EXPECT_EQ(Column(2)->ExpandCols(), 0);
  Column(1)->SetExpandCols(3);
  EXPECT_EQ(Column(1)->ExpandCols(), 1);
}


}  // namespace
}  // namespace kel::test
