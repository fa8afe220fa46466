// TClientDataSet's rows beyond one opening: data files that round-trip every field type with
// Nulls, rows kept across Close/Open, EmptyDataSet and CreateDataSet dropping them, FileName, and
// damaged files that raise and leave the data set as it was.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "../rtl/TempDirectory.h"
#include "DBTestSupport.h"
#include "platform/rtl/Streams.h"

using namespace kel;
using namespace kel::test;

namespace {

struct TTypeCase {
  TFieldType Type;
  int Size;
  Variant Value;
};

void PrintTo(const TTypeCase& Case, std::ostream* Out) { *Out << FieldTypeName(Case.Type); }

class TFieldTypeFileTest : public ::testing::TestWithParam<TTypeCase> {};

// A value and a Null in a field of the case's type, saved and loaded into a fresh data set.
TEST_P(TFieldTypeFileTest, ValuesAndNullsComeBackExactly) {
  const TTypeCase& c = GetParam();
  TComponent owner(nullptr);
  auto* source = new TClientDataSet(&owner);
  source->FieldDefs()->Add("Key", ftInteger, 0, true);
  source->FieldDefs()->Add("Value", c.Type, c.Size);
  source->CreateDataSet();
  source->AppendRecord({1, c.Value});
  source->AppendRecord({2, Null()});
  TMemoryStream stream;
  source->SaveToStream(&stream);
  stream.SetPosition(0);
  auto* target = new TClientDataSet(&owner);
  target->LoadFromStream(&stream);

  ASSERT_TRUE(target->Active());
  ASSERT_EQ(target->FieldDefs()->Count(), 2);
  EXPECT_TRUE(target->FieldDefs()->Items(0)->Required());
  const TFieldDef* def = target->FieldDefs()->Items(1);
  EXPECT_EQ(def->Name(), "Value");
  EXPECT_EQ(def->DataType(), c.Type);
  EXPECT_EQ(def->Size(), c.Size);
  EXPECT_FALSE(def->Required());
  ASSERT_EQ(target->RecordCount(), 2);
  for (source->First(), target->First(); !source->Eof(); source->Next(), target->Next()) {
    const Variant expected = source->FieldByName("Value")->Value();
    const Variant loaded = target->FieldByName("Value")->Value();
    EXPECT_EQ(VarType(loaded), VarType(expected));
    EXPECT_TRUE(loaded == expected) << VarToStr(loaded) << " against " << VarToStr(expected);
  }
  if (c.Type != ftAutoInc) {
    EXPECT_TRUE(target->FieldByName("Value")->IsNull());
  }
}

TBcd Bcd(const char* Text) { return StrToBcd(Text); }

INSTANTIATE_TEST_SUITE_P(
    EveryStoredType, TFieldTypeFileTest,
    ::testing::Values(
        TTypeCase{ftString, 40, Variant("na\xC3\xAFve \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x99\x82")},
        TTypeCase{ftWideString, 20, Variant("\xC3\x9C" "ber")},
        TTypeCase{ftFixedChar, 4, Variant("ab  ")},
        TTypeCase{ftGuid, 38, Variant("{12345678-9ABC-DEF0-1234-56789ABCDEF0}")},
        TTypeCase{ftSmallint, 0, Variant(std::int32_t{-32768})},
        TTypeCase{ftInteger, 0, Variant(std::int32_t{-2147483647 - 1})},
        TTypeCase{ftAutoInc, 0, Variant(std::int32_t{77})},
        TTypeCase{ftLargeint, 0, Variant(std::int64_t{-9007199254740993})},
        TTypeCase{ftBoolean, 0, Variant(true)},
        TTypeCase{ftFloat, 0, Variant(0.1 + 0.2)},
        TTypeCase{ftCurrency, 0, Variant(-12345.6789)},
        TTypeCase{ftBCD, 4, Variant(Currency::FromRaw(-922337203685477580))},
        TTypeCase{ftFMTBcd, 4, Variant(Bcd("-12345678.1234"))},
        TTypeCase{ftDate, 0, Variant::FromDate(45000)},
        TTypeCase{ftTime, 0, Variant::FromDate(0.5 + 1.0 / 86400000)},
        TTypeCase{ftDateTime, 0, Variant::FromDate(-700.25)},
        TTypeCase{ftTimeStamp, 0, Variant(TSQLTimeStamp{2024, 2, 29, 23, 59, 58, 999})},
        TTypeCase{ftMemo, 0, Variant("line 1\r\nline 2\n")},
        TTypeCase{ftBlob, 0, Variant(String("\0\xFF\x80 bytes", 9))},
        TTypeCase{ftBytes, 3, Variant(String("\0\0\x01", 3))}),
    [](const auto& info) { return std::string(FieldTypeName(info.param.Type)).substr(2); });

struct TDataFileFixture : ::testing::Test {
  testing_support::TTempDirectory Dir;
  TComponent Owner{nullptr};
  TClientDataSet* Orders = MakeOrders(&Owner, {{1, "delta", 40}, {2, "Alpha", 20}, {3, "charlie", 30}});
  String File = Dir.File("orders.kdt");

