// The client data set's file format. The selector's bit 0 appends the checksum the payload needs,
// so the fuzzer reaches the decoder past the check; bit 1 puts the file header in front. A file
// either loads or raises EDatabaseError and leaves the data set's definitions, rows and state as
// they were; a file that loads saves as bytes that load and save again unchanged.
#include "FuzzCheck.h"
#include "platform/db/ClientDataSet.h"
#include "platform/db/FieldDefs.h"
#include "platform/rtl/DateUtils.h"
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
    data->AppendRecord({"Größe", -3, 12.3456, EncodeDateTime(2024, 2, 29, 13, 5, 0, 7), "123456789.0123",
                        "two\nlines"});
    data->AppendRecord({Variant(), 0});
    return data;
  }();
  return held;
}

}  // namespace

void CheckClientDataFile(TBytes Data) {
  static const String reference = Saved(Held());
  const TInput input = TInput::Split(Data, 1);
  String bytes = input.Part(0);
  if (input.Selector & 2) bytes.insert(0, String("KELTABLE\x01\x00", 10));
  if (input.Selector & 1) {
    const std::uint32_t crc = Crc32(bytes);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(crc >> shift);
  }
  TClientDataSet* data = Held();
  if (!SucceedsOrChangesNothing<EDatabaseError>(
          [&] { Load(data, bytes); }, [&] { return data->Active() ? Saved(data) : String(); },
          "a refused file leaves the data set open with its rows and definitions"))
    return;
  const String saved = Saved(data);
  TClientDataSet again(nullptr);
  Load(&again, saved);
  Expect(Saved(&again) == saved, "a loaded file saves as bytes that load and save the same");
  Load(data, reference);
}

}  // namespace kel::fuzz
