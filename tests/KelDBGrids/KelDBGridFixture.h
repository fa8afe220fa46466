// Test support for the grid: a shown form with a grid whose protected hooks are open to the
// tests and counted, and the same table of orders as an in-memory client data set or as an
// SQLite query over a file in a fresh temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../platform/rtl/ErrorOf.h"
#include "../platform/rtl/TempDirectory.h"
#include "KelDBGrids/KelDBGrids.h"
#include "platform/db/DB.h"
#include "platform/testkit/Testkit.h"
#include "platform/ui/Ui.h"

namespace kel::test {

using testing_support::ErrorOf;

// The grid with its hooks counted and some protected operations opened.
class TTestGrid : public TKelDBGrid {
 public:
  using TKelDBGrid::TKelDBGrid;
  using TCustomGrid::FixedRows;
  using TCustomGrid::InplaceEditor;
  using TCustomGrid::InvalidateCell;
  using TCustomGrid::MoveColRow;
  using TKelCustomDBGrid::PerformDelayed;

  std::vector<int> ScrollDistances;     // every Scroll(distance), in order
  std::vector<TGridCoord> Painted;      // every cell drawn, in order
  int TitleClicks = 0;
  int SequenceCounts = 0;               // UpdateSequenceValues passes that counted
  std::function<void()> OnDefineFieldMap;  // runs inside the layout, before the map is built

  int PlatformFixedCols() const { return TCustomGrid::FixedCols(); }
  TGridOptions PlatformOptions() const { return TCustomGrid::Options(); }
  TScrollStyle PlatformScrollBars() const { return TCustomGrid::ScrollBars(); }

 protected:
  void Scroll(int Distance) override {
    ScrollDistances.push_back(Distance);
    TKelDBGrid::Scroll(Distance);
  }
  void DefineFieldMap() override {
    if (OnDefineFieldMap) OnDefineFieldMap();
    TKelDBGrid::DefineFieldMap();
  }
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
    Painted.push_back({ACol, ARow});
    TKelDBGrid::DrawCell(ACol, ARow, ARect, AState);
  }
  void TitleClick(TKelColumn* Column) override {
    ++TitleClicks;
    TKelDBGrid::TitleClick(Column);
  }
  bool UpdateSequenceValues() override {
    const bool counted = TKelDBGrid::UpdateSequenceValues();
    SequenceCounts += counted;
    return counted;
  }
};

// The current record's Id, 0 on a new record.
inline int CurrentId(TDataSet* Data) {
  TField* id = Data->FieldByName("Id");
  return id->IsNull() ? 0 : id->AsInteger();
}

// A client data set that says it reads forward only.
class TForwardOnlyDataSet : public TClientDataSet {
 public:
  explicit TForwardOnlyDataSet(TComponent* AOwner) : TClientDataSet(AOwner) { SetUniDirectional(true); }
};

// Errors the application loop caught while input was handled (refusals raised by handlers).
class TCaughtErrors {
 public:
  TCaughtErrors() : FSaved(Application->OnException) {
    Application->OnException = [this](TObject*, const std::exception& E) { Messages.push_back(E.what()); };
  }
  ~TCaughtErrors() { Application->OnException = FSaved; }
  TCaughtErrors(const TCaughtErrors&) = delete;
  TCaughtErrors& operator=(const TCaughtErrors&) = delete;
  std::vector<std::string> Messages;

 private:
  TExceptionEvent FSaved;
};

enum class TDataKind { Client, SQLite };

inline std::string KindText(TDataKind Kind) { return Kind == TDataKind::Client ? "ClientDataSet" : "SQLiteQuery"; }

inline std::string KindName(const ::testing::TestParamInfo<TDataKind>& Info) { return KindText(Info.param); }

// Failure messages name the kind instead of dumping its bytes.
inline void PrintTo(TDataKind Kind, std::ostream* Out) { *Out << KindText(Kind); }

