// The client data set's file format. The selector's bit 0 appends the checksum the payload needs,
// so the fuzzer reaches the decoder past the check; bit 1 puts the file header in front. A file
// either loads or raises EDatabaseError and leaves the data set's definitions, rows and state as
// they were; a file that loads saves as bytes that load and save again unchanged.
#include "FuzzChecks.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/Field.h"
#include "platform/db/FieldDefs.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FMTBcd.h"
#include "platform/rtl/Streams.h"

namespace kel::fuzz {

namespace {

std::uint32_t Crc32(const String& Bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : Bytes) {
    crc ^= static_cast<std::uint8_t>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

String Saved(TClientDataSet* Data) {
  TStringStream stream;
  Data->SaveToStream(&stream);
  return stream.DataString();
}

void Load(TClientDataSet* Data, const String& Bytes) {
  TStringStream stream(Bytes);
  Data->LoadFromStream(&stream);
}

// A data set holding a row of each kind of value; the state every input starts from.
TClientDataSet* Held() {
  static TClientDataSet* held = [] {
    auto* data = new TClientDataSet(nullptr);
    data->FieldDefs()->Add("Name", ftString, 20);
    data->FieldDefs()->Add("Qty", ftInteger, 0, true);
    data->FieldDefs()->Add("Price", ftCurrency);
    data->FieldDefs()->Add("Day", ftDateTime);
    data->FieldDefs()->Add("Amount", ftFMTBcd, 4);
    data->FieldDefs()->Add("Notes", ftMemo);
    data->CreateDataSet();
    data->Append();
    data->FieldByName("Name")->SetAsString("Größe");
    data->FieldByName("Qty")->SetAsInteger(-3);
    data->FieldByName("Price")->SetAsFloat(12.3456);
    data->FieldByName("Day")->SetAsDateTime(EncodeDateTime(2024, 2, 29, 13, 5, 0, 7));
    data->FieldByName("Amount")->SetAsString("123456789.0123");
    data->FieldByName("Notes")->SetAsString("two\nlines");
    data->Post();
    data->Append();
    data->FieldByName("Qty")->SetAsInteger(0);
    data->Post();
    return data;
  }();
  return held;
}

}  // namespace

void CheckClientDataFile(TBytes Data) {
  static const String reference = Saved(Held());
  String bytes(Data.begin() + (Data.empty() ? 0 : 1), Data.end());
  const std::uint8_t selector = Data.empty() ? 0 : Data[0];
  if (selector & 2) bytes.insert(0, String("KELTABLE\x01\x00", 10));
  if (selector & 1) {
    const std::uint32_t crc = Crc32(bytes);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(crc >> shift);
  }
  TClientDataSet* data = Held();
  const int fields = data->FieldCount();
  try {
    Load(data, bytes);
  } catch (const EDatabaseError&) {
    Expect(data->Active() && data->FieldCount() == fields && data->RecordCount() == 2,
           "a refused file leaves the data set open as it was");
    Expect(Saved(data) == reference, "a refused file leaves the rows and definitions as they were");
    return;
  }
  const String saved = Saved(data);
  TClientDataSet again(nullptr);
  Load(&again, saved);
  Expect(Saved(&again) == saved, "a loaded file saves as bytes that load and save the same");
  Load(data, reference);
}

}  // namespace kel::fuzz
