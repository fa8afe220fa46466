// TReader: applies a parsed object block (StreamParser.cpp) to a root and its owned components.
//
// Order of a reading: parse the whole block; for an existing root, a dry run into a fresh
// instance of its class and a check of the blocks that name components the root already owns;
// then the reading proper: the root's name, its properties, its child
// blocks (found or created, recursively), the component references collected on the way, and
// finally Loaded() on every component read. Pseudo-properties are handed to the DefineProperties
// of the object that holds them, with the value cursor of TValueCursor.
#include <memory>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ClassesPrivate.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Streaming.h"
#include "platform/classes/StreamingPrivate.h"
#include "platform/rtl/Streams.h"

namespace kel {

using detail::TObjectNode;
using detail::TPropertyNode;
using detail::TValueNode;

namespace {

String LinePrefix(int Line) { return "Line " + std::to_string(Line) + ": "; }

[[noreturn]] void Fail(int Line, const String& Message) {
  throw EReadError(LinePrefix(Line) + Message);
}

// The class named ClassName is Info or one of its ancestors.
bool IsClassOrAncestorNamed(const TClassInfo& Info, const String& ClassName) {
  for (const TClassInfo* c = &Info; c; c = c->Parent)
    if (SameIdent(c->Name, ClassName)) return true;
  return false;
}

// A depth-first search of the components owned by Owner.
TComponent* FindOwnedComponent(const TComponent* Owner, const String& Name) {
  if (TComponent* direct = Owner->FindComponent(Name)) return direct;
  for (int i = 0; i < Owner->ComponentCount(); ++i)
    if (TComponent* nested = FindOwnedComponent(Owner->Components(i), Name)) return nested;
  return nullptr;
}

}  // namespace

struct TReader::TFixup {
  TPersistent* Instance;
  const TPropInfo* Info;
  String Name;  // the component named in the stream
  String Path;  // the property as written
  int Line;
};

struct TReader::TPass {
  bool DryRun = false;
  std::vector<TComponent*> Loading;  // components read, in reading order
  std::vector<TComponent*> Created;  // owned components this pass created
  std::vector<TFixup> Fixups;        // component references to resolve at the end
};

TReader::TReader(TStream* Stream) : FStream(Stream) {}

TReader::~TReader() = default;

void TReader::Parse() {
  const Int64 start = FStream->Position();
  FText = FStream->ReadToEnd();
  FTree = std::make_unique<TObjectNode>(detail::ParseObjectText(FText, FEndOffset));
  FStream->SetPosition(start + static_cast<Int64>(FEndOffset));
}

TComponent* TReader::ReadRootComponent(TComponent* Root, TComponent* Owner) {
  Parse();
  const TObjectNode& node = *FTree;
  if (!Root) {
    TClass cls = GetClass(node.ClassName);
    if (!cls || !cls->InheritsFrom(TComponent::ClassInfo()) || !cls->ComponentFactory)
      Fail(node.Line, "class " + node.ClassName + " not found");
    FLookupOwner = Owner;
    std::unique_ptr<TComponent> created(cls->CreateComponent(Owner));
    ReadInto(created.get(), false);
    return created.release();
  }
  if (!IsClassOrAncestorNamed(Root->ClassType(), node.ClassName))
    Fail(node.Line, "cannot read a " + node.ClassName + " into a " + Root->ClassName());
  FLookupOwner = Root->Owner();
  if (Root->ClassType().ComponentFactory) {
    std::unique_ptr<TComponent> scratch(Root->ClassType().CreateComponent(nullptr));
    ReadInto(scratch.get(), true);
  }
  CheckExistingChildren(node, Root);
  ReadInto(Root, false);
  return Root;
}

void TReader::CheckExistingChildren(const TObjectNode& Node, TComponent* Owner) const {
  for (const TObjectNode& child : Node.Children) {
    TComponent* existing = Owner->FindComponent(child.Name);
    if (!existing) continue;
    if (!IsClassOrAncestorNamed(existing->ClassType(), child.ClassName))
      Fail(child.Line, "cannot read a " + child.ClassName + " into " + child.Name + ", a " +
                           existing->ClassName());
    CheckExistingChildren(child, existing);
  }
}

void TReader::ReadRootPersistent(TPersistent* Root) {
  Parse();
  const TObjectNode& node = *FTree;
  if (!IsClassOrAncestorNamed(Root->ClassType(), node.ClassName))
    Fail(node.Line, "cannot read a " + node.ClassName + " into a " + Root->ClassName());
  if (!node.Children.empty()) Fail(node.Children.front().Line, Root->ClassName() + " cannot own components");
  if (Root->ClassType().ObjectFactory) {
    std::unique_ptr<TObject> scratch(Root->ClassType().CreateObject());
    ReadInto(static_cast<TPersistent*>(scratch.get()), true);
  }
  ReadInto(Root, false);
}

void TReader::ReadInto(TPersistent* Root, bool DryRun) {
  TPass pass;
  pass.DryRun = DryRun;
  FPass = &pass;
  FRoot = Root;
  bool finished = false;
  detail::TScopeExit cleanUp([&] {
    FPass = nullptr;
    for (TComponent* component : pass.Loading)
      component->FComponentState -= TComponentState{csLoading, csReading};
    if (finished) return;
    for (auto it = pass.Created.rbegin(); it != pass.Created.rend(); ++it) delete *it;
  });

  const TObjectNode& node = *FTree;
  if (auto* component = dynamic_cast<TComponent*>(Root)) {
    StartLoading(component);
    if (!node.Name.empty() && !SameIdent(node.Name, component->Name())) {
      try {
        component->SetName(node.Name);
      } catch (const EComponentError& e) {
        Fail(node.Line, e.Message());
      }
    }
  }
  ReadObjectBody(node, Root);
  ResolveFixups();
  for (TComponent* component : pass.Loading) component->FComponentState.Exclude(csReading);
  finished = true;
  if (DryRun) return;
  for (TComponent* component : pass.Loading) component->Loaded();
}

void TReader::StartLoading(TComponent* Component) {
  Component->FComponentState += TComponentState{csLoading, csReading};
  FPass->Loading.push_back(Component);
}

void TReader::ReadObjectBody(const TObjectNode& Node, TPersistent* Instance) {
  for (const TPropertyNode& property : Node.Properties) ReadProperty(Instance, property);
  if (Node.Children.empty()) return;
  auto* owner = dynamic_cast<TComponent*>(Instance);
  if (!owner) Fail(Node.Children.front().Line, Instance->ClassName() + " cannot own components");
  for (const TObjectNode& child : Node.Children) ReadChild(child, owner);
}

void TReader::ReadChild(const TObjectNode& Node, TComponent* Owner) {
  TComponent* component = Owner->FindComponent(Node.Name);
  if (component) {
    if (!IsClassOrAncestorNamed(component->ClassType(), Node.ClassName))
      Fail(Node.Line, "cannot read a " + Node.ClassName + " into " + Node.Name + ", a " +
                          component->ClassName());
  } else {
    TClass cls = GetClass(Node.ClassName);
    if (!cls || !cls->InheritsFrom(TComponent::ClassInfo()) || !cls->ComponentFactory)
      Fail(Node.Line, "class " + Node.ClassName + " not found");
    try {
      component = cls->CreateComponent(Owner);
      FPass->Created.push_back(component);
      component->SetName(Node.Name);
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      Fail(Node.Line, e.Message());
    }
  }
  StartLoading(component);
  ReadObjectBody(Node, component);
}

// --- Properties -------------------------------------------------------------------------------

void TReader::ReadProperty(TPersistent* Instance, const TPropertyNode& Property) {
  TPersistent* holder = Instance;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = Property.Path.find('.', start);
    const String name = Property.Path.substr(start, dot == String::npos ? String::npos : dot - start);
    const TPropInfo* info = GetPropInfo(holder->ClassType(), name);
    if (!info) {
      const String rest = Property.Path.substr(start);
      if (ReadDefinedProperty(holder, rest, Property.Value)) return;
      Fail(Property.Line, "property '" + rest + "' does not exist in " + holder->ClassName());
    }
    if (dot == String::npos) {
      try {
        ApplyValue(holder, *info, Property.Value, Property.Path);
      } catch (const EReadError&) {
        throw;
      } catch (const Exception& e) {
        Fail(Property.Line, "invalid value for property '" + Property.Path + "' of " +
                                holder->ClassName() + ": " + e.Message());
      }
      return;
    }
    TObject* nested = info->Kind == tkClass ? info->GetObj(holder) : nullptr;
    auto* persistent = dynamic_cast<TPersistent*>(nested);
    if (!persistent || dynamic_cast<TComponent*>(nested))
      Fail(Property.Line, "property '" + name + "' of " + holder->ClassName() +
                              " holds no object whose properties can be read");
    holder = persistent;
    start = dot + 1;
  }
}

