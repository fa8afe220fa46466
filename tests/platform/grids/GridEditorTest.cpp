// The in-place editor of a string grid driven by typed keys: a character opens it holding that
// character, Esc puts the old text back, Enter stores the text through SetEditText, navigation
// keys typed in it move the grid's current cell, and a click on the current cell opens it (the
// data grid's tests give it a mask and keep it always shown).
#include "GridFixture.h"

namespace kel {
namespace {

class GridEditTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    grid->SetOptions(grid->Options() + goEditing + goTabs);
    FillCells();
    grid->SetFocus();
    Settle();
  }
  TInplaceEdit* Editor() { return grid->InplaceEditor(); }
  bool EditorShown() { return Editor() && Editor()->Visible(); }
};

TEST_F(GridEditTest, TypingALetterOpensTheEditorHoldingThatLetterAndEscapeUndoesIt) {
  EXPECT_EQ(Editor(), nullptr);  // created when first needed
  testkit::TypeText(grid, "q");
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_TRUE(Editor()->PosEqual(grid->CellRect(1, 1)));
  // Every change of the text reaches the grid.
  EXPECT_EQ(grid->EditTexts.back(), "q");
  EXPECT_EQ(grid->Cells(1, 1), "q");
  testkit::TypeText(Editor(), "rs");
  EXPECT_EQ(Editor()->Text(), "qrs");
  EXPECT_EQ(grid->Cells(1, 1), "qrs");
  // Escape puts the old text back.
  testkit::PressKey(Editor(), VK_ESCAPE);
  EXPECT_EQ(grid->Cells(1, 1), "1,1");
  EXPECT_EQ(grid->EditTexts.back(), "1,1");
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_TRUE(grid->Focused());
}

TEST_F(GridEditTest, EnterStoresTheTextThroughSetEditTextAndF2OrEnterOpensItAgain) {
  testkit::TypeText(grid, "new");
  grid->EditTexts.clear();
  testkit::PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(grid->EditTexts, (std::vector<String>{"new"}));
  EXPECT_EQ(grid->Cells(1, 1), "new");
  EXPECT_FALSE(EditorShown());
  EXPECT_TRUE(grid->Focused());
  // Enter on the grid opens it again on the stored text, all of it selected; F2 puts the caret
  // after the text.
  testkit::PressKey(grid, VK_RETURN);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "new");
  EXPECT_EQ(Editor()->SelLength(), 3);
  testkit::PressKey(Editor(), VK_ESCAPE);
  grid->EditTexts.clear();
  testkit::PressKey(grid, VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->SelLength(), 0);
  EXPECT_EQ(Editor()->SelStart(), 3);
  EXPECT_TRUE(grid->EditTexts.empty());  // loading the text is not a change
}

TEST_F(GridEditTest, NavigationKeysTypedInTheEditorMoveTheGrid) {
  struct Case {
    Word key;
    TShiftState shift;
    TGridCoord expected;
    bool editorStays;
  };
  const Case cases[] = {
      {VK_DOWN, {}, {2, 3}, false},
      {VK_TAB, {ssShift}, {1, 2}, false},
      {VK_LEFT, {}, {2, 2}, true},  // moves the caret, not the cell
  };
  for (const Case& c : cases) {
    grid->MoveColRow(2, 2, true, true);
    grid->SetFocus();
    testkit::TypeText(grid, "x");
    ASSERT_TRUE(EditorShown());
    testkit::PressKey(Editor(), c.key, c.shift);
    EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), c.expected) << c.key;
    EXPECT_EQ(EditorShown(), c.editorStays) << c.key;
    EXPECT_EQ(grid->Cells(2, 2), "x") << c.key;
    grid->HideEditor();
    grid->SetCells(2, 2, "2,2");
  }
}

TEST_F(GridEditTest, WithAlwaysShowEditorTheEditorFollowsTheCurrentCellAndEnterTogglesTheSelection) {
  grid->SetOptions(grid->Options() + goAlwaysShowEditor);
  ASSERT_TRUE(EditorShown());
  testkit::PressKey(Editor(), VK_F2);  // the caret to the end, nothing selected
  EXPECT_EQ(Editor()->SelLength(), 0);
  EXPECT_EQ(grid->Col(), 1);
  testkit::PressKey(Editor(), VK_RIGHT);  // at the end of the text Right leaves the cell
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(Editor()->Text(), "2,1");
  EXPECT_EQ(Editor()->SelLength(), 3);
  testkit::PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(Editor()->SelLength(), 0);
  testkit::PressKey(Editor(), VK_RETURN);
  EXPECT_EQ(Editor()->SelLength(), 3);
}

TEST_F(GridEditTest, TheEditorTakesTheGridsFont) {
  testkit::PressKey(grid, VK_F2);
  grid->Font()->SetSize(15);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Font()->Size(), 15);
}

TEST_F(GridEditTest, TheEditorHidesWhileItsCellIsScrolledAway) {
  grid->SetRowCount(60);
  Settle();
  testkit::PressKey(grid, VK_F2);
  grid->Perform(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_FALSE(EditorShown());
  EXPECT_TRUE(grid->EditorMode());
  grid->Perform(WM_VSCROLL, SB_TOP);
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(Editor()->PosEqual(grid->CellRect(1, 1)));
}

TEST_F(GridEditTest, ClickingTheCurrentCellOpensTheEditorUnlessRowSelectForbidsIt) {
  testkit::Click(grid, {97, 37});  // (1, 1), the current cell
  ASSERT_TRUE(EditorShown());
  testkit::Click(grid, {162, 62});  // another cell: the editor closes, the cell becomes current
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ((TGridCoord{grid->Col(), grid->Row()}), (TGridCoord{2, 2}));
  grid->SetOptions(grid->Options() + goRowSelect);
  testkit::TypeText(grid, "z");
  testkit::PressKey(grid, VK_F2);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->Cells(2, 2), "2,2");
}

}  // namespace
}  // namespace kel
