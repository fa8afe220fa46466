// Building the demo's window: data first (the columns bind to open fields), then the toolbar,
// then the grid with its columns, header bands and footer.
#include "DemoForm.h"

#include <cstdint>

#include "SampleDatabase.h"
#include "ZoltsGraph/ZoltsGraph.h"

namespace kel::demo {

namespace {

constexpr int ToolbarHeight = 36;
constexpr int StyleButtonWidth = 120;
constexpr int StripeTintPercent = 8;  // of the highlight colour in every other row

// What a column does beyond showing its field.
enum TColumnRole : std::uint8_t { crPlain, crLookup, crCheckBox, crPickList };

// A data column under a header band ("" for none).
struct TColumnSpec {
  const char* FieldName;
  const char* Header;
  const char* Caption;
  int Width;
  TColumnRole Role = crPlain;
  const char* LookupResult = "";  // crLookup: the customers' field shown for the key
};

constexpr TColumnSpec DataColumns[] = {
    {"id", "Order", "No.", 110},
    {"order_date", "Order", "Date", 96},
    {"customer_id", "Customer", "Name", 170, crLookup, "name"},
    {"customer_id", "Customer", "City", 120, crLookup, "city"},
    {"amount", "Money", "Amount", 150},
    {"status", "Money", "Status", 100, crPickList},
    {"paid", "", "Paid", 56, crCheckBox},
    {"notes", "", "Notes", 340},
};

TKelColumn* AddColumn(TKelDBGrid* Grid, const TColumnSpec& Spec) {
  TKelColumn* column = Grid->Columns()->Add();
  column->SetFieldName(Spec.FieldName);
  column->Title()->SetCaption(Spec.Caption);
  column->Title()->SetHeader(Spec.Header);
  column->SetWidth(Spec.Width);
  return column;
}

void LookUp(TKelColumn* Column, TDataSet* Customers, const char* ResultField) {
  Column->SetLookupDataSet(Customers);
  Column->SetKeyField("customer_id");
  Column->SetLookupKeyField("id");
  Column->SetLookupResultField(ResultField);
}

void FooterTotal(TKelColumn* Column, const char* FieldName, TCalcValue Kind, const char* Format) {
  TKelColumnTotalFooter* footer = Column->TotalFooter();
  footer->SetFieldName(FieldName);
  footer->SetTotalResult(trCalcValue);
  footer->SetCalcValue(Kind);
  footer->SetFormatAsFloat(true);
  footer->SetFormat(Format);
  footer->SetAlignment(taRightJustify);
}

}  // namespace

TDemoForm::TDemoForm(const std::filesystem::path& DatabasePath) : TForm(nullptr) {
  SetCaption("KelDBGrid demo: orders");
  SetBounds(0, 0, DemoFormWidth, DemoFormHeight);
  SetPosition(poScreenCenter);
  OpenData(DatabasePath);
  BuildToolbar();
  BuildGrid();
  TintStripes();
}

void TDemoForm::OpenData(const std::filesystem::path& DatabasePath) {
  FConnection = new TSQLiteConnection(this);
  FConnection->SetDatabaseName(DatabasePath.string());
  FConnection->Open();
  // Pages read through the memory map rather than a system call each.
  FConnection->ExecSQL("PRAGMA mmap_size = 1073741824");
  // The whole customer list is small and every visible row looks names up in it.
  FCustomers = new TSQLiteQuery(this);
  FCustomers->SetConnection(FConnection);
  FCustomers->SetPacketRecords(-1);
  FCustomers->SQL()->SetText("SELECT id, name, city FROM customers ORDER BY id");
  FCustomers->Open();
  // One table with its key: the query writes edits back.
  FOrders = new TSQLiteQuery(this);
  FOrders->SetConnection(FConnection);
  FOrders->SQL()->SetText(
      "SELECT id, customer_id, order_date, amount, status, paid, notes FROM orders ORDER BY id");
  FOrders->Open();
  if (auto* amount = dynamic_cast<TNumericField*>(FOrders->FieldByName("amount"))) amount->SetDisplayFormat("#,##0.00");
  FSource = new TDataSource(this);
  FSource->SetDataSet(FOrders);
}

void TDemoForm::BuildToolbar() {
  FToolbar = new TPanel(this);
  FToolbar->SetParent(this);
  FToolbar->SetAlign(alTop);
  FToolbar->SetHeight(ToolbarHeight);
  FToolbar->SetShowCaption(false);
  auto* label = new TLabel(this);
  label->SetParent(FToolbar);
  label->SetCaption("Style:");
  label->SetBounds(10, 10, 0, 0);
  int left = 56;
  for (const String& name : TStyleManager::StyleNames()) {
    auto* button = new TSpeedButton(this);
    button->SetParent(FToolbar);
    button->SetBounds(left, 4, StyleButtonWidth, ToolbarHeight - 8);
    button->SetCaption(name == TStyleManager::SystemStyleName ? String("System") : name);
    button->SetGroupIndex(1);
    button->SetDown(name == TStyleManager::ActiveStyleName());
    button->OnClick = [this, name](TObject*) { ApplyStyle(name); };
    FStyleButtons.push_back(button);
    left += StyleButtonWidth + 4;
  }
  FSummary = new TLabel(this);
  FSummary->SetParent(FToolbar);
  FSummary->SetBounds(left + 16, 10, 0, 0);
  FSummary->SetCaption(FConnection->DatabaseName() + "  (edits are saved)");
}

void TDemoForm::BuildGrid() {
  FGrid = new TKelDBGrid(this);
  FGrid->SetParent(this);
  FGrid->SetAlign(alClient);
  // Title clicks do not order the rows yet; without the marker toggle they are plain clicks.
  FGrid->SetOptions(FGrid->Options() + dgTitleHeaders - dgMarkerAutoToggle);
  // Only the footer cells that hold a total are boxed.
  FGrid->SetOptionsEx(FGrid->OptionsEx() + dgTotalFooter + dgTotalDataBoxOnly);
  FGrid->SetDrawingOptions(FGrid->DrawingOptions() + gdoStripedRows);
  AddColumns();
  AddFooterTotals();
}

void TDemoForm::DoShow() {
  TForm::DoShow();
  if (!FGrid->DataSource()) FGrid->SetDataSource(FSource);
}

void TDemoForm::AddColumns() {
  TKelColumn* number = FGrid->Columns()->Add();
  number->SetAutoNumber(true);
  number->SetAlignment(taRightJustify);
  number->Title()->SetCaption("#");
  number->Title()->SetAlignment(taRightJustify);
  number->SetWidth(64);
  for (const TColumnSpec& spec : DataColumns) {
    TKelColumn* column = AddColumn(FGrid, spec);
    switch (spec.Role) {
      case crLookup:
        LookUp(column, FCustomers, spec.LookupResult);
        break;
      case crCheckBox:
        column->SetCheckBox(true);
        column->SetAlignment(taCenter);
        break;
      case crPickList:
        for (const std::string& status : OrderStatuses()) column->PickList()->Add(status);
        break;
      case crPlain:
        break;
    }
  }
}

void TDemoForm::AddFooterTotals() {
  FooterTotal(FGrid->FindColumn("id"), "", cvCount, "%.0n orders");
  FooterTotal(FGrid->FindColumn("amount"), "", cvSum, "Sum %.2n");
  // The status column has room for the average amount beside the sum.
  FooterTotal(FGrid->FindColumn("status"), "amount", cvAvg, "Avg %.2n");
}

void TDemoForm::ApplyStyle(const String& Name) {
  TStyleManager::SetStyle(Name);
  const std::vector<String> names = TStyleManager::StyleNames();
  for (std::size_t i = 0; i < names.size() && i < FStyleButtons.size(); ++i)
    if (names[i] == Name) FStyleButtons[i]->SetDown(true);
  TintStripes();
}

void TDemoForm::TintStripes() { FGrid->SetStripeColor(MixColors(clWindow, clHighlight, StripeTintPercent)); }

TRect TDemoForm::GridScreenRect() const {
  const TPoint topLeft = FGrid->ClientToScreen(TPoint{0, 0});
  return Bounds(topLeft.X, topLeft.Y, FGrid->ClientWidth(), FGrid->ClientHeight());
}

}  // namespace kel::demo