void TReader::ApplyValue(TPersistent* Instance, const TPropInfo& Info, const TValueNode& Value,
                         const String& Path) {
  auto invalid = [&](const String& detail) {
    Fail(Value.Line, "invalid value for property '" + Path + "' of " + Instance->ClassName() +
                         ": " + detail);
  };
  auto expect = [&](bool ok, const char* expected) {
    if (!ok)
      invalid(String(expected) + " expected, " + detail::DescribeValueKind(Value.Kind) + " found");
  };
  if (Info.Kind == tkMethod || Info.Kind == tkUnknown) invalid("events are not read from streams");
  if (Info.Kind != tkClass && !Info.IsWritable())
    Fail(Value.Line, "property '" + Path + "' of " + Instance->ClassName() + " is read-only");
  switch (Info.Kind) {
    case tkInteger:
    case tkInt64:
      expect(Value.Kind == TValueNode::vkInteger, "an integer");
      Info.SetOrd(Instance, Value.Integer);
      return;
    case tkEnumeration: {
      expect(Value.Kind == TValueNode::vkIdent, "an identifier");
      const int ordinal = GetEnumValue(Info, Value.Text);
      if (ordinal < 0) invalid("'" + Value.Text + "' is not an element of its type");
      Info.SetOrd(Instance, ordinal);
      return;
    }
    case tkSet: {
      expect(Value.Kind == TValueNode::vkSet, "a set");
      std::uint64_t mask = 0;
      for (const String& element : Value.Elements) {
        const int bit = GetEnumValue(Info, element);
        if (bit < 0) invalid("'" + element + "' is not an element of its type");
        mask |= std::uint64_t{1} << bit;
      }
      Info.SetOrd(Instance, static_cast<Int64>(mask));
      return;
    }
    case tkFloat:
      expect(Value.Kind == TValueNode::vkFloat || Value.Kind == TValueNode::vkInteger, "a number");
      Info.SetFloat(Instance, Value.Kind == TValueNode::vkFloat ? Value.Float
                                                                 : static_cast<double>(Value.Integer));
      return;
    case tkString:
      expect(Value.Kind == TValueNode::vkString, "a string");
      Info.SetStr(Instance, Value.Text);
      return;
    case tkClass: {
      if (TClass cls = Info.PropClass(); cls && cls->InheritsFrom(TComponent::ClassInfo())) {
        expect(Value.Kind == TValueNode::vkIdent, "a component name");
        if (!Info.SetObj)
          Fail(Value.Line, "property '" + Path + "' of " + Instance->ClassName() + " is read-only");
        FPass->Fixups.push_back({Instance, &Info, Value.Text, Path, Value.Line});
        return;
      }
      auto* collection = dynamic_cast<TCollection*>(Info.GetObj(Instance));
      expect(collection && Value.Kind == TValueNode::vkCollection, "nested properties");
      ReadCollectionValue(collection, Value);
      return;
    }
    case tkMethod:
    case tkUnknown:
      break;
  }
}

