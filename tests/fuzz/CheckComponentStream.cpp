// Component streams over the component model's test classes (every kind of published property,
// nested persistents, a collection, a string list, a reference, a pseudo-property), read into an
// existing tree (the selector's low bit) or creating the root. Reading raises EReadError at most;
// a refused stream changes and creates nothing; a tree read writes text that reads back the same.
#include <memory>

#include "../platform/classes/TestClasses.h"
#include "FuzzCheck.h"
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
  Expect(Succeeds<EReadError>([&] { copy = Read(text, nullptr, &owner); }), "a written tree reads back\n" + text);
  Expect(Written(copy) == text, "a tree read back writes the same text\n" + text);
}

}  // namespace

void CheckComponentStream(TBytes Data) {
  [[maybe_unused]] static const bool registered = (test::RegisterTestClasses(), true);
  const TInput input = TInput::Split(Data, 1);
  const String& text = input.Part(0);
  if (input.Selector & 1) {
    const auto root = MakeTree();
    if (SucceedsOrChangesNothing<EReadError>([&] { Read(text, root.get(), nullptr); },
                                             [&] { return Written(root.get()); },
                                             "a refused stream leaves the tree as it was"))
      CheckRoundTrip(root.get());
  } else {
    TComponent owner(nullptr);
    TComponent* created = nullptr;
    if (SucceedsOrChangesNothing<EReadError>([&] { created = Read(text, nullptr, &owner); },
                                             [&] { return owner.ComponentCount(); },
                                             "a refused stream creates nothing"))
      CheckRoundTrip(created);
  }
}

}  // namespace kel::fuzz
