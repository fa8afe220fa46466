// TCustomEdit driven by simulated input: typing, caret moves and selection by keys and mouse,
// deletion, clipboard round trips, undo, MaxLength and code point positions in UTF-8 text.
#include <gtest/gtest.h>

#include "EditFixture.h"

namespace kel {
namespace {

using EditTest = EditFixture<TEdit>;

constexpr TShiftState Shift{ssShift};
constexpr TShiftState Ctrl{ssCtrl};
constexpr TShiftState CtrlShift{ssCtrl, ssShift};

TEST_F(EditTest, TypingInsertsAtTheCaretAndFiresOnChange) {
  Type("hello");
  EXPECT_EQ(edit->SelStart(), 5);
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(changes, 5);
  Press({{VK_HOME}, {VK_RETURN}, {VK_ESCAPE}, {'B', Ctrl}});  // control characters type nothing
  Type(">");
  EXPECT_EQ(edit->Text(), ">hello");
  EXPECT_EQ(edit->CaretPos(), 1);
}

// Keys pressed on "one two three": the selection (start, length) and the text they leave.
struct TKeysCase {
  const char* Name;
  std::vector<TKeyStroke> Keys;
  int Start;
  int Length;
  const char* Text = "one two three";
};

TEST_F(EditTest, KeysMoveTheCaretSelectAndDelete) {
  const std::vector<TKeysCase> cases = {
      {"left stops at 0", {{VK_HOME}, {VK_LEFT}}, 0, 0},
      {"right stops at the end", {{VK_END}, {VK_RIGHT}}, 13, 0},
      {"shift+right", {{VK_HOME}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift}}, 0, 3},
      {"shift back over the anchor", {{VK_HOME}, {VK_RIGHT}, {VK_RIGHT, Shift}, {VK_LEFT, Shift},
                                      {VK_LEFT, Shift}}, 0, 1},
      {"ctrl+right twice", {{VK_HOME}, {VK_RIGHT, Ctrl}, {VK_RIGHT, Ctrl}}, 8, 0},
      {"ctrl+left twice", {{VK_END}, {VK_LEFT, Ctrl}, {VK_LEFT, Ctrl}}, 4, 0},
      {"ctrl+shift+right", {{VK_HOME}, {VK_RIGHT, CtrlShift}}, 0, 4},
      {"shift+end", {{VK_HOME}, {VK_RIGHT}, {VK_END, Shift}}, 1, 12},
      {"left collapses", {{VK_HOME}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift}, {VK_LEFT}}, 0, 0},
      {"ctrl+a", {{VK_HOME}, {'A', Ctrl}}, 0, 13},
      {"backspace at the end", {{VK_END}, {VK_BACK}}, 12, 0, "one two thre"},
      {"delete at the start", {{VK_HOME}, {VK_DELETE}}, 0, 0, "ne two three"},
      {"backspace at the start", {{VK_HOME}, {VK_BACK}}, 0, 0},
      {"delete at the end", {{VK_END}, {VK_DELETE}}, 13, 0},
      {"delete the selection", {{VK_HOME}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift}, {VK_DELETE}},
       0, 0, "e two three"},
      {"everything", {{'A', Ctrl}, {VK_BACK}}, 0, 0, ""},
  };
  for (const TKeysCase& c : cases) {
    SCOPED_TRACE(c.Name);
    edit->SetText("one two three");
    for (const TKeyStroke& k : c.Keys) Press(k.Key, k.Shift);
    EXPECT_EQ(edit->SelStart(), c.Start);
    EXPECT_EQ(edit->SelLength(), c.Length);
    EXPECT_EQ(edit->Text(), c.Text);
  }
}

TEST_F(EditTest, PositionsCountCodePointsOfUtf8Text) {
  edit->SetText("aé€😀b");
  Press(VK_END);
  EXPECT_EQ(edit->CaretPos(), 5);
  Press({{VK_BACK}, {VK_BACK}, {VK_HOME}, {VK_RIGHT}, {VK_DELETE}});
  EXPECT_EQ(edit->Text(), "a€");
  Type("ü😀");
  EXPECT_EQ(edit->Text(), "aü😀€");
  EXPECT_EQ(edit->CaretPos(), 3);
  edit->SetSelStart(1);
  edit->SetSelLength(99);  // clamped to the end
  EXPECT_EQ(edit->SelText(), "ü😀€");
}

