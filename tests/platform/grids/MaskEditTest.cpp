// TCustomMaskEdit driven by simulated input: a table of masks with typed text (accepted,
// refused with a beep, literals skipped), caret keys over input slots, Backspace and Delete
// putting blanks back, Esc, validation (also when the focus leaves), mask changes, the clipboard
// and undo over slots.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"

namespace kel {
namespace {

using MaskEditTest = EditFixture<TMaskEdit>;

constexpr TShiftState Shift{ssShift};

struct TTypingCase {
  const char* Mask;
  const char* Typed;
  const char* EditText;
  const char* Text;
  int Beeps;  // characters refused
};

TEST_F(MaskEditTest, TypingFollowsTheMask) {
  const TTypingCase cases[] = {
      {"!99/99/0000;1;_", "12252023", "12/25/2023", "12/25/2023", 0},
      {"!99/99/0000;1;_", "1x2", "12/__/____", "12/  /    ", 1},
      {"!99/99/0000;1;_", "1/2/2023", "1_/2_/2023", "1 /2 /2023", 0},
      {"!99/99/0000;1;_", "122520231", "12/25/2023", "12/25/2023", 1},
      {"(999) 000-0000;0;_", "5551234567", "(555) 123-4567", "5551234567", 0},
      {"(999) 000-0000;1;_", "555", "(555) ___-____", "(555)    -    ", 0},
      {">LL<ll;1;*", "éÀ", "ÉÀ**", "ÉÀ  ", 0},
      {"AAA-000;0; ", "a b", "ab -   ", "ab", 1},
      {"\\A999", "A1", "A1__", "A1  ", 0},
      {"#999;1;_", "-12", "-12_", "-12 ", 0},
      {"LL;1;_", "é😀", "é_", "é ", 1},
  };
  for (const TTypingCase& c : cases) {
    SCOPED_TRACE(String(c.Mask) + " <- '" + c.Typed + "'");
    edit->SetText("");
    edit->SetEditMask(c.Mask);
    edit->SelectAll();
    const int beeps = BeepCount();
    Type(c.Typed);
    EXPECT_EQ(edit->EditText(), c.EditText);
    EXPECT_EQ(edit->Text(), c.Text);
    EXPECT_EQ(BeepCount() - beeps, c.Beeps);
  }
}

TEST_F(MaskEditTest, CaretKeysStopOnInputSlotsOnly) {
  edit->SetEditMask("(999) 000-0000;0;_");
  edit->SetText("5551234567");
  struct TStep {
    TKeyStroke Key;
    int Caret;
  };
  const TStep steps[] = {
      {{VK_HOME}, 1},  {{VK_RIGHT}, 2}, {{VK_RIGHT}, 3}, {{VK_RIGHT}, 6}, {{VK_RIGHT}, 7},
      {{VK_LEFT}, 6},  {{VK_LEFT}, 3},  {{VK_END}, 14},  {{VK_LEFT}, 13}, {{VK_RIGHT}, 14},
      {{VK_RIGHT}, 14}, {{VK_HOME}, 1}, {{VK_LEFT}, 1},  {{VK_UP}, 1},    {{VK_DOWN}, 1},
  };
  for (const TStep& step : steps) {
    Press(step.Key.Key, step.Key.Shift);
    EXPECT_EQ(edit->CaretPos(), step.Caret);
    EXPECT_EQ(edit->SelLength(), 0);
  }
  // Shift selects as in a plain edit, literals included.
  Press(VK_HOME);
  for (int i = 0; i < 5; ++i) Press(VK_RIGHT, Shift);
  EXPECT_EQ(edit->SelText(), "555) ");
  Press(VK_END, Shift);
  EXPECT_EQ(edit->SelText(), "555) 123-4567");
  // A click on a literal puts the caret on the next input slot.
  testkit::Click(edit, At(4));
  EXPECT_EQ(edit->CaretPos(), 6);
  testkit::Click(edit, At(8));
  EXPECT_EQ(edit->CaretPos(), 8);
  // Typing over a slot replaces its character and skips the literals after it.
  testkit::Click(edit, At(2));
  Type("98");
  EXPECT_EQ(edit->EditText(), "(598) 123-4567");
  EXPECT_EQ(edit->CaretPos(), 6);
}

TEST_F(MaskEditTest, BackspaceAndDeletePutTheBlankBack) {
  struct TDeleteCase {
    const char* Name;
    std::vector<TKeyStroke> Keys;
    const char* EditText;
    int Caret;
  };
  const std::vector<TDeleteCase> cases = {
      {"backspace over a literal", {{VK_HOME}, {VK_RIGHT}, {VK_RIGHT}, {VK_RIGHT}, {VK_BACK}},
       "(55_) 123-4567", 3},
      {"backspace at the first slot", {{VK_HOME}, {VK_BACK}}, "(555) 123-4567", 1},
      {"delete keeps the caret", {{VK_HOME}, {VK_DELETE}, {VK_DELETE}}, "(_55) 123-4567", 1},
      {"delete at the end", {{VK_END}, {VK_DELETE}}, "(555) 123-4567", 14},
      {"delete a selection", {{VK_HOME}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift}, {VK_RIGHT, Shift},
                              {VK_RIGHT, Shift}, {VK_RIGHT, Shift}, {VK_DELETE}},
       "(___) 123-4567", 1},
      {"backspace everything", {{'A', {ssCtrl}}, {VK_BACK}}, "(___) ___-____", 1},
  };
  for (const TDeleteCase& c : cases) {
    SCOPED_TRACE(c.Name);
    edit->SetEditMask("(999) 000-0000;0;_");
    edit->SetText("5551234567");
    for (const TKeyStroke& k : c.Keys) Press(k.Key, k.Shift);
    EXPECT_EQ(edit->EditText(), c.EditText);
    EXPECT_EQ(edit->CaretPos(), c.Caret);
  }
}

TEST_F(MaskEditTest, EscapePutsBackTheTextFromWhenTheFocusCame) {
  edit->SetEditMask("!99/99/0000;1;_");
  edit->SetText("01/02/2003");
  other->SetFocus();
  edit->SetFocus();
  Press(VK_HOME);
  Type("12");
  EXPECT_EQ(edit->Text(), "12/02/2003");
  EXPECT_TRUE(edit->Modified());
  Press(VK_ESCAPE);
  EXPECT_EQ(edit->Text(), "01/02/2003");
  EXPECT_FALSE(edit->Modified());
}

TEST_F(MaskEditTest, IncompleteInputRaisesAndKeepsTheFocusWhileOptionalSlotsMayStayBlank) {
  edit->SetEditMask("00:00;1;_");
  Type("12");
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(Application->LastExceptionMessage(),
            "Invalid input value. Use escape key to abandon changes");
  EXPECT_EQ(edit->CaretPos(), 3);
  EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
  Type("34");
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_TRUE(other->Focused());
  edit->SetEditMask("(999) 000-0000;0;_");
  edit->SetText("   1234567");
  edit->SetModified(true);
  EXPECT_NO_THROW(edit->ValidateEdit());
}

TEST_F(MaskEditTest, ChangingTheMaskKeepsTheTypedCharactersAndAMalformedOneChangesNothing) {
  edit->SetEditMask("(999) 000-0000;0;_");
  Type("5551234567");
  edit->SetEditMask("000-000-0000;1;*");
  EXPECT_EQ(edit->EditText(), "555-123-4567");
  EXPECT_THROW(edit->SetEditMask("00;1;__"), EInvalidArgument);
  EXPECT_EQ(edit->EditMask(), "000-000-0000;1;*");
  EXPECT_EQ(edit->EditText(), "555-123-4567");
  edit->SetEditMask("");
  EXPECT_FALSE(edit->IsMasked());
  EXPECT_EQ(edit->Text(), "5551234567");
  Type("x");
  EXPECT_EQ(edit->Text(), "x5551234567");
}

TEST_F(MaskEditTest, ClipboardWorksOverSlots) {
  edit->SetEditMask("(999) 000-0000;0;_");
  Clipboard()->SetAsText("(555) 123-4567");
  Press({{VK_HOME}, {'V', {ssCtrl}}});
  EXPECT_EQ(edit->EditText(), "(555) 123-4567");
  Clipboard()->SetAsText("98");
  edit->SetSelStart(6);
  edit->SetSelLength(3);
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->EditText(), "(555) 98_-4567");
  EXPECT_EQ(edit->CaretPos(), 8);
  // A character no slot takes refuses the whole paste.
  const int beeps = BeepCount();
  Clipboard()->SetAsText("7a");
  edit->PasteFromClipboard();
  EXPECT_EQ(BeepCount(), beeps + 1);
  EXPECT_EQ(edit->EditText(), "(555) 98_-4567");
  // Cutting blanks the slots; undo puts them back.
  edit->SetSelStart(1);
  edit->SetSelLength(3);
  Press('X', {ssCtrl});
  EXPECT_EQ(edit->EditText(), "(___) 98_-4567");
  EXPECT_EQ(Clipboard()->AsText(), "555");
  Press('Z', {ssCtrl});
  EXPECT_EQ(edit->EditText(), "(555) 98_-4567");
}

}  // namespace
}  // namespace kel
