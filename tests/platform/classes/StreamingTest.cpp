// Component streaming: the text written, round trips of a component tree, and corrupted streams
// that raise with their line and leave the target as it was.
#include <gtest/gtest.h>

#include "../rtl/ErrorOf.h"
#include "PublishedCompare.h"
#include "TestClasses.h"
#include "platform/rtl/Streams.h"

using namespace kel;
using namespace kel::test;
using published::Differences;
using published::WriteText;
using testing_support::ErrorOf;

namespace {

const std::vector<String> NoDifferences;

TComponent* ReadText(const String& Text, TComponent* Instance = nullptr, TComponent* Owner = nullptr) {
  TStringStream stream(Text);
  return ReadComponent(&stream, Instance, Owner);
}

// A root with a non-default value in every kind of property, a collection, a string list, a
// pseudo-property, and owned components that reference each other forwards and backwards.
std::unique_ptr<TTestWidget> MakeTree() {
  auto root = std::make_unique<TTestWidget>(nullptr);
  root->SetName("Root");
  root->SetWidth(-7);
  root->SetBig(-(Int64{1} << 50));
  root->SetCaption("It's \"quoted\"\r\n\ttabbed Größe ✓");
  root->SetVisible(false);
  root->SetAlignment(taCenter);
  root->SetShade(shDark);
  root->SetParts({ptBottom, ptRight});
  root->SetRatio(0.1);
  root->Font()->SetBold(true);
  root->Lines()->Add("");
  root->Lines()->Add("it's #2");
  root->SetExtra({5, -6});
  for (int i = 0; i < 3; ++i) {
    TTestItem* item = root->Items()->Add();
    item->SetWidth(10 * i);
    item->SetCaption("Item " + std::to_string(i));
    item->SetShade(static_cast<TShade>(i));
    item->Title()->SetCaption(i == 1 ? "" : "T" + std::to_string(i));
    item->Title()->Font()->SetSize(8 + i);
  }
  auto* wide = new TWideWidget(root.get());
  wide->SetName("Wide");
  wide->SetWidth(64);  // the default of TTestWidget, not of TWideWidget: must be written
  wide->SetMargin(5);
  wide->SetNote("stored while visible");
  auto* grand = new TTestWidget(wide);
  grand->SetName("Grand");
  grand->Items()->Add()->SetCaption("deep");
  root->SetBuddy(wide);  // a reference to a block that comes later
  grand->SetBuddy(root.get());
  return root;
}

class StreamingTest : public testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(); }
};

}  // namespace

TEST_F(StreamingTest, WritesStoredValuesAsReadableText) {
  TTestWidget widget(nullptr);
  widget.SetName("W1");
  widget.SetWidth(100);
  widget.SetCaption("It's\r\nok");
  widget.SetParts({ptLeft, ptRight});
  widget.SetRatio(0.1);
  widget.Font()->SetSize(12);
  TTestItem* item = widget.Items()->Add();
  item->SetWidth(30);
  item->Title()->Font()->SetBold(true);
  widget.Items()->Add();
  widget.Lines()->Add("one");
  widget.SetExtra({-2});
  widget.SetVisible(false);
  widget.SetNote("stored only while visible");
  auto* kid = new TTestWidget(&widget);
  kid->SetName("Kid");
  widget.SetBuddy(kid);
  new TTestWidget(&widget);  // unnamed: a private part, not written

  EXPECT_EQ(WriteText(&widget), R"(object W1: TTestWidget
  Width = 100
  Height = 20
  Caption = 'It''s'#13#10'ok'
  Visible = False
  Parts = [ptLeft, ptRight]
  Ratio = 0.1
  Font.Size = 12
  Items = <
    item
      Width = 30
      Title.Font.Bold = True
    end
    item
    end>
  Lines.Strings = (
    'one')
  Buddy = Kid
  Extra = (
    -2)
  object Kid: TTestWidget
    Height = 20
  end
end
)");
  EXPECT_TRUE(widget.StateWhileWritten.Contains(csWriting));
  EXPECT_FALSE(widget.ComponentState().Contains(csWriting));
}