// Orders: Id (integer key), Name (text), Qty (integer); row i (1-based) holds i, "Item i", i * 10.
// TGridFixture runs its tests over both kinds of data set; TGridFixtureBase is for tests whose
// kind is fixed or that have parameters of their own.
class TGridFixtureBase : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 640, 480);
    Source = new TDataSource(Form);
    Grid = NewGrid();
    Form->Show();
    Application->ProcessMessages();
  }

  // Whatever a test did, it leaves the grid with its rules holding.
  void TearDown() override {
    EXPECT_NO_THROW(Grid->AssertInvariants());
    delete Form;
  }

  // The orders; with Paid, a boolean Paid field follows (even ids paid).
  TClientDataSet* MakeClient(int Rows, bool Paid = false) {
    auto* data = new TClientDataSet(Form);
    data->FieldDefs()->Add("Id", ftInteger);
    data->FieldDefs()->Add("Name", ftString, 20);
    data->FieldDefs()->Add("Qty", ftInteger);
    if (Paid) data->FieldDefs()->Add("Paid", ftBoolean);
    Fill(data, Rows, Paid);
    return data;
  }

  // Creates the orders' records anew.
  static void Fill(TClientDataSet* Data, int Rows, bool Paid = false) {
    Data->CreateDataSet();
    for (int i = 1; i <= Rows; ++i)
      Paid ? Data->AppendRecord({i, "Item " + std::to_string(i), i * 10, i % 2 == 0})
           : Data->AppendRecord({i, "Item " + std::to_string(i), i * 10});
    Data->First();
  }

  // The orders in a new SQLite file, with a Paid flag (even ids paid) the query may select.
  TSQLiteQuery* MakeQuery(int Rows, const String& Fields = "Id, Name, Qty") {
    auto* connection = new TSQLiteConnection(Form);
    connection->SetDatabaseName((Directory / ("orders" + std::to_string(++Databases) + ".db")).string());
    connection->Open();
    connection->ExecSQL("CREATE TABLE Orders (Id INTEGER PRIMARY KEY, Name VARCHAR(20), Qty INTEGER, Paid BOOLEAN)");
    connection->ExecSQL(
        "WITH RECURSIVE n(i) AS (SELECT 1 WHERE ? > 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
        "INSERT INTO Orders SELECT i, 'Item ' || i, i * 10, i % 2 = 0 FROM n",
        {Rows, Rows});
    auto* query = new TSQLiteQuery(Form);
    query->SetConnection(connection);
    query->SQL()->SetText("SELECT " + Fields + " FROM Orders ORDER BY Id");
    query->Open();
    return query;
  }

  TDataSource* NewSource(TDataSet* Data) {
    auto* source = new TDataSource(Form);
    source->SetDataSet(Data);
    return source;
  }

  // A source over an open data set that reads forward only, which grids and totals refuse.
  TDataSource* ForwardOnlySource() {
    auto* forward = new TForwardOnlyDataSet(Form);
    forward->FieldDefs()->Add("Id", ftInteger);
    forward->CreateDataSet();
    return NewSource(forward);
  }

  // A grid of the test's own on the form, with the fixture grid's size.
  TTestGrid* NewGrid() {
    auto* grid = new TTestGrid(Form);
    grid->SetParent(Form);
    grid->SetBounds(0, 0, 600, 300);
    return grid;
  }

  // Links the grid to Data, open.
  TDataSet* Link(TDataSet* Data) {
    Source->SetDataSet(Data);
    Grid->SetDataSource(Source);
    Application->ProcessMessages();
    return Data;
  }

  // Opens a closed orders data set again with Rows rows (a client data set is created anew).
  void Reopen(TDataSet* Data, int Rows) {
    if (auto* client = dynamic_cast<TClientDataSet*>(Data))
      Fill(client, Rows);
    else
      Data->Open();
  }

  // Rows of data that fit below the titles and above the bottom rows, as the platform counts
  // rows shown whole (a row's trailing line may be cut by the client edge).
  int RowsThatFit() const {
    const int line = Grid->GetRowLineWidth();
    const int bottom = Grid->TotalOffset() > 1 ? (Grid->TotalOffset() - 1) * (Grid->TotalRowHeight() + line) : 0;
    const int room = Grid->ClientHeight() + line - Grid->GetTitleHeight() - bottom;
    return std::max(room / Grid->GetRowHeight(), 1);
  }

  testing_support::TTempDirectory Temp;
  std::filesystem::path Directory{Temp.Path()};
  int Databases = 0;
  TForm* Form = nullptr;
  TDataSource* Source = nullptr;
  TTestGrid* Grid = nullptr;
};

class TGridFixture : public TGridFixtureBase, public ::testing::WithParamInterface<TDataKind> {
 protected:
  using TGridFixtureBase::Link;
  // The orders table with Rows rows, open, as the test's kind of data set (owned by the form).
  TDataSet* MakeOrders(int Rows) {
    return GetParam() == TDataKind::Client ? static_cast<TDataSet*>(MakeClient(Rows)) : MakeQuery(Rows);
  }
  // Links the grid to an open orders data set of Rows rows.
  TDataSet* Link(int Rows) { return Link(MakeOrders(Rows)); }
};

}  // namespace kel::test
