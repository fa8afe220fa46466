// TSQLiteQuery's aggregates: one query computes every sum, average, count, extreme and unique
// value asked for, over the query's own SQL as a common table expression whose columns are
// renamed c1..cN (so no field name reaches the SQL text); first and last values take one row
// each with LIMIT 1 OFFSET n. No row is read into the query's cache.
//
// The answers must equal a walk over the records (Aggregates.h), so only what SQLite computes
// the same way is offered: integer and float fields (not currency) for every kind; text for
// counts, extremes, first, last and unique values (SQLite's BINARY order is the code point order
// Variant compares text by), except with nulls as zero (a number beside text); any other field
// for counts only.
#include <sqlite3.h>

#include <cctype>
#include <climits>

#include "platform/db/BlobFields.h"
#include "platform/db/Field.h"
#include "platform/db/SQLiteConnection.h"
#include "platform/db/SQLiteQuery.h"
#include "platform/db/SQLiteStatement.h"
#include "platform/db/SQLiteText.h"
#include "platform/db/StdFields.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Strings.h"

namespace kel {

namespace {

// The Variant kind a field's Value has, as far as aggregates care.
enum TValueClass : std::uint8_t { vcOther, vcInteger, vcLargeint, vcFloat, vcText };

TValueClass ValueClassOf(const TField* Field) {
  if (dynamic_cast<const TIntegerField*>(Field)) return vcInteger;
  if (dynamic_cast<const TLargeintField*>(Field)) return vcLargeint;
  if (const auto* real = dynamic_cast<const TFloatField*>(Field))
    return real->IsCurrency() || real->DataType() == ftCurrency ? vcOther : vcFloat;
  switch (Field->DataType()) {
    case ftString: case ftWideString: case ftMemo: case ftWideMemo: return vcText;
    default: return vcOther;
  }
}

TAggregateKinds KindsFor(TValueClass Class, TAggregateNulls Nulls) {
  switch (Class) {
    case vcInteger: case vcLargeint: case vcFloat: return AllAggregates;
    case vcText:
      return Nulls == anAsZero ? TAggregateKinds{akCount}
                               : TAggregateKinds{akCount, akMax, akMin, akFirst, akLast, akUnique};
    default: return {akCount};
  }
}

// A result cell as SQLite typed it.
Variant ColumnValue(sqlite3_stmt* Statement, int Column) {
  switch (sqlite3_column_type(Statement, Column)) {
    case SQLITE_NULL: return Null();
    case SQLITE_INTEGER: return Variant(static_cast<Int64>(sqlite3_column_int64(Statement, Column)));
    case SQLITE_FLOAT: return Variant(sqlite3_column_double(Statement, Column));
    default: {
      const auto* text = static_cast<const char*>(sqlite3_column_blob(Statement, Column));
      return Variant(String(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(Statement, Column))));
    }
  }
}

// A field value in the kind the field's Value gives it.
Variant AsFieldValue(const Variant& Value, TValueClass Class) {
  if (VarIsNull(Value)) return Value;
  switch (Class) {
    case vcInteger: return Variant(Value.AsInteger());
    case vcLargeint: return Variant(Value.AsInt64());
    case vcFloat: return Variant(Value.AsDouble());
    default: return Variant(Value.AsString());
  }
}

// An integer as Variant addition leaves it: an Integer while it fits, else an Int64.
Variant IntegerSum(Int64 Sum, bool Wide) {
  if (!Wide && Sum >= INT_MIN && Sum <= INT_MAX) return Variant(static_cast<int>(Sum));
  return Variant(Sum);
}

bool ContainsWord(const String& Text, const char* Word) {
  const String upper = UpperCase(Text);
  const String word = Word;
  for (std::size_t at = upper.find(word); at != String::npos; at = upper.find(word, at + 1)) {
    const bool startOk = at == 0 || !(std::isalnum(static_cast<unsigned char>(upper[at - 1])) || upper[at - 1] == '_');
    const std::size_t end = at + word.size();
    const bool endOk = end >= upper.size() || !(std::isalnum(static_cast<unsigned char>(upper[end])) || upper[end] == '_');
    if (startOk && endOk) return true;
  }
  return false;
}

// The aggregate query's select list, each expression once: requests over one column share
// their sums and counts, so SQLite steps no aggregate twice per row.
class TSelectList {
 public:
  int Add(const String& Expression) {
    for (std::size_t i = 0; i < FItems.size(); ++i)
      if (FItems[i] == Expression) return static_cast<int>(i);
    FItems.push_back(Expression);
    return static_cast<int>(FItems.size()) - 1;
  }
  String Text() const {
    String text;
    for (const String& item : FItems) text += (text.empty() ? "" : ", ") + item;
    return text;
  }