void TReader::ReadCollectionValue(TCollection* Collection, const TValueNode& Value) {
  TCollectionUpdate update(Collection);
  Collection->Clear();
  for (const detail::TItemNode& itemNode : Value.Collection) {
    TCollectionItem* item = Collection->Add();
    for (const TPropertyNode& property : itemNode.Properties) ReadProperty(item, property);
  }
  update.Close();
}

void TReader::ResolveFixups() {
  for (const TFixup& fixup : FPass->Fixups) {
    TComponent* target = FindReference(fixup.Name);
    if (!target)
      Fail(fixup.Line, "component '" + fixup.Name + "' named by property '" + fixup.Path +
                           "' of " + fixup.Instance->ClassName() + " not found");
    try {
      fixup.Info->SetObj(fixup.Instance, target);
    } catch (const Exception& e) {
      Fail(fixup.Line, "invalid value for property '" + fixup.Path + "' of " +
                           fixup.Instance->ClassName() + ": " + e.Message());
    }
  }
}

TComponent* TReader::FindReference(const String& Name) const {
  const std::size_t dot = Name.find('.');
  if (dot == String::npos) {
    auto* root = dynamic_cast<TComponent*>(FRoot);
    if (!root) return nullptr;
    if (SameIdent(root->Name(), Name)) return root;
    return FindOwnedComponent(root, Name);
  }
  if (!FLookupOwner) return nullptr;
  const String ownerName = Name.substr(0, dot);
  TComponent* owner = SameIdent(FLookupOwner->Name(), ownerName) ? FLookupOwner
                                                                 : FLookupOwner->FindComponent(ownerName);
  return owner ? owner->FindComponent(Name.substr(dot + 1)) : nullptr;
}

