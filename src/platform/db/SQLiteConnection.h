// TSQLiteConnection: one SQLite database file, its transactions and direct statements.
//
// Connecting opens the file named by DatabaseName, creating it when missing (":memory:" gives a
// private in-memory database). Every failure SQLite reports is raised as EDatabaseError carrying
// SQLite's own message, prefixed by the component's name when it has one.
//
// Transactions. StartTransaction / Commit / Rollback bracket the application's own transaction.
// TSQLiteTransaction is the scoped form the data sets use: it opens a savepoint, so it works
// inside or outside an application transaction, and rolls back when left without Commit.
//
// Queries. Each TSQLiteQuery of the connection registers itself; closing the connection closes
// them first, and freeing it clears their Connection. A connection and its queries are used from
// one thread at a time (SQLite does not lock around each call on it).
//
// Fault injection (tests). FailAtStep(N) makes the Nth statement step from now fail as a disk
// error would; FailAtWrite(N) counts only steps of statements that change the database. The
// failing step is not executed.
#pragma once

#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/rtl/Variant.h"

struct sqlite3;

namespace kel {

class TParams;
class TSQLiteQuery;
class TSQLiteSchemaCache;
class TSQLiteStatement;

class TSQLiteConnection : public TComponent {
  KEL_CLASS(TSQLiteConnection, TComponent)

 public:
  explicit TSQLiteConnection(TComponent* AOwner);
  ~TSQLiteConnection() override;
  static const TPropList& PublishedProperties();

  // Path of the database file; raises EDatabaseError while connected.
  const String& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const String& Value);
  bool Connected() const { return FHandle != nullptr; }
  // Opens the file (raises EDatabaseError when it cannot) or closes it: the queries of the
  // connection are closed first and an open transaction is rolled back.
  void SetConnected(bool Value);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  // ---- Transactions ---------------------------------------------------------------------------
  // Raises EDatabaseError when a transaction is already open.
  void StartTransaction();
  void Commit();
  void Rollback();
  bool InTransaction() const;

  // ---- Direct statements ----------------------------------------------------------------------
  // Runs every statement of SQL in order and answers the number of rows they changed. Values
  // are bound by position to each statement's parameters (`?`, or `:name` in order of first
  // appearance); Params are bound by name. A statement that fails stops the run: statements
  // before it stay done unless a transaction surrounds the call.
  int ExecSQL(const String& SQL, std::initializer_list<Variant> Values = {});
  int ExecSQL(const String& SQL, const TParams& Params);

  // Statement steps run through this connection's statements so far (tests count reads with it).
  long StepCount() const { return FStepCount; }

  // ---- Fault injection (tests) ----------------------------------------------------------------
  // The Count-th statement step from now fails (1 = the next); 0 turns it off.
  void FailAtStep(int Count);
  // The Count-th step of a statement that changes the database fails; 0 turns it off.
  void FailAtWrite(int Count);

  // The SQLite handle while connected; null otherwise.
  sqlite3* Handle() const { return FHandle; }
  // Raises EDatabaseError unless connected.
  void CheckConnected() const;
  // Raises EDatabaseError with the handle's last error message.
  [[noreturn]] void RaiseError(const TComponent* Source = nullptr) const;
  // Called before every statement step; raises the injected fault when its turn has come.
  void BeforeStep(bool Writes);
  // A statement the data sets run often (questions about the schema), prepared once while
  // connected; the caller resets it when done.
  TSQLiteStatement& SharedStatement(const String& SQL);
  // The declared columns of the tables queries write back to, kept while connected.
  TSQLiteSchemaCache& SchemaCache() { return *FSchemaCache; }

 protected:
  void Loaded() override;

 private:
  friend class TSQLiteQuery;
  friend class TSQLiteTransaction;

  void DoConnect();
  void DoDisconnect();
  void AddQuery(TSQLiteQuery* Query);
  void RemoveQuery(TSQLiteQuery* Query);
  // Runs one statement without parameters and result (transaction control).
  void Execute(const char* SQL);

  String FDatabaseName;                 // file path; ":memory:" for an in-memory database
  sqlite3* FHandle = nullptr;           // open database; null while disconnected
  bool FStreamedConnected = false;      // Connected as read from a stream, applied by Loaded
  std::vector<TSQLiteQuery*> FQueries;  // queries using this connection, not owned
  int FSavepointDepth = 0;              // open TSQLiteTransaction scopes (savepoint names)
  std::map<String, std::unique_ptr<TSQLiteStatement>> FSharedStatements;  // by SQL; see SharedStatement
  std::unique_ptr<TSQLiteSchemaCache> FSchemaCache;                       // see SchemaCache
  long FStepCount = 0;                  // see StepCount()
  int FStepsToFault = 0;                // steps left until the injected fault; 0 = none
  int FWritesToFault = 0;               // writing steps left until the injected fault; 0 = none
};

// A transaction for a scope, as a savepoint: Commit() keeps the changes; leaving the scope
// without it rolls them back. Nests inside application transactions and other scopes.
class TSQLiteTransaction {
 public:
  explicit TSQLiteTransaction(TSQLiteConnection* Connection);
  ~TSQLiteTransaction();
  TSQLiteTransaction(const TSQLiteTransaction&) = delete;
  TSQLiteTransaction& operator=(const TSQLiteTransaction&) = delete;

  void Commit();

 private:
  TSQLiteConnection* FConnection;
  String FName;          // the savepoint's name
  bool FActive = false;  // opened and neither committed nor rolled back
};

}  // namespace kel