 private:
  std::vector<String> FItems;
};

// Where one request's answers stand in the select list; -1 = not asked.
struct TRequestColumns {
  int A = -1;        // sum, max, min or count(distinct)
  int B = -1;        // min for unique
  int NonNull = -1;  // count(x)
  int All = -1;      // count(*)
};

// Asks what Request needs and no more: a footer's sum, average and count cost SQLite the same
// aggregates as its own SELECT sum(a), avg(b), count(c) would.
TRequestColumns ColumnsFor(const TAggregateRequest& Request, const String& Column, TSelectList& List) {
  const bool include = Request.Nulls == anInclude;
  const String value = Request.Nulls == anAsZero ? "coalesce(" + Column + ", 0)" : Column;
  TRequestColumns columns;
  switch (Request.Kind) {
    case akSum: columns.A = List.Add("sum(" + value + ")"); break;
    // avg() divides the same sum, added in the same order, by the same count as the walk.
    case akAvg: columns.A = List.Add(include ? "sum(" + value + ")" : "avg(" + value + ")"); break;
    case akCount: columns.A = List.Add(Request.Nulls == anExclude ? "count(" + Column + ")" : "count(*)"); break;
    case akMax: columns.A = List.Add("max(" + value + ")"); break;
    case akMin: columns.A = List.Add("min(" + value + ")"); break;
    case akUnique:
      columns.A = List.Add("count(DISTINCT " + value + ")");
      columns.B = List.Add("min(" + value + ")");
      break;
    default: break;  // first and last: only the count below
  }
  const bool counts = include ? Request.Kind != akSum && Request.Kind != akCount
                              : Request.Kind == akFirst || Request.Kind == akLast;
  if (counts && Request.Nulls == anExclude) columns.NonNull = List.Add("count(" + Column + ")");
  if (counts && Request.Nulls != anExclude) columns.All = List.Add("count(*)");
  if (counts && include && Request.Kind != akAvg && Request.Kind != akFirst && Request.Kind != akLast)
    columns.NonNull = List.Add("count(" + Column + ")");
  return columns;
}

// What the aggregate query answered for one request.
struct TRequestAnswer {
  Variant A, B;
  Int64 NonNull = 0;  // count(x), where asked
  Int64 All = 0;      // count(*), where asked
  Int64 Counted(TAggregateNulls Nulls) const { return Nulls == anExclude ? NonNull : All; }
};

Variant SumValue(const Variant& Sum, TValueClass Class) {
  if (VarIsNull(Sum)) return Variant();
  if (Sum.Kind() != Variant::vkInt64) return Variant(Sum.AsDouble());
  return IntegerSum(Sum.AsInt64(), Class == vcLargeint);
}

// A Null counted as zero is the Integer 0 the walk puts in its place.
Variant NullAsZero(const Variant& Value, TValueClass Class) {
  return Class == vcFloat && Value.Kind() == Variant::vkInt64 ? Variant(Value.AsInteger()) : AsFieldValue(Value, Class);
}

Variant Extreme(const TRequestAnswer& Answer, const TAggregateRequest& Request, TValueClass Class) {
  if (Request.Nulls == anAsZero) return VarIsNull(Answer.A) ? Variant() : NullAsZero(Answer.A, Class);
  if (Request.Nulls == anExclude) return VarIsNull(Answer.A) ? Variant() : AsFieldValue(Answer.A, Class);
  if (Answer.All == 0) return Variant();
  // Null orders first: one counted Null is the least value, and the greatest only alone.
  if (Request.Kind == akMin && Answer.All > Answer.NonNull) return Null();
  return AsFieldValue(Answer.A, Class);
}

Variant Unique(const TRequestAnswer& Answer, const TAggregateRequest& Request, TValueClass Class) {
  const bool include = Request.Nulls == anInclude;
  if (include ? Answer.All == 0 : Answer.A.AsInt64() == 0) return Variant();
  const Int64 nullsSeen = include && Answer.All > Answer.NonNull ? 1 : 0;
  if (Answer.A.AsInt64() + nullsSeen != 1) return Null();
  return Request.Nulls == anAsZero ? NullAsZero(Answer.B, Class) : AsFieldValue(Answer.B, Class);
}

Variant ResultOf(const TRequestAnswer& Answer, const TAggregateRequest& Request, TValueClass Class) {
  switch (Request.Kind) {
    case akSum: return SumValue(Answer.A, Class);
    case akAvg: {
      if (Request.Nulls != anInclude) return VarIsNull(Answer.A) ? Variant() : Variant(Answer.A.AsDouble());
      const Variant sum = SumValue(Answer.A, Class);
      return VarIsEmpty(sum) || Answer.All == 0 ? Variant() : sum / IntegerSum(Answer.All, false);
    }
    case akCount: return Answer.A.AsInt64() == 0 ? Variant() : IntegerSum(Answer.A.AsInt64(), false);
    case akMax: case akMin: return Extreme(Answer, Request, Class);
    case akUnique: return Unique(Answer, Request, Class);
    default: return Variant();
  }
}

// The query's parts the aggregate statements need.
struct TQueryParts {
  TSQLiteConnection* Connection;
  String SQL;
  const TParams* Params;
  int ColumnCount;
  const TComponent* Source;  // named in error messages
};

void ComputeChosen(const TQueryParts& Query, const std::vector<TAggregateRequest>& Requests,
                   const std::vector<std::size_t>& Chosen, std::vector<TAggregateResult>& Results) {
  // The rows as a table "kel_rows"(c1..cN). Aggregates need no order: without a top-level
  // ORDER BY SQLite does not sort, unless a LIMIT after it picks rows by that order.
  String columns;
  for (int column = 1; column <= Query.ColumnCount; ++column)
    columns += (column > 1 ? ", " : "") + QuoteIdentifier("c" + IntToStr(column));
  const String text = Query.SQL;
  String ordered;
  {
    const TSQLiteStatement first(Query.Connection, text, 0, Query.Source);
    ordered = text.substr(0, first.NextOffset());
  }
  while (!ordered.empty() && (ordered.back() == ';' || std::isspace(static_cast<unsigned char>(ordered.back()))))
    ordered.pop_back();
  String unordered = StatementForCount(text);
  if (unordered.size() != ordered.size() && (ContainsWord(unordered, "LIMIT") || ContainsWord(unordered, "OFFSET")))
    unordered = ordered;
  auto rowsOf = [&](const String& Statement) {
    return "WITH \"kel_rows\"(" + columns + ") AS (\n" + Statement + "\n) ";
  };
  auto columnOf = [](const TAggregateRequest& Request) { return QuoteIdentifier("c" + IntToStr(Request.Field->FieldNo())); };

  TSelectList list;
  std::vector<TRequestColumns> places;
  for (std::size_t i : Chosen) places.push_back(ColumnsFor(Requests[i], columnOf(Requests[i]), list));
  TSQLiteStatement aggregate(Query.Connection, rowsOf(unordered) + "SELECT " + list.Text() + " FROM \"kel_rows\"", 0,
                             Query.Source);
  aggregate.BindParams(*Query.Params);
  aggregate.Step();
  sqlite3_stmt* handle = aggregate.Handle();
  auto cell = [&](int Column) { return Column < 0 ? Variant(Null()) : ColumnValue(handle, Column); };
  auto number = [&](int Column) { return Column < 0 ? Int64(0) : Int64(sqlite3_column_int64(handle, Column)); };
  for (std::size_t n = 0; n < Chosen.size(); ++n) {
    const TAggregateRequest& request = Requests[Chosen[n]];
    const TRequestColumns& place = places[n];
    TRequestAnswer answer{cell(place.A), cell(place.B), number(place.NonNull), number(place.All)};
    const TValueClass valueClass = ValueClassOf(request.Field);
    TAggregateResult& result = Results[Chosen[n]];
    result.Computed = true;
    if (request.Kind != akFirst && request.Kind != akLast) {
      result.Value = ResultOf(answer, request, valueClass);
      continue;
    }
    const Int64 counted = answer.Counted(request.Nulls);
    if (counted == 0) continue;
    // One row of the query in its own order: the first or the last counted one.
    const String column = columnOf(request);
    const String where = request.Nulls == anExclude ? " WHERE " + column + " IS NOT NULL" : String();
    TSQLiteStatement row(Query.Connection,
                         rowsOf(ordered) + "SELECT " + column + " FROM \"kel_rows\"" + where +
                             " LIMIT 1 OFFSET :kel_offset",
                         0, Query.Source);
    row.BindParams(*Query.Params);
    row.Bind(sqlite3_bind_parameter_index(row.Handle(), ":kel_offset"),
             Variant(request.Kind == akFirst ? Int64(0) : counted - 1));
    if (!row.Step()) continue;
    result.Value = AsFieldValue(ColumnValue(row.Handle(), 0), valueClass);
    if (request.Nulls == anAsZero && VarIsNull(result.Value)) result.Value = 0;
  }
}

}  // namespace

