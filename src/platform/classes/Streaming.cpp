// The streaming entry points (WriteComponent, ReadComponent and the persistent forms) and the
// pseudo-properties every filer knows: DefineProperties of the object, and the lines of a
// string list as "Strings".
#include "platform/classes/Streaming.h"

#include <vector>

#include "platform/rtl/Strings.h"

namespace kel {

void WriteComponent(TStream* Stream, TComponent* Instance) {
  TWriter(Stream).WriteRootComponent(Instance);
}

TComponent* ReadComponent(TStream* Stream, TComponent* Instance, TComponent* Owner) {
  return TReader(Stream).ReadRootComponent(Instance, Owner);
}

void WritePersistent(TStream* Stream, TPersistent* Instance) {
  TWriter(Stream).WriteRootPersistent(Instance);
}

void ReadPersistent(TStream* Stream, TPersistent* Instance) {
  TReader(Stream).ReadRootPersistent(Instance);
}

void TFiler::DefinePropertiesOf(TPersistent* Instance) {
  if (auto* strings = dynamic_cast<TStrings*>(Instance)) {
    auto readLines = [strings](TReader* reader) {
      std::vector<String> lines;
      reader->ReadListBegin();
      while (!reader->EndOfList()) lines.push_back(reader->ReadString());
      reader->ReadListEnd();
      TStringsUpdate update(strings);
      strings->Clear();
      for (const String& line : lines) strings->Add(line);
      update.Close();
    };
    auto writeLines = [strings](TWriter* writer) {
      writer->WriteListBegin();
      for (int i = 0; i < strings->Count(); ++i) writer->WriteString(strings->Strings(i));
      writer->WriteListEnd();
    };
    DefineProperty("Strings", readLines, writeLines, strings->Count() > 0);
  }
  Instance->DefineProperties(this);
}

}  // namespace kel
