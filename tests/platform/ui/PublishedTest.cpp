// Published properties of the window controls: every property of each standard control survives
// a stream round trip; a new control writes only its bounds; values taken from the parent are
// not written; the anchors an alignment gives are not written; a shown form's ActiveControl
// reads while its controls are still being read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PublishedCheck.h"

namespace kel {
namespace {

using published::TOverrides;
using published::TTree;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct TPublishedCase {
  TClass Class;
  // Values the generic rule cannot pick, by property path.
  TOverrides Overrides;
  // Properties that keep their defaults, and why (see the table).
  std::set<String> AtDefault;
};

void PrintTo(const TPublishedCase& Case, std::ostream* Out) { *Out << Case.Class->Name; }

std::vector<TPublishedCase> Cases() {
  return {
      {&TPanel::ClassInfo(), {}, {}},
      {&TButton::ClassInfo(), {}, {}},
      {&TCheckBox::ClassInfo(), {}, {}},
      {&TLabel::ClassInfo(), {}, {}},
      {&TGroupBox::ClassInfo(), {}, {}},
      {&TSpeedButton::ClassInfo(), {}, {}},
      // A form has no parent, hence no tab order; it stays hidden, since a shown form asks its
      // ActiveControl to take the focus.
      {&TForm::ClassInfo(), {{"Visible", "False"}}, {"TabOrder", "Visible"}},
      {&TTimer::ClassInfo(), {}, {}},
  };
}

void RegisterUiClasses() {
  RegisterClasses<TWinControl, TPopupMenu, TPanel, TButton, TCheckBox, TLabel, TGroupBox,
                  TSpeedButton, TForm, TTimer>();
}

class PublishedTest : public ::testing::TestWithParam<TPublishedCase> {
 protected:
  void SetUp() override { RegisterUiClasses(); }
};

TEST_P(PublishedTest, EveryPropertySurvivesAStreamRoundTrip) {
  const TPublishedCase& c = GetParam();
  TTree source(c.Class);
  TOverrides overrides = published::CommonOverrides;
  overrides.insert(c.Overrides.begin(), c.Overrides.end());
  published::SetNonDefaults(source.Subject, overrides,
                            [&](TClass PropClass) { return source.Reference(PropClass); });
  EXPECT_EQ(published::AtDefault(source.Subject), c.AtDefault);

  const String text = published::WriteText(source.Host.get());
  TTree target(c.Class);
  published::ReadText(text, target.Host.get());
  EXPECT_THAT(published::Differences(source.Subject, target.Subject), IsEmpty()) << text;
}

TEST_P(PublishedTest, ANewComponentWritesOnlyWhatHasNoDefault) {
  const TPublishedCase& c = GetParam();
  std::unique_ptr<TComponent> subject(c.Class->CreateComponent(nullptr));
  subject->SetName("Subject");
  const std::vector<String> written = published::WrittenNames(published::WriteText(subject.get()));
  if (dynamic_cast<TControl*>(subject.get()))
    EXPECT_THAT(written, ElementsAre("Left", "Top", "Width", "Height"));
  else
    EXPECT_THAT(written, IsEmpty());
}

// On a parent whose colour, font, hint switch and bidirectional mode are not the defaults.
TEST_P(PublishedTest, ValuesTakenFromTheParentAreNotWritten) {
  const TClass subject = GetParam().Class;
  if (subject == &TForm::ClassInfo() || subject == &TTimer::ClassInfo())
    GTEST_SKIP() << "no parent to take values from";
  published::ExpectParentValuesNotWritten(subject);
}

INSTANTIATE_TEST_SUITE_P(Controls, PublishedTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return String(info.param.Class->Name); });

TEST(PublishedAnchorsTest, AnchorsAreWrittenWhenTheAlignmentDoesNotGiveThem) {
  struct Case {
    TAlign Align;
    TAnchors Anchors;
    bool Written;
  };
  const Case cases[] = {
      {alNone, {akLeft, akTop}, false},
      {alNone, {akRight, akBottom}, true},
      {alTop, {akLeft, akTop, akRight}, false},
      {alTop, {akLeft, akTop}, true},  // the default set, yet not what alTop gives
      {alClient, {akLeft, akTop, akRight, akBottom}, false},
      {alCustom, {akLeft}, true},
  };
  for (const Case& c : cases) {
    TPanel panel(nullptr);
    panel.SetAlign(c.Align);
    panel.SetAnchors(c.Anchors);
    const String text = published::WriteText(&panel);
    const std::vector<String> written = published::WrittenNames(text);
    EXPECT_EQ(std::count(written.begin(), written.end(), "Anchors"), c.Written ? 1 : 0) << text;
    TPanel copy(nullptr);
    published::ReadText(text, &copy);
    EXPECT_EQ(copy.Align(), c.Align);
    EXPECT_EQ(copy.Anchors(), c.Anchors) << text;
  }
}

// The form shows as soon as Visible is read; its controls have no parent until the program
// places them, so the ActiveControl reference must not ask them to take the focus.
TEST(PublishedFormTest, AShownFormReadsItsActiveControlBeforeItsControlsArePlaced) {
  RegisterUiClasses();
  const String text =
      "object Dialog: TForm\n"
      "  Visible = True\n"
      "  ActiveControl = OkButton\n"
      "  Caption = 'Dialog'\n"
      "  object OkButton: TButton\n"
      "    Default = True\n"
      "    ModalResult = 1\n"
      "  end\n"
      "end\n";
  TStringStream stream(text);
  std::unique_ptr<TComponent> root(ReadComponent(&stream));
  auto* form = dynamic_cast<TForm*>(root.get());
  ASSERT_NE(form, nullptr);
  auto* button = dynamic_cast<TButton*>(form->FindComponent("OkButton"));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->ActiveControl(), button);
  EXPECT_EQ(form->Caption(), "Dialog");
  EXPECT_TRUE(button->Default());
  EXPECT_EQ(button->ModalResult(), mrOk);
}

}  // namespace
}  // namespace kel