TEST_F(EditTest, ClipboardRoundTrip) {
  edit->SetText("hello world");
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  Press('C', Ctrl);
  EXPECT_EQ(Clipboard()->AsText(), "world");
  EXPECT_EQ(edit->Text(), "hello world");
  Press('X', Ctrl);
  EXPECT_EQ(edit->Text(), "hello ");
  Press({{VK_HOME}, {'V', Ctrl}});
  EXPECT_EQ(edit->Text(), "worldhello ");
  EXPECT_EQ(edit->CaretPos(), 5);
  // The classic alternatives: Ctrl+Insert copies, Shift+Delete cuts, Shift+Insert pastes.
  Press({{VK_END}, {VK_LEFT, CtrlShift}, {VK_INSERT, Ctrl}});
  EXPECT_EQ(Clipboard()->AsText(), "worldhello ");
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  Press({{VK_DELETE, Shift}, {VK_END}, {VK_INSERT, Shift}});
  EXPECT_EQ(edit->Text(), "hello world");
  // Only the first line of a longer text is pasted, over the selection.
  Clipboard()->SetAsText("x€y\r\nsecond line");
  edit->SelectAll();
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "x€y");
  EXPECT_EQ(edit->CaretPos(), 3);
}

TEST_F(EditTest, UndoTakesBackARunOfTypingAndASecondUndoRedoes) {
  Type("abc");
  EXPECT_TRUE(edit->CanUndo());
  Press('Z', Ctrl);
  EXPECT_EQ(edit->Text(), "");
  Press('Z', Ctrl);
  EXPECT_EQ(edit->Text(), "abc");
  // A caret move ends the run: only what was typed after it is undone.
  Press(VK_LEFT);
  Type("XY");
  EXPECT_EQ(edit->Text(), "abXYc");
  edit->Undo();
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(edit->CaretPos(), 2);
  // Deletions are undone one at a time.
  Press({{VK_BACK}, {VK_BACK}});
  EXPECT_EQ(edit->Text(), "c");
  edit->Undo();
  EXPECT_EQ(edit->Text(), "ac");
  edit->ClearUndo();
  EXPECT_FALSE(edit->CanUndo());
}

TEST_F(EditTest, SetTextResetsCaretModifiedAndUndoAndSelTextIsOneUndoableEdit) {
  Type("abc");
  edit->SetText("one two");
  EXPECT_FALSE(edit->Modified());
  EXPECT_FALSE(edit->CanUndo());
  EXPECT_EQ(changes, 4);
  edit->SetText("one two");  // unchanged: no OnChange
  EXPECT_EQ(changes, 4);
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  edit->SetSelText("2");
  EXPECT_EQ(edit->Text(), "one 2");
  EXPECT_EQ(edit->CaretPos(), 5);
  edit->Undo();
  EXPECT_EQ(edit->SelText(), "two");
}

TEST_F(EditTest, MaxLengthLimitsTypingAndPasting) {
  edit->SetMaxLength(3);
  const int beeps = BeepCount();
  Type("abcd");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(BeepCount(), beeps + 1);
  // Replacing a selection frees its room.
  edit->SetSelStart(1);
  edit->SetSelLength(1);
  Type("é");
  EXPECT_EQ(edit->Text(), "aéc");
  Press({{VK_HOME}, {VK_DELETE}});
  Clipboard()->SetAsText("12345");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "1éc");
  edit->SetText("longer than three");  // the program is not limited
  EXPECT_EQ(edit->Text(), "longer than three");
}

TEST_F(EditTest, ClickPlacesTheCaretWithoutSelectingAll) {
  edit->SetText("click here");
  other->SetFocus();
  Application->ProcessMessages();
  testkit::Click(edit, At(3));
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 0);
  testkit::Click(edit, At(7), mbLeft, {ssShift});
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 4);
  // A click nearer to a boundary picks that boundary.
  testkit::Click(edit, {(edit->PositionToX(4) + 3 * edit->PositionToX(5)) / 4, At(0).Y});
  EXPECT_EQ(edit->CaretPos(), 5);
}

TEST_F(EditTest, DraggingSelectsAndDoubleClickSelectsAWord) {
  edit->SetText("alpha beta gamma");
  testkit::Drag(edit, At(1), At(4));
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 3);
  testkit::Drag(edit, At(9), At(6));
  EXPECT_EQ(edit->SelText(), "bet");
  EXPECT_EQ(edit->CaretPos(), 6);
  // Far enough in time from the drag's press that only the second press of each pair is a
  // double click.
  testkit::AdvanceTime(GetDoubleClickTime() + 1);
  testkit::DoubleClick(edit, At(15));
  EXPECT_EQ(edit->SelText(), "gamma");
}

}  // namespace
}  // namespace kel