  static void Append(TDataSet* DataSet, int ID, const char* Name, double Amount) {
    DataSet->AppendRecord({ID, Name, Amount});
  }
  static String ReadAll(const String& Name) {
    TFileStream file(Name, fmOpenRead);
    return file.ReadToEnd();
  }
  static void WriteAll(const String& Name, const String& Bytes) {
    TFileStream file(Name, fmCreate);
    file.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
  }
};

}  // namespace

TEST_F(TDataFileFixture, AnAdtFieldAndItsChildrenRoundTrip) {
  auto* source = new TClientDataSet(&Owner);
  TFieldDef* address = source->FieldDefs()->Add("Address", ftADT);
  address->ChildDefs()->Add("City", ftString, 20);
  address->ChildDefs()->Add("Zip", ftInteger);
  source->CreateDataSet();
  source->Append();
  source->FieldByName("Address.City")->SetAsString("K\xC3\xB6ln");
  source->Post();
  source->SaveToFile(File);
  auto* target = new TClientDataSet(&Owner);
  target->LoadFromFile(File);
  EXPECT_EQ(target->FieldDefs()->Items(0)->ChildDefs()->Count(), 2);
  EXPECT_EQ(target->FieldByName("Address.City")->AsString(), "K\xC3\xB6ln");
  EXPECT_TRUE(target->FieldByName("Address.Zip")->IsNull());
}

TEST_F(TDataFileFixture, CloseAndOpenKeepTheRowsAndTheirOrder) {
  Orders->SetIndexFieldNames("Name");
  Orders->Close();
  EXPECT_FALSE(Orders->BookmarkValid(TBookmark::Of<std::int32_t>(0)));
  Orders->Open();
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{2, 3, 1}));
  Append(Orders, 4, "bravo", 10);  // sorted in place: the index still works
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{2, 4, 3, 1}));
  Orders->SetIndexFieldNames("Amount");
  EXPECT_EQ(IdsInOrder(Orders), (std::vector<int>{4, 2, 3, 1}));
}

TEST_F(TDataFileFixture, EmptyDataSetAndCreateDataSetDropTheKeptRows) {
  Orders->EmptyDataSet();
  Orders->Close();
  Orders->Open();
  EXPECT_EQ(Orders->RecordCount(), 0);
  Append(Orders, 7, "g", 7);
  Orders->Close();
  Orders->CreateDataSet();
  EXPECT_EQ(Orders->RecordCount(), 0);
}

TEST_F(TDataFileFixture, OpenReadsFileNameOnlyWhenNoRowsAreHeld) {
  Orders->SaveToFile(File);
  auto* copy = new TClientDataSet(&Owner);
  EXPECT_THROW(copy->Open(), EDatabaseError);  // neither rows nor a file
  EXPECT_THROW(copy->SaveToFile(), EDatabaseError);
  copy->SetFileName(File);
  copy->SetIndexFieldNames("Amount");
  copy->Open();
  EXPECT_EQ(IdsInOrder(copy), (std::vector<int>{2, 3, 1}));
  Append(copy, 4, "echo", 50);
  copy->Close();  // writes nothing
  copy->Open();   // the rows held, not the file
  EXPECT_EQ(IdsInOrder(copy), (std::vector<int>{2, 3, 1, 4}));
  copy->SaveToFile();
  copy->Close();
  copy->SetFileName(Dir.File("other.kdt"));
  copy->SetFileName(File);  // lets go of the rows held: Open reads the file
  copy->Open();
  EXPECT_EQ(copy->RecordCount(), 4);
  Orders->Close();
  Orders->FieldDefs()->Add("Extra", ftInteger);
  EXPECT_THROW(Orders->Open(), EDatabaseError);  // the rows held no longer fit the definitions
}

