// TSQLiteConnection: connecting and disconnecting (with the queries that use the connection),
// transactions and savepoint scopes, ExecSQL, errors and the fault-injection counters.
#include "platform/db/SQLiteConnection.h"

#include <sqlite3.h>

#include <algorithm>

#include "platform/classes/Properties.h"
#include "platform/db/DBConsts.h"
#include "platform/db/SQLiteQuery.h"
#include "platform/db/SQLiteSchema.h"
#include "platform/db/SQLiteStatement.h"

namespace kel {

namespace {
// How long a statement waits for another connection's lock before reporting "database is locked".
constexpr int BusyTimeoutMs = 2000;
}  // namespace

TSQLiteConnection::TSQLiteConnection(TComponent* AOwner)
    : TComponent(AOwner), FSchemaCache(std::make_unique<TSQLiteSchemaCache>(this)) {}

TSQLiteConnection::~TSQLiteConnection() {
  Destroying();
  DoDisconnect();
}

const TPropList& TSQLiteConnection::PublishedProperties() {
  static const TPropList list =
      PropertyTable<TSQLiteConnection>()
          .String("DatabaseName", &TSQLiteConnection::DatabaseName, &TSQLiteConnection::SetDatabaseName)
          .Boolean("Connected", &TSQLiteConnection::Connected, &TSQLiteConnection::SetConnected, false);
  return list;
}

void TSQLiteConnection::Loaded() {
  TComponent::Loaded();
  if (FStreamedConnected) SetConnected(true);
}

void TSQLiteConnection::SetDatabaseName(const String& Value) {
  if (Value == FDatabaseName) return;
  if (Connected()) DatabaseError("Cannot change the database of an open connection", this);
  FDatabaseName = Value;
}

void TSQLiteConnection::SetConnected(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    FStreamedConnected = Value;
    return;
  }
  if (Value == Connected()) return;
  if (Value)
    DoConnect();
  else
    DoDisconnect();
}

void TSQLiteConnection::DoConnect() {
  if (FDatabaseName.empty()) DatabaseError("No database name given", this);
  sqlite3* handle = nullptr;
  // A connection and its queries live on one thread: SQLite need not lock around every call.
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(FDatabaseName.c_str(), &handle, flags, nullptr) != SQLITE_OK) {
    const String message = handle ? sqlite3_errmsg(handle) : "out of memory";
    sqlite3_close_v2(handle);
    DatabaseError(message + ": " + FDatabaseName, this);
  }
  sqlite3_extended_result_codes(handle, 1);
  sqlite3_busy_timeout(handle, BusyTimeoutMs);
  FHandle = handle;
}

void TSQLiteConnection::DoDisconnect() {
  // By index from the end: a closing query may leave the list.
  for (std::size_t i = FQueries.size(); i-- > 0;)
    if (i < FQueries.size()) FQueries[i]->Close();
  FSharedStatements.clear();
  FSchemaCache->Clear();
  if (!FHandle) return;
  // Closing rolls back whatever transaction is still open.
  sqlite3_close_v2(FHandle);
  FHandle = nullptr;
  FSavepointDepth = 0;
}

TSQLiteStatement& TSQLiteConnection::SharedStatement(const String& SQL) {
  std::unique_ptr<TSQLiteStatement>& statement = FSharedStatements[SQL];
  if (!statement) statement = std::make_unique<TSQLiteStatement>(this, SQL);
  return *statement;
}

void TSQLiteConnection::AddQuery(TSQLiteQuery* Query) {
  if (std::find(FQueries.begin(), FQueries.end(), Query) == FQueries.end()) FQueries.push_back(Query);
}

void TSQLiteConnection::RemoveQuery(TSQLiteQuery* Query) { std::erase(FQueries, Query); }

void TSQLiteConnection::CheckConnected() const {
  if (!FHandle) DatabaseError("The connection is not open", this);
}

void TSQLiteConnection::RaiseError(const TComponent* Source) const {
  DatabaseError(FHandle ? sqlite3_errmsg(FHandle) : "The connection is not open", Source ? Source : this);
}

