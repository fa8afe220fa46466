// TWriter: an object block with its stored properties, pseudo-properties and named owned
// components, as text. Values are written after "Name = " or, inside a list, one per line.
#include "platform/classes/ClassesPrivate.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Streaming.h"
#include "platform/classes/StreamingPrivate.h"
#include "platform/rtl/Streams.h"

namespace kel {

void TWriter::WriteRootComponent(TComponent* Root) {
  FRoot = Root;
  WriteObject(Root);
  Flush();
}

void TWriter::WriteRootPersistent(TPersistent* Root) {
  FRoot = Root;
  WriteObject(Root);
  Flush();
}

void TWriter::WriteObject(TPersistent* Instance) {
  auto* component = dynamic_cast<TComponent*>(Instance);
  NewLine();
  FText += "object ";
  if (component && !component->Name().empty()) FText += component->Name() + ": ";
  FText += Instance->ClassName();
  if (component) component->FComponentState.Include(csWriting);
  detail::TScopeExit clearWriting([component] {
    if (component) component->FComponentState.Exclude(csWriting);
  });
  FIndent += 2;
  WriteProperties(Instance);
  if (component)
    for (int i = 0; i < component->ComponentCount(); ++i) {
      TComponent* child = component->Components(i);
      if (!child->Name().empty()) WriteObject(child);
    }
  FIndent -= 2;
  NewLine();
  FText += "end";
}

void TWriter::WriteProperties(TPersistent* Instance) {
  for (const TPropInfo* info : GetPropList(Instance)) WriteProperty(Instance, *info);
  DefinePropertiesOf(Instance);
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo& Info) {
  if (Info.Kind == tkMethod || Info.Kind == tkUnknown || !Info.IsStoredFor(Instance)) return;
  if (Info.Kind == tkClass) {
    WriteObjectProperty(Instance, Info);
    return;
  }
  if (Info.IsOrdinal()) {
    if (!Info.SetOrd) return;
    const Int64 value = Info.GetOrd(Instance);
    if (Info.HasDefault && value == Info.OrdDefault) return;
    WritePropName(Info.Name);
    if (Info.Kind == tkEnumeration) {
      const String name = GetEnumName(Info, value);
      if (name.empty())
        throw EWriteError("Property " + Info.Name + " holds " + std::to_string(value) +
                          ", which is no element of its type");
      WriteIdent(name);
    } else if (Info.Kind == tkSet) {
      BeginValue();
      String names = SetToString(Info, value, false);
      for (std::size_t comma = names.find(','); comma != String::npos; comma = names.find(',', comma + 2))
        names.insert(comma + 1, " ");
      FText += "[" + names + "]";
    } else {
      WriteInteger(value);
    }
  } else if (Info.Kind == tkFloat) {
    if (!Info.SetFloat) return;
    const double value = Info.GetFloat(Instance);
    if (value == Info.FloatDefault) return;
    WritePropName(Info.Name);
    WriteFloat(value);
  } else if (Info.Kind == tkString) {
    if (!Info.SetStr) return;
    const String value = Info.GetStr(Instance);
    if (value == Info.StrDefault) return;
    WritePropName(Info.Name);
    WriteString(value);
  }
}

void TWriter::WriteObjectProperty(TPersistent* Instance, const TPropInfo& Info) {
  TObject* value = Info.GetObj(Instance);
  if (!value) return;
  if (auto* component = dynamic_cast<TComponent*>(value)) {
    const String name = ReferenceName(component);
    if (!Info.SetObj || name.empty()) return;
    WritePropName(Info.Name);
    WriteIdent(name);
  } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
    if (collection->Count() == 0) return;
    WritePropName(Info.Name);
    WriteCollection(collection);
  } else if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
    const String outerPrefix = FPrefix;
    FPrefix += Info.Name + ".";
    WriteProperties(persistent);
    FPrefix = outerPrefix;
  }
}

String TWriter::ReferenceName(TComponent* Component) const {
  for (TComponent* c = Component; c; c = c->Owner())
    if (c == FRoot) return Component->Name();
  TComponent* owner = Component->Owner();
  if (owner && !owner->Name().empty() && !Component->Name().empty())
    return owner->Name() + "." + Component->Name();
  return Component->Name();
}

// --- Values -----------------------------------------------------------------------------------

void TWriter::WriteInteger(Int64 Value) {
  BeginValue();
  FText += std::to_string(Value);
}

void TWriter::WriteBoolean(bool Value) { WriteIdent(Value ? "True" : "False"); }

void TWriter::WriteFloat(double Value) {
  BeginValue();
  FText += detail::FloatToText(Value);
}

void TWriter::WriteString(const String& Value) {
  BeginValue();
  FText += detail::QuoteStringLiteral(Value);
}

void TWriter::WriteIdent(const String& Value) {
  BeginValue();
  FText += Value;
}

void TWriter::WriteListBegin() {
  BeginValue();
  FText += "(";
  ++FListDepth;
  FIndent += 2;
}

void TWriter::WriteListEnd() {
  if (FListDepth == 0) throw EWriteError("WriteListEnd without WriteListBegin");
  --FListDepth;
  FIndent -= 2;
  FText += ")";
}

void TWriter::WriteCollection(TCollection* Value) {
  BeginValue();
  FText += "<";
  const String outerPrefix = FPrefix;
  const int outerListDepth = FListDepth;
  FPrefix.clear();
  FListDepth = 0;
  FIndent += 2;
  for (TCollectionItem* item : *Value) {
    NewLine();
    FText += "item";
    FIndent += 2;
    WriteProperties(item);
    FIndent -= 2;
    NewLine();
    FText += "end";
  }
  FIndent -= 2;
  FPrefix = outerPrefix;
  FListDepth = outerListDepth;
  FText += ">";
}

void TWriter::DefineProperty(const String& Name, const TReaderProc& ReadData,
                             const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
  if (FValueExpected || FListDepth != 0)
    throw EWriteError("Property " + FPrefix + Name + " was not written completely");
}

// --- Layout -----------------------------------------------------------------------------------

void TWriter::WritePropName(const String& Name) {
  NewLine();
  FText += FPrefix + Name + " = ";
  FValueExpected = true;
}

void TWriter::BeginValue() {
  if (FListDepth > 0) {
    NewLine();
    return;
  }
  if (!FValueExpected) throw EWriteError("A value was written where none was expected");
  FValueExpected = false;
}

void TWriter::NewLine() {
  if (!FText.empty()) FText += '\n';
  FText.append(static_cast<std::size_t>(FIndent), ' ');
}

void TWriter::Flush() {
  FText += '\n';
  FStream->WriteBuffer(FText.data(), static_cast<Int64>(FText.size()));
  FText.clear();
}

}  // namespace kel
