// The demo's window: a toolbar with the style switch over a grid of the sample orders.
//
// The orders query selects one table with its key, so the grid's edits are written back to the
// file; the customers query feeds the two lookup columns (name and city by customer id). The
// footer's totals are computed by SQL over the whole table, after the grid's delay.
//
// An index on the orders' customer gives SQLite a small tree to count the rows in, which the
// grid's scroll bar asks for as soon as it lays out.
#pragma once

#include <filesystem>
#include <vector>

#include "KelDBGrids/KelDBGrids.h"
#include "platform/Platform.h"

namespace kel::demo {

inline constexpr int DemoFormWidth = 1280;
inline constexpr int DemoFormHeight = 800;

class TDemoForm : public TForm {
 public:
  // Opens the database at DatabasePath (a sample database, see SampleDatabase.h). Raises
  // EDatabaseError when it cannot be opened or lacks the sample tables.
  explicit TDemoForm(const std::filesystem::path& DatabasePath);

  TKelDBGrid* Grid() const { return FGrid; }
  TSQLiteQuery* Orders() const { return FOrders; }
  TSQLiteQuery* Customers() const { return FCustomers; }
  // The toolbar's style buttons, in the style manager's order.
  const std::vector<TSpeedButton*>& StyleButtons() const { return FStyleButtons; }

  // Makes Name the active style (raises EStyleNotFound for a name the manager lacks), presses
  // its button and tints the stripes from the new palette.
  void ApplyStyle(const String& Name);
  // The grid's rectangle on the screen.
  TRect GridScreenRect() const;

 protected:
  // The grid takes its data once the form shows, so the footer's totals (a scan of the whole
  // table) wait for the grid's delay instead of holding up the first frame.
  void DoShow() override;

 private:
  void OpenData(const std::filesystem::path& DatabasePath);
  void BuildToolbar();
  void BuildGrid();
  void AddColumns();
  void AddFooterTotals();
  void TintStripes();

  TSQLiteConnection* FConnection = nullptr;  // owned by the form, as are the rest
  TSQLiteQuery* FOrders = nullptr;
  TSQLiteQuery* FCustomers = nullptr;
  TDataSource* FSource = nullptr;
  TPanel* FToolbar = nullptr;
  TLabel* FSummary = nullptr;
  TKelDBGrid* FGrid = nullptr;
  std::vector<TSpeedButton*> FStyleButtons;
};

}  // namespace kel::demo
