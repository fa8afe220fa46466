// TSQLiteStatement: one prepared statement of a connection, finalized when it goes out of scope.
//
// Every step goes through the connection's fault-injection check and raises EDatabaseError with
// SQLite's message on failure. Values are bound as SQLite storage classes: integers and Booleans
// as INTEGER, floating values and currency as REAL, dates as ISO-8601 text (see SQLiteValues.h),
// text as TEXT; a field type picks the text form of dates and BLOB for binary fields.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "platform/db/DBTypes.h"
#include "platform/rtl/Variant.h"

struct sqlite3_stmt;

namespace kel {

class TComponent;
class TParams;
class TSQLiteConnection;

class TSQLiteStatement {
 public:
  // Prepares the first statement of SQL starting at byte Offset. Source names the component in
  // error messages. Empty() when only blanks or comments were left.
  TSQLiteStatement(TSQLiteConnection* Connection, const String& SQL, std::size_t Offset = 0,
                   const TComponent* Source = nullptr);
  ~TSQLiteStatement();
  TSQLiteStatement(const TSQLiteStatement&) = delete;
  TSQLiteStatement& operator=(const TSQLiteStatement&) = delete;

  bool Empty() const { return FHandle == nullptr; }
  // The component error messages name from now on (a shared statement serves many).
  void SetSource(const TComponent* Source) { FSource = Source; }
  sqlite3_stmt* Handle() const { return FHandle; }
  // Byte offset in SQL where the next statement starts.
  std::size_t NextOffset() const { return FNextOffset; }
  int ColumnCount() const;
  int ParamCount() const;

  // Binds Value to parameter Index (1-based) in the form Type asks for (ftUnknown: by kind).
  void Bind(int Index, const Variant& Value, TFieldType Type = ftUnknown);
  // Binds `:name` parameters from Params (letter case ignored); unknown names stay NULL.
  void BindParams(const TParams& Params);
  // Binds Values to parameters 1..n; raises when the counts differ.
  void BindValues(std::initializer_list<Variant> Values);

  // Runs one step: true with a row ready, false when done. Raises EDatabaseError on failure
  // (the statement is reset then).
  bool Step();
  void Reset();
  // Whether the statement leaves the database unchanged (transaction control counts as such).
  bool ReadOnly() const { return FReadOnly; }

 private:
  [[noreturn]] void RaiseError() const;

  TSQLiteConnection* FConnection;
  const TComponent* FSource;   // named in error messages; may be null
  sqlite3_stmt* FHandle = nullptr;
  std::size_t FNextOffset = 0;
  bool FReadOnly = true;       // see ReadOnly(); asked once, every step needs it
};

}  // namespace kel
