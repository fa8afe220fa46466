// A shown form with an edit control under test and a second control to move the focus to, for
// the edit and masked edit tests.
#pragma once

#include <gtest/gtest.h>

#include "platform/grids/MaskEdit.h"
#include "platform/testkit/Testkit.h"
#include "platform/ui/Clipboard.h"

namespace kel {

// One key press of a scripted sequence.
struct TKeyStroke {
  Word Key;
  TShiftState Shift = {};
};

template <typename TEditClass>
class EditFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Clipboard()->Clear();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 320, 200);
    edit = new TEditClass(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, edit->Height());
    edit->OnChange = [this](TObject*) { ++changes; };
    other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 60, 200, other->Height());
    form->Show();
    edit->SetFocus();
    Application->ProcessMessages();
    changes = 0;
  }
  void TearDown() override { delete form; }

  void Press(Word key, TShiftState shift = {}) { testkit::PressKey(edit, key, shift); }
  void Press(std::initializer_list<TKeyStroke> keys) {
    for (const TKeyStroke& k : keys) Press(k.Key, k.Shift);
  }
  void Type(const String& text) { testkit::TypeText(edit, text); }
  // A point in the middle of the text line at code point boundary `index`.
  TPoint At(int index) { return {edit->PositionToX(index), edit->TextRect().CenterPoint().Y}; }

  TForm* form = nullptr;
  TEditClass* edit = nullptr;
  TEdit* other = nullptr;
  int changes = 0;  // OnChange calls since SetUp
};

}  // namespace kel
