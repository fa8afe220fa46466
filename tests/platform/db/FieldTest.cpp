// Fields: text and value round trips for every field type, conversion and range errors, formats,
// Boolean display values, presentation properties, field lists, the field class registry, blob
// streams and object fields.
#include <gtest/gtest.h>

#include "DBTestSupport.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"

using namespace kel;
using namespace kel::test;

namespace {

// One column of a one-record table, in edit state.
struct TFieldFixture : ::testing::Test {
  TComponent Owner{nullptr};
  TFormatSettingsScope Settings;
  TClientDataSet* Data = new TClientDataSet(&Owner);

  TField* Open(TFieldType Type, int Size = 0) {
    Data->FieldDefs()->Add("F", Type, Size);
    Data->CreateDataSet();
    Data->Append();
    return Data->FieldByName("F");
  }
};

struct TRoundTrip {
  TFieldType Type;
  int Size;
  const char* Typed;        // set as EditText
  const char* EditText;     // read back
  const char* DisplayText;
  const char* ClassName;
};

void PrintTo(const TRoundTrip& Case, std::ostream* Out) { *Out << FieldTypeName(Case.Type); }

class TRoundTripTest : public TFieldFixture, public ::testing::WithParamInterface<TRoundTrip> {};

}  // namespace

TEST_P(TRoundTripTest, EditTextComesBackAsEditAndDisplayText) {
  const TRoundTrip& c = GetParam();
  TField* field = Open(c.Type, c.Size);
  EXPECT_EQ(field->ClassName(), c.ClassName);
  EXPECT_EQ(field->DataType(), c.Type);
  EXPECT_TRUE(field->IsNull());
  field->SetEditText(c.Typed);
  EXPECT_FALSE(field->IsNull());
  EXPECT_EQ(field->EditText(), c.EditText);
  EXPECT_EQ(field->DisplayText(), c.DisplayText);
  // The value survives posting and comes back through Value.
  const Variant value = field->Value();
  Data->Post();
  EXPECT_EQ(field->DisplayText(), c.DisplayText);
  EXPECT_TRUE(VarSameValue(field->Value(), value));
  Data->Edit();
  field->SetValue(Null());
  EXPECT_TRUE(field->IsNull());
  field->SetValue(value);
  EXPECT_EQ(field->EditText(), c.EditText);
  field->SetEditText("");
  EXPECT_TRUE(field->IsNull());
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, TRoundTripTest,
    ::testing::Values(
        TRoundTrip{ftString, 5, "Hello world", "Hello", "Hello", "TStringField"},
        TRoundTrip{ftWideString, 10, "Grüße", "Grüße", "Grüße", "TWideStringField"},
        TRoundTrip{ftFixedChar, 4, "ab", "ab  ", "ab  ", "TStringField"},
        TRoundTrip{ftInteger, 0, "42", "42", "42", "TIntegerField"},
        TRoundTrip{ftLargeint, 0, "9000000000", "9000000000", "9000000000", "TLargeintField"},
        TRoundTrip{ftBoolean, 0, "t", "True", "True", "TBooleanField"},
        TRoundTrip{ftFloat, 0, "1.25", "1.25", "1.25", "TFloatField"},
        TRoundTrip{ftCurrency, 0, "1234.5", "1234.50", "$1,234.50", "TCurrencyField"},
        TRoundTrip{ftBCD, 2, "12.345", "12.35", "12.35", "TBCDField"},
        TRoundTrip{ftFMTBcd, 3, "123456789012.3456", "123456789012.346", "123456789012.346",
                   "TFMTBCDField"},
        TRoundTrip{ftDate, 0, "3/15/2024", "3/15/2024", "3/15/2024", "TDateField"},
        TRoundTrip{ftTime, 0, "14:30", "2:30:00 PM", "2:30:00 PM", "TTimeField"},
        TRoundTrip{ftDateTime, 0, "3/15/2024 14:30", "3/15/2024 2:30:00 PM",
                   "3/15/2024 2:30:00 PM", "TDateTimeField"},
        TRoundTrip{ftTimeStamp, 0, "3/15/2024 8:05:09", "3/15/2024 8:05:09 AM",
                   "3/15/2024 8:05:09 AM", "TSQLTimeStampField"},
        TRoundTrip{ftMemo, 0, "Line one", "(MEMO)", "(MEMO)", "TMemoField"},
        TRoundTrip{ftWideMemo, 0, "Wide", "(WIDEMEMO)", "(WIDEMEMO)", "TWideMemoField"},
        TRoundTrip{ftBlob, 0, "bytes", "(BLOB)", "(BLOB)", "TBlobField"},
        TRoundTrip{ftGraphic, 0, "pixels", "(GRAPHIC)", "(GRAPHIC)", "TGraphicField"}),
    [](const auto& info) { return std::string(FieldTypeName(info.param.Type)); });