// --- Pseudo-properties ------------------------------------------------------------------------

bool TReader::ReadDefinedProperty(TPersistent* Instance, const String& Name, const TValueNode& Value) {
  TValueCursor outer = std::move(FCursor);
  FCursor = TValueCursor{};
  FCursor.Value = &Value;
  FCursor.Name = Name;
  detail::TScopeExit restore([&] { FCursor = std::move(outer); });
  DefinePropertiesOf(Instance);
  return FCursor.Found;
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData,
                             const TWriterProc& WriteData, bool HasData) {
  if (FCursor.Found || !FCursor.Value || !ReadData || !SameIdent(Name, FCursor.Name)) return;
  FCursor.Found = true;
  ReadData(this);
  if (!FCursor.Taken || !FCursor.Lists.empty())
    Fail(FCursor.Value->Line, "property '" + Name + "' was not read completely");
}

const TValueNode& TReader::NextValue(const char* Expected) {
  if (!FCursor.Value) throw EReadError("No property value is being read");
  if (FCursor.Lists.empty()) {
    if (FCursor.Taken) Fail(FCursor.Value->Line, "property '" + FCursor.Name + "' holds one value");
    FCursor.Taken = true;
    return *FCursor.Value;
  }
  auto& [list, next] = FCursor.Lists.back();
  if (next >= list->Items.size())
    Fail(list->Line, String(Expected) + " expected at the end of the list of property '" +
                         FCursor.Name + "'");
  return list->Items[next++];
}

void TReader::ValueError(const TValueNode& Value, const char* Expected) const {
  Fail(Value.Line, "invalid value for property '" + FCursor.Name + "': " + Expected +
                       " expected, " + detail::DescribeValueKind(Value.Kind) + " found");
}

Int64 TReader::ReadInteger() {
  const TValueNode& value = NextValue("an integer");
  if (value.Kind != TValueNode::vkInteger) ValueError(value, "an integer");
  return value.Integer;
}

bool TReader::ReadBoolean() {
  const TValueNode& value = NextValue("True or False");
  if (value.Kind == TValueNode::vkIdent) {
    if (SameIdent(value.Text, "True")) return true;
    if (SameIdent(value.Text, "False")) return false;
  }
  ValueError(value, "True or False");
}

double TReader::ReadFloat() {
  const TValueNode& value = NextValue("a number");
  if (value.Kind == TValueNode::vkFloat) return value.Float;
  if (value.Kind == TValueNode::vkInteger) return static_cast<double>(value.Integer);
  ValueError(value, "a number");
}

String TReader::ReadString() {
  const TValueNode& value = NextValue("a string");
  if (value.Kind != TValueNode::vkString) ValueError(value, "a string");
  return value.Text;
}

String TReader::ReadIdent() {
  const TValueNode& value = NextValue("an identifier");
  if (value.Kind != TValueNode::vkIdent) ValueError(value, "an identifier");
  return value.Text;
}

void TReader::ReadListBegin() {
  const TValueNode& value = NextValue("a list");
  if (value.Kind != TValueNode::vkList) ValueError(value, "a list");
  FCursor.Lists.emplace_back(&value, 0);
}

bool TReader::EndOfList() const {
  if (FCursor.Lists.empty()) return true;
  const auto& [list, next] = FCursor.Lists.back();
  return next >= list->Items.size();
}

void TReader::ReadListEnd() {
  if (FCursor.Lists.empty()) throw EReadError("ReadListEnd without ReadListBegin");
  const auto& [list, next] = FCursor.Lists.back();
  if (next < list->Items.size())
    Fail(list->Items[next].Line, "end of the list of property '" + FCursor.Name + "' expected");
  FCursor.Lists.pop_back();
}

void TReader::ReadCollection(TCollection* Value) {
  const TValueNode& value = NextValue("a collection");
  if (value.Kind != TValueNode::vkCollection) ValueError(value, "a collection");
  ReadCollectionValue(Value, value);
}

}  // namespace kel