// ---- Transactions ----------------------------------------------------------------------------

void TSQLiteConnection::Execute(const char* SQL) {
  TSQLiteStatement statement(this, SQL);
  statement.Step();
}

void TSQLiteConnection::StartTransaction() {
  CheckConnected();
  Execute("BEGIN");
}

void TSQLiteConnection::Commit() {
  CheckConnected();
  Execute("COMMIT");
}

void TSQLiteConnection::Rollback() {
  CheckConnected();
  Execute("ROLLBACK");
}

bool TSQLiteConnection::InTransaction() const { return FHandle && !sqlite3_get_autocommit(FHandle); }

TSQLiteTransaction::TSQLiteTransaction(TSQLiteConnection* Connection) : FConnection(Connection) {
  Connection->CheckConnected();
  FName = "kel_scope_" + IntToStr(Connection->FSavepointDepth + 1);
  Connection->Execute(("SAVEPOINT " + FName).c_str());
  ++Connection->FSavepointDepth;
  FActive = true;
}

TSQLiteTransaction::~TSQLiteTransaction() {
  if (!FActive) return;
  --FConnection->FSavepointDepth;
  // A failed statement may already have ended the whole transaction; then there is nothing to
  // roll back and the calls below fail harmlessly. Faults are not injected here: a rollback is
  // what a fault must lead to.
  sqlite3* handle = FConnection->Handle();
  if (!handle) return;
  sqlite3_exec(handle, ("ROLLBACK TO " + FName).c_str(), nullptr, nullptr, nullptr);
  sqlite3_exec(handle, ("RELEASE " + FName).c_str(), nullptr, nullptr, nullptr);
}

void TSQLiteTransaction::Commit() {
  if (!FActive) return;
  FConnection->Execute(("RELEASE " + FName).c_str());
  FActive = false;
  --FConnection->FSavepointDepth;
}

// ---- Direct statements -----------------------------------------------------------------------

namespace {

template <typename Binder>
int ExecuteScript(TSQLiteConnection* Connection, const String& SQL, Binder Bind) {
  int changed = 0;
  std::size_t offset = 0;
  while (offset < SQL.size()) {
    TSQLiteStatement statement(Connection, SQL, offset, Connection);
    offset = statement.NextOffset();
    if (statement.Empty()) continue;
    Bind(statement);
    const Int64 before = sqlite3_total_changes64(Connection->Handle());
    while (statement.Step()) {
    }
    // sqlite3_changes keeps the count of the last statement that changed rows: read it only
    // when this one did (its own rows, without those of triggers).
    if (sqlite3_total_changes64(Connection->Handle()) != before)
      changed += static_cast<int>(sqlite3_changes64(Connection->Handle()));
  }
  return changed;
}

}  // namespace

int TSQLiteConnection::ExecSQL(const String& SQL, std::initializer_list<Variant> Values) {
  CheckConnected();
  return ExecuteScript(this, SQL, [&](TSQLiteStatement& statement) {
    if (statement.ParamCount() > 0) statement.BindValues(Values);
  });
}

int TSQLiteConnection::ExecSQL(const String& SQL, const TParams& Params) {
  CheckConnected();
  return ExecuteScript(this, SQL, [&](TSQLiteStatement& statement) { statement.BindParams(Params); });
}

// ---- Fault injection -------------------------------------------------------------------------

void TSQLiteConnection::FailAtStep(int Count) { FStepsToFault = std::max(0, Count); }

void TSQLiteConnection::FailAtWrite(int Count) { FWritesToFault = std::max(0, Count); }

void TSQLiteConnection::BeforeStep(bool Writes) {
  ++FStepCount;
  bool fail = FStepsToFault > 0 && --FStepsToFault == 0;
  if (Writes && FWritesToFault > 0 && --FWritesToFault == 0) fail = true;
  if (fail) DatabaseError("disk I/O error (injected fault)", this);
}

}  // namespace kel