TAggregateKinds TSQLiteQuery::SupportedAggregates(const TField* Field, TAggregateNulls Nulls) const {
  // The rows in the database are the records only while no filter hides some and nothing was
  // written through the query (written rows keep their place until Refresh).
  if (!Active() || State() != dsBrowse || FilterActive() || !FWrittenKeys.empty() || !Field) return {};
  if (Field->DataSet() != this || Field->FieldKind() != fkData) return {};
  if (Field->FieldNo() < 1 || Field->FieldNo() > FCache.ColumnCount()) return {};
  return KindsFor(ValueClassOf(Field), Nulls);
}

std::vector<TAggregateResult> TSQLiteQuery::ComputeAggregates(const std::vector<TAggregateRequest>& Requests) {
  std::vector<TAggregateResult> results(Requests.size());
  std::vector<std::size_t> chosen;
  for (std::size_t i = 0; i < Requests.size(); ++i)
    if (SupportedAggregates(Requests[i].Field, Requests[i].Nulls).Contains(Requests[i].Kind)) chosen.push_back(i);
  if (chosen.empty()) return results;
  try {
    ComputeChosen({FConnection, FSQL->Text(), FParams.get(), FCache.ColumnCount(), this}, Requests, chosen, results);
  } catch (const EDatabaseError&) {
    // SQL this query cannot be wrapped in (or an overflow SQLite reports): the records answer.
    return std::vector<TAggregateResult>(Requests.size());
  }
  return results;
}


}  // namespace kel
