// Component streams (the text form of components and their properties), over the component
// model's test classes: every kind of published property, nested persistents, a collection, a
// string list, a reference and a pseudo-property. The selector's low bit reads into an existing
// tree, else creates the root by its class name. Reading raises EReadError at most; a refused
// stream leaves an existing tree as it was and creates nothing; a tree read writes as text that
// reads into a new tree written the same.
#include <memory>

#include "../platform/classes/TestClasses.h"
#include "FuzzChecks.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

namespace kel::fuzz {

namespace {

using test::TTestWidget;
using test::TWideWidget;

String Written(TComponent* Instance) {
  TStringStream stream;
  WriteComponent(&stream, Instance);
  return stream.DataString();
}

TComponent* Read(const String& Text, TComponent* Instance, TComponent* Owner) {
  TStringStream stream(Text);
  return ReadComponent(&stream, Instance, Owner);
}

std::unique_ptr<TTestWidget> MakeTree() {
  auto root = std::make_unique<TTestWidget>(nullptr);
  root->SetName("Root");
  root->SetCaption("root's");
  root->Items()->Add()->SetCaption("first");
  root->Lines()->Add("line");
  root->SetExtra({1, -2});
  auto* child = new TWideWidget(root.get());
  child->SetName("Child");
  child->SetBuddy(root.get());
  root->SetBuddy(child);
  return root;
}

// Writes Instance, reads the text into a new tree and writes that: the two texts are equal.
void CheckRoundTrip(TComponent* Instance) {
  const String text = Written(Instance);
  TComponent owner(nullptr);
  TComponent* copy = nullptr;
  try {
    copy = Read(text, nullptr, &owner);
  } catch (const EReadError& error) {
    Fail("a written tree does not read back: " + String(error.what()) + "\n" + text);
  }
  Expect(Written(copy) == text, "a tree read back writes the same text\n" + text);
}

}  // namespace

void CheckComponentStream(TBytes Data) {
  static const bool registered = (test::RegisterTestClasses(), true);
  (void)registered;
  const String text(Data.begin() + (Data.empty() ? 0 : 1), Data.end());
  if (!Data.empty() && (Data[0] & 1)) {
    const auto root = MakeTree();
    const String before = Written(root.get());
    try {
      Read(text, root.get(), nullptr);
    } catch (const EReadError&) {
      Expect(Written(root.get()) == before, "a refused stream leaves the tree as it was");
      return;
    }
    CheckRoundTrip(root.get());
  } else {
    TComponent owner(nullptr);
    TComponent* created = nullptr;
    try {
      created = Read(text, nullptr, &owner);
    } catch (const EReadError&) {
      Expect(owner.ComponentCount() == 0, "a refused stream creates nothing");
      return;
    }
    CheckRoundTrip(created);
  }
}

}  // namespace kel::fuzz
