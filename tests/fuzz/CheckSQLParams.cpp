// The `:name` parameters of SQL text. Every `:name` parameter SQLite finds in a statement it
// prepares must be a parameter of TParams, or the query could not give it a value; when every
// statement prepares, TParams holds no name SQLite does not use. Names appear once, letter case
// ignored, and ParseSQL keeps the values of the names that stay.
#include <sqlite3.h>

#include <algorithm>

#include "FuzzCheck.h"
#include "platform/db/SQLiteParams.h"

namespace kel::fuzz {

namespace {

sqlite3* Database() {
  static sqlite3* database = [] {
    sqlite3* handle = nullptr;
    if (sqlite3_open(":memory:", &handle) != SQLITE_OK ||
        sqlite3_exec(handle, "CREATE TABLE t(a, b, c); CREATE TABLE u(a, d)", nullptr, nullptr, nullptr) != SQLITE_OK)
      Fail("cannot open SQLite");
    return handle;
  }();
  return database;
}

// The `:name` parameters of every statement SQLite prepares, up to the first it refuses;
// Complete tells whether it prepared them all.
std::vector<String> SQLiteParamNames(const String& SQL, bool& Complete) {
  std::vector<String> names;
  const char *tail = SQL.c_str(), *end = SQL.c_str() + SQL.size();
  Complete = true;
  while (tail < end) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(Database(), tail, static_cast<int>(end - tail), &statement, &tail) != SQLITE_OK) {
      Complete = false;
      break;
    }
    if (!statement) continue;
    for (int index = 1; index <= sqlite3_bind_parameter_count(statement); ++index) {
      const char* name = sqlite3_bind_parameter_name(statement, index);
      if (name && name[0] == ':') names.emplace_back(name + 1);
    }
    sqlite3_finalize(statement);
  }
  return names;
}

bool Contains(const std::vector<String>& Names, const String& Name) {
  return std::any_of(Names.begin(), Names.end(), [&](const String& name) { return SameText(name, Name); });
}

}  // namespace

void CheckSQLParams(TBytes Data) {
  const TInput input = TInput::Split(Data, 2);
  const String& sql = input.Part(0);
  if (sql.find('\0') != String::npos || sql.size() > 4096) return;
  TParams params;
  params.ParseSQL(input.Part(1));
  for (int index = 0; index < params.Count(); ++index) params.Items(index)->SetAsInteger(index);
  TParams previous;
  previous.Assign(&params);
  params.ParseSQL(sql);
  std::vector<String> names;
  for (const auto& param : params) {
    Expect(!param->Name().empty(), "a parameter has a name");
    Expect(!Contains(names, param->Name()), "a name appears once");
    names.push_back(param->Name());
    if (const TParam* before = previous.FindParam(param->Name()))
      Expect(param->Value() == before->Value(), "a name that stays keeps its value");
    else
      Expect(param->IsNull(), "a new parameter has no value");
  }
  bool complete = false;
  const std::vector<String> sqliteNames = SQLiteParamNames(sql, complete);
  for (const String& name : sqliteNames)
    Expect(params.FindParam(name) != nullptr, "SQLite's parameter ':" + name + "' is in TParams");
  for (const String& name : names)
    Expect(!complete || Contains(sqliteNames, name), "TParams' parameter ':" + name + "' is one SQLite binds");
}

}  // namespace kel::fuzz
