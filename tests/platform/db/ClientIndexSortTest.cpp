// A client data set's index order against an order worked out here by plain comparisons, over
// values that trip a sort by number keys: texts sharing long beginnings or starting one another,
// case variants, Nulls, negative numbers and zero of both signs, and many equal keys (which keep
// the order rows were added in).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/DB.h"
#include "platform/rtl/StrUtils.h"

namespace kel::test {
namespace {

struct TRow {
  int Id;
  std::optional<std::string> Name;
  std::optional<double> Amount;
  std::optional<Int64> Count;
};

std::vector<TRow> Rows() {
  const char* names[] = {"Customer 100", "Customer 10", "Customer 1", "Customer", "customer 10",
                         "CUSTOMER 10", "Customer 10 and more text beyond", "!", "Target", "a",
                         "Customer 10 and more text", "Z"};
  const double amounts[] = {2.5, -1, 0.0, -0.0, 1e300, -1e300, 2.5, 0.125};
  std::vector<TRow> rows;
  for (int id = 1; id <= 120; ++id) {
    TRow row{id, names[id * 7 % 12], amounts[id * 5 % 8], Int64{id % 9} * (id % 2 ? -1 : 1) * 1000000000000};
    if (id % 11 == 0) row.Name.reset();
    if (id % 13 == 0) row.Amount.reset();
    if (id % 17 == 0) row.Count.reset();
    rows.push_back(row);
  }
  return rows;
}

struct TSortCase {
  const char* Name;
  const char* Fields;
  TIndexOptions Options;
  const char* DescFields;
  const char* CaseInsFields;
};

void PrintTo(const TSortCase& Case, std::ostream* Out) { *Out << Case.Name; }

// Null first, then by value; the comparison of one field, descending or case-insensitive.
template <typename T, typename Less>
int CompareOptional(const std::optional<T>& A, const std::optional<T>& B, Less IsLess) {
  if (!A || !B) return A.has_value() - B.has_value();
  return IsLess(*A, *B) ? -1 : IsLess(*B, *A) ? 1 : 0;
}

int CompareField(const TRow& A, const TRow& B, const std::string& Field, bool CaseInsensitive) {
  if (Field == "Name")
    return CompareOptional(A.Name, B.Name, [&](const std::string& a, const std::string& b) {
      return CaseInsensitive ? LowerCase(a) < LowerCase(b) : a < b;
    });
  if (Field == "Amount") return CompareOptional(A.Amount, B.Amount, std::less<double>());
  return CompareOptional(A.Count, B.Count, std::less<Int64>());
}

bool Listed(const std::string& List, const std::string& Field) {
  return (";" + List + ";").find(";" + Field + ";") != std::string::npos;
}

std::vector<int> ExpectedIds(const TSortCase& Case) {
  std::vector<TRow> rows = Rows();
  std::vector<std::string> fields;
  for (const char* field : {"Name", "Amount", "Count"})
    if (Listed(Case.Fields, field)) fields.push_back(field);
  // Listed fields in their order in Case.Fields.
  std::sort(fields.begin(), fields.end(), [&](const std::string& a, const std::string& b) {
    return (";" + std::string(Case.Fields)).find(";" + a) < (";" + std::string(Case.Fields)).find(";" + b);
  });
  std::stable_sort(rows.begin(), rows.end(), [&](const TRow& a, const TRow& b) {
    for (const std::string& field : fields) {
      const bool descending = Case.Options.Contains(ixDescending) || Listed(Case.DescFields, field);
      const bool folded = Case.Options.Contains(ixCaseInsensitive) || Listed(Case.CaseInsFields, field);
      const int order = CompareField(a, b, field, folded);
      if (order != 0) return descending ? order > 0 : order < 0;
    }
    return false;
  });
  std::vector<int> ids;
  for (const TRow& row : rows) ids.push_back(row.Id);
  return ids;
}

Variant ValueOf(const auto& Optional) { return Optional ? Variant(*Optional) : Null(); }

class ClientIndexSortTest : public ::testing::TestWithParam<TSortCase> {};

TEST_P(ClientIndexSortTest, OrdersAsPlainComparisonsDo) {
  TComponent owner(nullptr);
  auto* table = new TClientDataSet(&owner);
  table->FieldDefs()->Add("Id", ftInteger);
  table->FieldDefs()->Add("Name", ftString, 40);
  table->FieldDefs()->Add("Amount", ftFloat);
  table->FieldDefs()->Add("Count", ftLargeint);
  table->CreateDataSet();
  for (const TRow& row : Rows())
    table->AppendRecord({row.Id, ValueOf(row.Name), ValueOf(row.Amount), ValueOf(row.Count)});
  table->AddIndex("ByCase", GetParam().Fields, GetParam().Options, GetParam().DescFields,
                  GetParam().CaseInsFields);
  table->SetIndexName("ByCase");
  std::vector<int> ids;
  for (table->First(); !table->Eof(); table->Next()) ids.push_back(table->FieldByName("Id")->AsInteger());
  EXPECT_EQ(ids, ExpectedIds(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ClientIndexSortTest,
    ::testing::Values(TSortCase{"Text", "Name", {}, "", ""},
                      TSortCase{"TextDescending", "Name", {ixDescending}, "", ""},
                      TSortCase{"TextCaseInsensitive", "Name", {ixCaseInsensitive}, "", ""},
                      TSortCase{"Number", "Amount", {}, "", ""},
                      TSortCase{"LargeIntegerDescending", "Count", {}, "Count", ""},
                      TSortCase{"TextThenNumber", "Name;Amount", {}, "", ""},
                      TSortCase{"FoldedTextThenNumberDescending", "Name;Amount", {}, "Amount", "Name"},
                      TSortCase{"NumberThenTextThenInteger", "Amount;Name;Count", {}, "Name", ""}),
    [](const ::testing::TestParamInfo<TSortCase>& Info) { return std::string(Info.param.Name); });

}  // namespace
}  // namespace kel::test