namespace {

std::uint32_t Crc32(std::string_view Bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : Bytes) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
  }
  return ~crc;
}

// Changes bytes of the body and writes a checksum that fits, so the damage reaches the decoder.
std::function<void(String&)> Resealed(std::function<void(String&)> Change) {
  return [Change](String& Bytes) {
    Bytes.resize(Bytes.size() - 4);
    Change(Bytes);
    const std::uint32_t crc = Crc32(Bytes);
    Bytes.append(reinterpret_cast<const char*>(&crc), 4);
  };
}

struct TDamageCase {
  const char* Name;
  std::function<void(String&)> Damage;
  const char* Reason;
};

void PrintTo(const TDamageCase& Case, std::ostream* Out) { *Out << Case.Name; }

class TDamagedFileTest : public TDataFileFixture, public ::testing::WithParamInterface<TDamageCase> {};

// The first field is "ID": its type byte follows the magic, the version, the field count and the
// name. The last value is the Amount of the last row: a tag and a double before the checksum.
constexpr std::size_t FirstTypeAt = 8 + 2 + 4 + 4 + 2;
constexpr std::size_t LastTagFromEnd = 4 + 9;

}  // namespace

TEST_P(TDamagedFileTest, RaisesAndLeavesTheDataSetAsItWas) {
  const TDamageCase& c = GetParam();
  Orders->SaveToFile(File);
  String bytes = ReadAll(File);
  c.Damage(bytes);
  WriteAll(File, bytes);
  auto* target = MakeOrders(&Owner, {{7, "x", 1}, {8, "y", 2}, {9, "z", 3}});
  target->SetIndexFieldNames("Amount");
  target->Last();
  EXPECT_THAT(ErrorOf<EDatabaseError>([&] { target->LoadFromFile(File); }),
              HasSubstr(String("Invalid data file: ") + c.Reason));
  ASSERT_TRUE(target->Active());
  EXPECT_EQ(target->FieldByName("ID")->AsInteger(), 9);
  EXPECT_EQ(target->IndexFieldNames(), "Amount");
  EXPECT_EQ(IdsInOrder(target), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(target->FieldDefs()->Count(), 3);

  target->Close();
  target->SetFileName(File);
  EXPECT_THROW(target->Open(), EDatabaseError);
  EXPECT_FALSE(target->Active());
  EXPECT_EQ(target->FieldDefs()->Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, TDamagedFileTest,
    ::testing::Values(
        TDamageCase{"Empty", [](String& b) { b.clear(); }, "not a data file"},
        TDamageCase{"NewerVersion", [](String& b) { b[8] = 2; }, "version 2 is not supported"},
        TDamageCase{"CutInTheVersion", [](String& b) { b.resize(9); }, "unexpected end"},
        TDamageCase{"CutInTheFields", [](String& b) { b.resize(25); }, "the data is damaged"},
        TDamageCase{"CutInTheRows", [](String& b) { b.resize(b.size() - 10); }, "the data is damaged"},
        TDamageCase{"FlippedBit", [](String& b) { b[b.size() / 2] ^= 0x10; }, "the data is damaged"},
        TDamageCase{"UnknownFieldType", Resealed([](String& b) { b[FirstTypeAt] = char(200); }),
                    "unknown field type 200"},
        TDamageCase{"UnknownValueTag",
                    Resealed([](String& b) { b[b.size() + 4 - LastTagFromEnd] = 99; }),
                    "unknown value tag 99"},
        TDamageCase{"IntegerInAFloatField",
                    Resealed([](String& b) { b[b.size() + 4 - LastTagFromEnd] = Variant::vkInt64; }),
                    "a value of row 3 does not fit its field"},
        TDamageCase{"RowsCutBeforeTheChecksum", Resealed([](String& b) { b.resize(b.size() - 3); }),
                    "unexpected end"},
        TDamageCase{"BytesAfterTheRows", Resealed([](String& b) { b += "more"; }),
                    "extra bytes after the rows"}),
    [](const auto& info) { return std::string(info.param.Name); });