TEST_F(StreamingTest, ATreeSurvivesARoundTripEqualInEveryPublishedProperty) {
  auto original = MakeTree();
  const String text = WriteText(original.get());

  TComponent owner(nullptr);
  std::unique_ptr<TComponent> created(ReadText(text, nullptr, &owner));
  auto* copy = dynamic_cast<TTestWidget*>(created.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Owner(), &owner);
  EXPECT_EQ(Differences(copy, original.get()), NoDifferences);
  EXPECT_EQ(WriteText(copy), text);
  EXPECT_EQ(copy->Extra(), (std::vector<Int64>{5, -6}));

  // References point into the copy, not back at the original.
  auto* wide = dynamic_cast<TWideWidget*>(copy->FindComponent("Wide"));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(copy->Buddy(), wide);
  EXPECT_EQ(wide->Width(), 64);  // the parent class's default, written all the same
  EXPECT_EQ(dynamic_cast<TTestWidget*>(wide->FindComponent("Grand"))->Buddy(), copy);

  // Loaded ran once on each, after the references, when csReading was over.
  const TComponentState reading{csLoading, csReading};
  for (TTestWidget* w : {copy, static_cast<TTestWidget*>(wide)}) {
    EXPECT_EQ(w->LoadedCalls, 1) << w->Name();
    EXPECT_EQ(w->StateAtLoaded * reading, TComponentState{csLoading}) << w->Name();
    EXPECT_TRUE((w->ComponentState() * reading).Empty()) << w->Name();
  }
}

TEST_F(StreamingTest, ReferencesOutsideTheTreeAreQualifiedByTheirOwner) {
  TComponent form(nullptr);
  form.SetName("Form1");
  auto* outsider = new TTestWidget(&form);
  outsider->SetName("Outsider");
  auto* root = new TTestWidget(&form);
  root->SetName("Root");
  root->SetBuddy(outsider);
  const String text = WriteText(root);
  EXPECT_NE(text.find("Buddy = Form1.Outsider"), String::npos) << text;
  delete root;

  auto* copy = dynamic_cast<TTestWidget*>(ReadText(text, nullptr, &form));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Buddy(), outsider);
}

struct CorruptCase {
  const char* Name;
  const char* Text;
  const char* Message;
};

// Each text starts with valid changes (a caption, a new child, collection items) so that a
// reader that applied as it went would leave traces.
TEST_F(StreamingTest, CorruptStreamsRaiseWithTheLineAndLeaveTheTargetAsItWas) {
  const CorruptCase cases[] = {
      {"unknown element",
       "object Root: TTestWidget\n  Shade = shBright\nend\n",
       "Line 2: invalid value for property 'Shade' of TTestWidget: 'shBright' is not an element of "
       "its type"},
      {"read-only property",
       "object Root: TTestWidget\n  Count = 3\nend\n",
       "Line 2: property 'Count' of TTestWidget is read-only"},
      {"bad pseudo-property value",
       "object Root: TTestWidget\n  Caption = 'changed'\n  Extra = (\n    1\n    'x')\nend\n",
       "Line 5: invalid value for property 'Extra': an integer expected, a string found"},
      {"unknown child class",
       "object Root: TTestWidget\n  object Fresh: TTestWidget\n  end\n  object Ghost: TNope\n  end\nend\n",
       "Line 4: class TNope not found"},
      {"child of another class",
       "object Root: TTestWidget\n  object Kid: TWideWidget\n  end\nend\n",
       "Line 2: cannot read a TWideWidget into Kid, a TTestWidget"},
      {"integer out of range",
       "object Root: TTestWidget\n  Width = 99999999999\nend\n",
       "Line 2: invalid value for property 'Width' of TTestWidget: 99999999999 is out of range for "
       "property Width"},
      {"unterminated string",
       "object Root: TTestWidget\n  Caption = 'changed\nend\n",
       "Line 2: unterminated string"},
      {"number for a property name",
       "object Root: TTestWidget\n  Caption = 'changed'\n  3\nend\n",
       "Line 3: property name or 'end' expected but '3' found"},
      {"empty", "", "Line 1: unexpected end of stream, 'object' expected"},
  };
  for (const CorruptCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestWidget target(nullptr);
    target.SetName("Target");
    target.SetCaption("before");
    target.Items()->Add()->SetCaption("kept");
    target.Lines()->Add("kept");
    auto* kid = new TTestWidget(&target);
    kid->SetName("Kid");
    const String before = WriteText(&target);
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadText(c.Text, &target); }), c.Message);
    EXPECT_EQ(WriteText(&target), before);
    EXPECT_TRUE(target.ComponentState().Empty());
    EXPECT_EQ(target.LoadedCalls, 0);
  }
}

TEST_F(StreamingTest, AFailedReadingOfANewComponentFreesIt) {
  TComponent owner(nullptr);
  EXPECT_EQ(ErrorOf<EReadError>([&] {
              ReadText("object Root: TTestWidget\n  object Kid: TTestWidget\n  end\n  Nope = 1\nend\n",
                       nullptr, &owner);
            }),
            "Line 4: property 'Nope' does not exist in TTestWidget");
  EXPECT_EQ(owner.ComponentCount(), 0);
}
