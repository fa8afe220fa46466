// Component streaming: writing a component (or any persistent) with its stored published
// properties, pseudo-properties and owned components to a readable text, and reading it back.
// The format is described in StreamingPrivate.h; in short:
//
//   object Wrapper1: TColumnsWrapper
//     OrderFields = 'Name;Qty DESC'
//     Columns = <
//       item
//         FieldName = 'Name'
//         Title.Caption = 'Customer'
//       end>
//   end
//
// Writing. A property is written when it is stored (its stored predicate holds), has a setter,
// and differs from its default. Objects: a component reference by name (qualified by its owner's
// name when it lies outside the written tree), a collection as its items (not when empty), a
// TStrings as the pseudo-property "Strings" (not when empty), any other persistent as its own
// properties under a dotted prefix. Then come the pseudo-properties the object declares in
// DefineProperties, then its named owned components as nested blocks (unnamed owned components
// are the owner's private parts and are not written). csWriting is set on each component while
// it is written.
//
// Reading. The whole block is parsed first. Reading creates the root by its registered class
// name, or reads into a given root. Nested blocks name owned components: an existing one of that
// name is read into, otherwise one is created by its registered class. csLoading and csReading
// are set on every component read; references are resolved when every block is read; then
// csReading is cleared and Loaded() runs on each component in reading order.
//
// Errors. Anything that cannot be read raises EReadError naming the line and, for a property,
// its name and class: "Line 12: property 'Widht' does not exist in TKelColumn". A created root is
// freed. Before reading into an existing root, the stream is read once into a fresh instance of
// the root's class (when the class has a factory), so a stream that fails leaves the root as it
// was. Should the second reading still fail (the root's own state refusing a value), the
// components it created are freed and the properties it already set stay set.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"

namespace kel {

class TStream;
class TCollection;
class TReader;
class TWriter;

struct TPropInfo;

namespace detail {
struct TValueNode;
struct TPropertyNode;
struct TObjectNode;
}  // namespace detail

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;

// Writes a component and everything it owns that has a name, from the stream's position.
void WriteComponent(TStream* Stream, TComponent* Instance);
// Reads one object block from the stream's position into Instance, or, when Instance is null,
// into a new component of the block's class created with Owner. Answers the component read; the
// stream is left just past the block.
TComponent* ReadComponent(TStream* Stream, TComponent* Instance = nullptr, TComponent* Owner = nullptr);
// The same for a persistent that is not a component (no name, no owned components).
void WritePersistent(TStream* Stream, TPersistent* Instance);
void ReadPersistent(TStream* Stream, TPersistent* Instance);

// What a DefineProperties override talks to: it declares pseudo-properties, each with the
// procedure that reads its value and the one that writes it.
class TFiler : public TObject {
  KEL_CLASS(TFiler, TObject)

 public:
  // Declares the pseudo-property Name of the object being filed. A writer calls WriteData, which
  // must write exactly one value, when HasData; a reader calls ReadData, which must read exactly
  // one value, when the stream holds the property.
  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData,
                              const TWriterProc& WriteData, bool HasData) = 0;
  // The top-level object being written or read.
  TPersistent* Root() const { return FRoot; }

 protected:
  // Lets the filer reach Instance's DefineProperties, and declares the "Strings" pseudo-property
  // of string lists.
  void DefinePropertiesOf(TPersistent* Instance);

  TPersistent* FRoot = nullptr;
};

class TWriter : public TFiler {
  KEL_CLASS(TWriter, TFiler)

 public:
  explicit TWriter(TStream* Stream) : FStream(Stream) {}

  void WriteRootComponent(TComponent* Root);
  void WriteRootPersistent(TPersistent* Root);