namespace {

struct TBadText {
  const char* Name;
  TFieldType Type;
  const char* Valid;  // typed first
  const char* Text;   // then this, which must fail
  bool RangeError;    // EDatabaseError rather than EConvertError
};

void PrintTo(const TBadText& Case, std::ostream* Out) { *Out << Case.Name; }

class TBadTextTest : public TFieldFixture, public ::testing::WithParamInterface<TBadText> {};

}  // namespace

TEST_P(TBadTextTest, RaisesAndKeepsTheValue) {
  const TBadText& c = GetParam();
  TField* field = Open(c.Type);
  field->SetEditText(c.Valid);
  const String before = field->EditText();
  if (c.RangeError)
    EXPECT_THROW(field->SetEditText(c.Text), EDatabaseError) << c.Text;
  else
    EXPECT_THROW(field->SetEditText(c.Text), EConvertError) << c.Text;
  EXPECT_EQ(field->EditText(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, TBadTextTest,
    ::testing::Values(TBadText{"IntegerFromFraction", ftInteger, "1", "1.5", false},
                      TBadText{"IntegerOutOfRange", ftInteger, "1", "3000000000", true},
                      TBadText{"SmallintOutOfRange", ftSmallint, "1", "40000", true},
                      TBadText{"WordNegative", ftWord, "1", "-1", true},
                      TBadText{"FloatMisplacedSeparators", ftFloat, "1", "1,5,5", false},
                      TBadText{"BooleanUnknownWord", ftBoolean, "True", "maybe", false},
                      TBadText{"DateNoSuchMonth", ftDate, "1/2/2024", "31/31/2024", false},
                      TBadText{"TimeNoSuchHour", ftTime, "10:00", "25:99", false},
                      TBadText{"FMTBcdTrailingLetter", ftFMTBcd, "1", "1e5x", false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TFieldFixture, IntegerRangeAndNumberFormats) {
  auto* field = static_cast<TIntegerField*>(Open(ftInteger));
  field->SetMinValue(1);
  field->SetMaxValue(10);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { field->SetAsInteger(11); }),
            "11 is not a valid value for field 'F'. The allowed range is 1 to 10");
  field->SetAsInteger(7);
  field->SetDisplayFormat("000");
  EXPECT_EQ(field->DisplayText(), "007");
  EXPECT_EQ(field->EditText(), "007");
  field->SetEditFormat("0");
  EXPECT_EQ(field->EditText(), "7");
  EXPECT_EQ(field->Alignment(), taRightJustify);
  field->SetAsFloat(2.6);
  EXPECT_EQ(field->AsInteger(), 3);
  EXPECT_THROW(field->SetAsBoolean(true), EDatabaseError);
}

TEST_F(TFieldFixture, FloatPrecisionCurrencyAndFormats) {
  auto* field = static_cast<TFloatField*>(Open(ftFloat));
  field->SetAsFloat(2.0 / 3);
  EXPECT_EQ(field->DisplayText(), "0.666666666666667");
  field->SetPrecision(4);
  EXPECT_EQ(field->DisplayText(), "0.6667");
  field->SetCurrency(true);
  EXPECT_EQ(field->DisplayText(), "$0.67");
  EXPECT_EQ(field->EditText(), "0.67");
  field->SetDisplayFormat("#,##0.000");
  field->SetAsFloat(1234.5);
  EXPECT_EQ(field->DisplayText(), "1,234.500");
  EXPECT_EQ(field->AsCurrency(), Currency::FromDouble(1234.5));
  field->SetMinValue(0);
  field->SetMaxValue(100);
  EXPECT_THROW(field->SetAsFloat(100.5), EDatabaseError);
}

TEST_F(TFieldFixture, BooleanDisplayValuesReadAndParseTheStartOfEitherText) {
  auto* field = static_cast<TBooleanField*>(Open(ftBoolean));
  field->SetDisplayValues("Yes;No");
  const struct {
    const char* Typed;
    bool Value;
  } cases[] = {{"y", true}, {"YES", true}, {"n", false}, {"No", false}};
  for (const auto& c : cases) {
    field->SetEditText(c.Typed);
    EXPECT_EQ(field->AsBoolean(), c.Value) << c.Typed;
    EXPECT_EQ(field->DisplayText(), c.Value ? "Yes" : "No");
  }
  EXPECT_THROW(field->SetEditText("True"), EConvertError);
  EXPECT_EQ(field->DisplayWidth(), 3);
  field->SetValue(Variant(1));
  EXPECT_TRUE(field->AsBoolean());
}

TEST_F(TFieldFixture, GetAndSetTextEventsReplaceTheConversion) {
  TField* field = Open(ftInteger);
  field->OnGetText = [](TField* Sender, String& Text, bool DisplayText) {
    Text = Sender->IsNull() ? "none" : (DisplayText ? "#" : "") + Sender->AsString();
  };
  field->OnSetText = [](TField* Sender, const String& Text) {
    Sender->SetAsInteger(Text == "ten" ? 10 : 0);
  };
  EXPECT_EQ(field->DisplayText(), "none");
  field->SetEditText("ten");
  EXPECT_EQ(field->AsInteger(), 10);
  EXPECT_EQ(field->DisplayText(), "#10");
  EXPECT_EQ(field->EditText(), "10");
}

TEST_F(TFieldFixture, ValidCharactersByType) {
  TComponent owner(nullptr);
  const TIntegerField integer(&owner);
  const TFloatField number(&owner);
  const TStringField text(&owner);
  EXPECT_TRUE(integer.IsValidChar('7'));
  EXPECT_TRUE(integer.IsValidChar('-'));
  EXPECT_FALSE(integer.IsValidChar('.'));
  EXPECT_FALSE(integer.IsValidChar('a'));
  EXPECT_TRUE(number.IsValidChar('.'));
  EXPECT_TRUE(number.IsValidChar('E'));
  EXPECT_FALSE(number.IsValidChar('x'));
  EXPECT_TRUE(text.IsValidChar(U'ß'));
  EXPECT_FALSE(text.IsValidChar('\t'));
}

TEST(FieldListTest, LookupsByNameAndPresentationDefaults) {
  TComponent owner(nullptr);
  TClientDataSet* orders = MakeOrders(&owner, {{1, "Alpha", 10}});
  orders->SetName("Orders");
  EXPECT_EQ(orders->FindField("name"), orders->FieldByName("Name"));
  EXPECT_EQ(orders->FindField("Missing"), nullptr);
  EXPECT_EQ(ErrorOf<EDatabaseError>([&] { orders->FieldByName("Missing"); }),
            "Orders: Field 'Missing' not found");
  TField* name = orders->FieldByName("Name");
  EXPECT_EQ(name->DisplayLabel(), "Name");
  name->SetDisplayLabel("Customer");
  EXPECT_EQ(name->DisplayName(), "Customer");
  EXPECT_EQ(name->DisplayWidth(), 20);
  EXPECT_EQ(orders->FieldByName("ID")->DisplayWidth(), 11);
  EXPECT_EQ(orders->FieldByName("ID")->FieldNo(), 1);
  EXPECT_EQ(orders->FieldByNumber(3), orders->FieldByName("Amount"));
  EXPECT_TRUE(orders->DefaultFields());
}

TEST(FieldListTest, MovingAFieldChangesTheOrderAndTellsTheLinks) {
  TComponent owner(nullptr);
  TClientDataSet* orders = MakeOrders(&owner, {{1, "Alpha", 10}});
  TDataSource source(nullptr);
  source.SetDataSet(orders);
  TRecordingLink link;
  link.SetDataSource(&source);
  link.Events.clear();
  auto* amount = static_cast<TFloatField*>(orders->FieldByName("Amount"));
  amount->SetIndex(0);
  EXPECT_EQ(amount->Index(), 0);
  EXPECT_EQ(orders->Fields()->Fields(1)->FieldName(), "ID");
  EXPECT_EQ(orders->FieldList()->IndexOf(amount), 0);
  EXPECT_EQ(link.Events, (std::vector<TLinkEvent>{{"layout"}}));
  amount->SetIndex(99);
  EXPECT_EQ(amount->Index(), 2);
  link.Events.clear();
  amount->SetVisible(false);
  amount->SetDisplayFormat("0.0");
  EXPECT_EQ(link.Events, (std::vector<TLinkEvent>{{"layout"}, {"changed"}}));
}

TEST(FieldListTest, PersistentFieldsBindByNameAndType) {
  TComponent owner(nullptr);
  auto* data = new TClientDataSet(&owner);
  auto* id = new TIntegerField(&owner);
  id->SetFieldName("ID");
  id->SetDataSet(data);
  auto* label = new TStringField(&owner);
  label->SetFieldName("Label");
  label->SetSize(8);
  label->SetDataSet(data);
  auto* twin = new TStringField(&owner);
  twin->SetFieldName("ID");
  EXPECT_THROW(twin->SetDataSet(data), EDatabaseError);
  data->CreateDataSet();
  EXPECT_FALSE(data->DefaultFields());
  EXPECT_EQ(data->FieldDefs()->Count(), 2);
  EXPECT_EQ(data->FieldDefs()->Find("Label")->Size(), 8);
  data->AppendRecord({5, "Five"});
  EXPECT_EQ(label->AsString(), "Five");
  EXPECT_THROW(id->SetFieldName("Other"), EDatabaseError);
  data->Close();
  // A persistent field whose column has another type does not bind.
  data->FieldDefs()->Clear();
  data->FieldDefs()->Add("ID", ftString, 10);
  data->FieldDefs()->Add("Label", ftString, 8);
  EXPECT_THROW(data->CreateDataSet(), EDatabaseError);
  EXPECT_FALSE(data->Active());
  delete id;
  EXPECT_EQ(data->FieldCount(), 1);
}

namespace {
class TPictureField : public TBlobField {
  KEL_CLASS(TPictureField, TBlobField)
 public:
  explicit TPictureField(TComponent* AOwner) : TBlobField(AOwner) {}
};
}  // namespace

TEST(FieldClassRegistryTest, ARegisteredClassIsCreatedForItsType) {
  EXPECT_EQ(GetFieldClass(ftGraphic), &TGraphicField::ClassInfo());
  EXPECT_EQ(GetFieldClass(ftCursor), nullptr);
  RegisterFieldClass<TPictureField>(ftGraphic);
  TComponent owner(nullptr);
  auto* data = new TClientDataSet(&owner);
  data->FieldDefs()->Add("Photo", ftGraphic);
  data->CreateDataSet();
  TField* photo = data->FieldByName("Photo");
  EXPECT_EQ(photo->ClassName(), "TPictureField");
  EXPECT_EQ(photo->DataType(), ftGraphic);
  RegisterFieldClass(ftGraphic, nullptr);
  EXPECT_EQ(GetFieldClass(ftGraphic), &TGraphicField::ClassInfo());
  EXPECT_THROW(RegisterFieldClass(ftGraphic, &TDataSource::ClassInfo()), EInvalidArgument);
}

TEST_F(TFieldFixture, BlobStreamsReadAndWriteTheBytes) {
  auto* blob = static_cast<TBlobField*>(Open(ftBlob));
  const String bytes("\x00\x01\xFFpng", 6);
  {
    std::unique_ptr<TStream> stream = Data->CreateBlobStream(blob, bmWrite);
    stream->WriteBuffer(bytes.data(), 4);
    stream->WriteBuffer(bytes.data() + 4, 2);
  }
  EXPECT_EQ(blob->AsString(), bytes);
  EXPECT_EQ(blob->BlobSize(), 6);
  Data->Post();
  std::unique_ptr<TStream> reader = Data->CreateBlobStream(blob, bmRead);
  EXPECT_EQ(reader->ReadToEnd(), bytes);
  EXPECT_THROW(reader->WriteBuffer("x", 1), EWriteError);
  EXPECT_THROW(Data->CreateBlobStream(blob, bmWrite), EDatabaseError);
  TMemoryStream copy;
  blob->SaveToStream(&copy);
  EXPECT_EQ(copy.Size(), 6);
  TIntegerField number(nullptr);
  EXPECT_THROW(Data->CreateBlobStream(&number, bmRead), EDatabaseError);
}

TEST(ObjectFieldTest, ChildFieldsHaveFullNamesAndFormTheValue) {
  TComponent owner(nullptr);
  auto* people = new TClientDataSet(&owner);
  people->FieldDefs()->Add("Name", ftString, 20);
  TFieldDef* address = people->FieldDefs()->Add("Address", ftADT);
  address->ChildDefs()->Add("Street", ftString, 30);
  address->ChildDefs()->Add("City", ftString, 20);
  people->CreateDataSet();
  auto* adt = dynamic_cast<TADTField*>(people->FieldByName("Address"));
  ASSERT_NE(adt, nullptr);
  ASSERT_EQ(adt->FieldCount(), 2);
  TField* city = people->FieldByName("Address.City");
  EXPECT_EQ(city->FullName(), "Address.City");
  EXPECT_EQ(city->ParentField(), adt);
  EXPECT_EQ(people->FieldCount(), 2);
  EXPECT_EQ(people->FieldList()->Count(), 4);
  people->Append();
  people->FieldByName("Name")->SetAsString("Ada");
  adt->SetValue(VarArrayOf({Variant("1 Main St"), Variant("Springfield")}));
  people->Post();
  EXPECT_EQ(city->AsString(), "Springfield");
  EXPECT_FALSE(adt->IsNull());
  EXPECT_EQ(adt->Value()[0].AsString(), "1 Main St");
  EXPECT_EQ(adt->DisplayText(), "(1 Main St, Springfield)");
}
