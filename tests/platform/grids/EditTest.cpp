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
  EXPECT_EQ(edit->Text(), "hello");
  EXPECT_EQ(edit->SelStart(), 5);
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(changes, 5);
  Press(VK_HOME);
  Type(">");
  EXPECT_EQ(edit->Text(), ">hello");
  EXPECT_EQ(edit->CaretPos(), 1);
}

TEST_F(EditTest, ControlCharactersTypeNothing) {
  Type("ab");
  Press(VK_RETURN);
  Press(VK_ESCAPE);
  Press('B', Ctrl);
  EXPECT_EQ(edit->Text(), "ab");
}

struct TMoveCase {
  const char* Name;
  std::vector<TKeyStroke> Keys;
  int SelStart;
  int SelLength;
};

TEST_F(EditTest, KeysMoveTheCaretAndSelect) {
  const std::vector<TMoveCase> cases = {
      {"home", {{VK_HOME}}, 0, 0},
      {"end", {{VK_END}}, 13, 0},
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
  };
  for (const TMoveCase& c : cases) {
    SCOPED_TRACE(c.Name);
    edit->SetText("one two three");
    for (const TKeyStroke& k : c.Keys) Press(k.Key, k.Shift);
    EXPECT_EQ(edit->SelStart(), c.SelStart);
    EXPECT_EQ(edit->SelLength(), c.SelLength);
    EXPECT_EQ(edit->Text(), "one two three");
  }
}

struct TDeleteCase {
  const char* Name;
  std::vector<TKeyStroke> Keys;
  const char* Text;
  int Caret;
};

TEST_F(EditTest, BackspaceAndDeleteRemoveCodePointsOrTheSelection) {
  const std::vector<TDeleteCase> cases = {
      {"backspace at the end", {{VK_END}, {VK_BACK}}, "abc", 3},
      {"delete at the start", {{VK_HOME}, {VK_DELETE}}, "bcd", 0},
      {"backspace at the start", {{VK_HOME}, {VK_BACK}}, "abcd", 0},
      {"delete at the end", {{VK_END}, {VK_DELETE}}, "abcd", 4},
      {"delete the selection", {{VK_HOME}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift}, {VK_DELETE}},
       "cd", 0},
      {"everything", {{'A', Ctrl}, {VK_BACK}}, "", 0},
  };
  for (const TDeleteCase& c : cases) {
    SCOPED_TRACE(c.Name);
    edit->SetText("abcd");
    for (const TKeyStroke& k : c.Keys) Press(k.Key, k.Shift);
    EXPECT_EQ(edit->Text(), c.Text);
    EXPECT_EQ(edit->CaretPos(), c.Caret);
  }
}

TEST_F(EditTest, PositionsCountCodePointsOfUtf8Text) {
  edit->SetText("aé€😀b");
  Press(VK_END);
  EXPECT_EQ(edit->CaretPos(), 5);
  Press(VK_BACK);
  EXPECT_EQ(edit->Text(), "aé€😀");
  Press(VK_BACK);
  EXPECT_EQ(edit->Text(), "aé€");
  Press(VK_HOME);
  Press(VK_RIGHT);
  Press(VK_DELETE);
  EXPECT_EQ(edit->Text(), "a€");
  Type("ü😀");
  EXPECT_EQ(edit->Text(), "aü😀€");
  EXPECT_EQ(edit->CaretPos(), 3);
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), "ü😀");
  edit->SetSelLength(99);
  EXPECT_EQ(edit->SelLength(), 3);
  edit->SetSelStart(-4);
  EXPECT_EQ(edit->SelStart(), 0);
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
  Press(VK_HOME);
  Press('V', Ctrl);
  EXPECT_EQ(edit->Text(), "worldhello ");
  EXPECT_EQ(edit->CaretPos(), 5);
  // The classic alternatives: Ctrl+Insert copies, Shift+Delete cuts, Shift+Insert pastes.
  Press(VK_END);
  Press(VK_LEFT, CtrlShift);
  Press(VK_INSERT, Ctrl);
  EXPECT_EQ(Clipboard()->AsText(), "worldhello ");
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  Press(VK_DELETE, Shift);
  EXPECT_EQ(edit->Text(), "hello ");
  Press(VK_END);
  Press(VK_INSERT, Shift);
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
  Press(VK_BACK);
  Press(VK_BACK);
  EXPECT_EQ(edit->Text(), "c");
  edit->Undo();
  EXPECT_EQ(edit->Text(), "ac");
  edit->ClearUndo();
  EXPECT_FALSE(edit->CanUndo());
  edit->Undo();
  EXPECT_EQ(edit->Text(), "ac");
}

TEST_F(EditTest, SetTextResetsCaretModifiedAndUndo) {
  Type("abc");
  edit->SetText("fresh");
  EXPECT_EQ(edit->Text(), "fresh");
  EXPECT_FALSE(edit->Modified());
  EXPECT_FALSE(edit->CanUndo());
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(changes, 4);
  edit->SetModified(true);
  edit->SetText("fresh");
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(changes, 4);
}

TEST_F(EditTest, SelTextReplacesTheSelectionAsOneUndoableEdit) {
  edit->SetText("one two");
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  edit->SetSelText("2");
  EXPECT_EQ(edit->Text(), "one 2");
  EXPECT_EQ(edit->CaretPos(), 5);
  edit->Undo();
  EXPECT_EQ(edit->Text(), "one two");
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
  Press(VK_HOME);
  Press(VK_DELETE);
  Clipboard()->SetAsText("12345");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "1éc");
  edit->SetText("longer than three");
  EXPECT_EQ(edit->Text(), "longer than three");
  edit->SetMaxLength(-5);
  EXPECT_EQ(edit->MaxLength(), 0);
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
  // Right of the text is the end; a click nearer to a boundary picks that boundary.
  testkit::Click(edit, {edit->TextRect().Right - 2, At(0).Y});
  EXPECT_EQ(edit->CaretPos(), 10);
  const int between = (edit->PositionToX(4) + 3 * edit->PositionToX(5)) / 4;
  testkit::Click(edit, {between, At(0).Y});
  EXPECT_EQ(edit->CaretPos(), 5);
}

TEST_F(EditTest, DraggingSelectsAndDoubleClickSelectsAWord) {
  edit->SetText("alpha beta gamma");
  testkit::Drag(edit, At(1), At(4));
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 3);
  testkit::Drag(edit, At(9), At(6));
  EXPECT_EQ(edit->SelStart(), 6);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->CaretPos(), 6);
  // Far enough in time from the drag's press that only the second press of each pair is a
  // double click.
  testkit::AdvanceTime(GetDoubleClickTime() + 1);
  testkit::DoubleClick(edit, At(8));
  EXPECT_EQ(edit->SelText(), "beta");
  testkit::AdvanceTime(GetDoubleClickTime() + 1);
  testkit::DoubleClick(edit, At(15));
  EXPECT_EQ(edit->SelText(), "gamma");
}

}  // namespace
}  // namespace kel