  // Values, for WriteData procedures.
  void WriteInteger(Int64 Value);
  void WriteBoolean(bool Value);
  void WriteFloat(double Value);
  void WriteString(const String& Value);
  void WriteIdent(const String& Value);
  // A list of values: WriteListBegin, any number of values, WriteListEnd.
  void WriteListBegin();
  void WriteListEnd();
  // The items of a collection with their stored properties.
  void WriteCollection(TCollection* Value);

  void DefineProperty(const String& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;

 private:
  void WriteObject(TPersistent* Instance);
  void WriteProperties(TPersistent* Instance);
  void WriteProperty(TPersistent* Instance, const TPropInfo& Info);
  void WriteObjectProperty(TPersistent* Instance, const TPropInfo& Info);
  void WritePropName(const String& Name);
  void BeginValue();
  void NewLine();
  String ReferenceName(TComponent* Component) const;
  void Flush();

  TStream* FStream;
  String FText;           // the text written so far, flushed to the stream at the end
  int FIndent = 0;        // spaces before the next line
  String FPrefix;         // path of the nested object whose properties are being written
  int FListDepth = 0;     // open lists of the value being written
  bool FValueExpected = false;  // a property name was written, its value not yet
};

class TReader : public TFiler {
  KEL_CLASS(TReader, TFiler)

 public:
  explicit TReader(TStream* Stream);
  ~TReader() override;

  TComponent* ReadRootComponent(TComponent* Root, TComponent* Owner);
  void ReadRootPersistent(TPersistent* Root);

  // Values, for ReadData procedures; each raises EReadError naming the line when the stream
  // holds another kind of value.
  Int64 ReadInteger();
  bool ReadBoolean();
  double ReadFloat();
  String ReadString();
  String ReadIdent();
  // A list: ReadListBegin, values while !EndOfList(), ReadListEnd.
  void ReadListBegin();
  bool EndOfList() const;
  void ReadListEnd();
  // Replaces the items of the collection with those in the stream.
  void ReadCollection(TCollection* Value);

  void DefineProperty(const String& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;

 private:
  struct TFixup;
  struct TPass;
  struct TValueCursor {
    const detail::TValueNode* Value = nullptr;  // the pseudo-property's value
    bool Taken = false;                          // the value itself was read
    std::vector<std::pair<const detail::TValueNode*, std::size_t>> Lists;  // open lists, next item
    String Name;                                 // the pseudo-property being read
    bool Found = false;                          // a DefineProperty matched Name
  };

  void Parse();
  void ReadInto(TPersistent* Root, bool DryRun);
  void ReadObjectBody(const detail::TObjectNode& Node, TPersistent* Instance);
  void ReadChild(const detail::TObjectNode& Node, TComponent* Owner);
  // The blocks that name existing components name their classes (the dry run cannot see them).
  void CheckExistingChildren(const detail::TObjectNode& Node, TComponent* Owner) const;
  void ReadProperty(TPersistent* Instance, const detail::TPropertyNode& Property);
  void ApplyValue(TPersistent* Instance, const TPropInfo& Info, const detail::TValueNode& Value,
                  const String& Path);
  void ReadCollectionValue(TCollection* Collection, const detail::TValueNode& Value);
  bool ReadDefinedProperty(TPersistent* Instance, const String& Name, const detail::TValueNode& Value);
  void ResolveFixups();
  TComponent* FindReference(const String& Name) const;
  void StartLoading(TComponent* Component);
  const detail::TValueNode& NextValue(const char* Expected);
  [[noreturn]] void ValueError(const detail::TValueNode& Value, const char* Expected) const;

  TStream* FStream;
  String FText;                                  // the stream's text from its position
  std::unique_ptr<detail::TObjectNode> FTree;    // the parsed block
  std::size_t FEndOffset = 0;                    // bytes of FText the block takes
  TComponent* FLookupOwner = nullptr;            // where "Owner.Name" references are looked up
  TPass* FPass = nullptr;                        // state of the reading in progress
  TValueCursor FCursor;                          // the pseudo-property value being read
};

}  // namespace kel
