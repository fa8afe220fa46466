// The demo's window on a live display answering the real pointer: a drag on a title border
// widens the column, and the screen shows the column line where the drag ended. Runs in the live
// leg (a virtual display, KEL_BACKEND=sdl); skipped elsewhere.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "DemoForm.h"
#include "DemoTestSupport.h"
#include "LiveDisplay.h"
#include "SampleDatabase.h"

namespace kel::demo {
namespace {

// Lets the program answer what the server sends for a while.
void Pump(int Milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Milliseconds);
  do {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
}

class DemoMouseLiveTest : public TTempFolderTest {
 protected:
  void SetUp() override {
    if (!Live()) GTEST_SKIP() << "runs in the live leg, KEL_BACKEND=sdl";
    ASSERT_TRUE(EnsureSampleDatabase(Folder / "orders.db", 300));
    Form = new TDemoForm(Folder / "orders.db");
    Form->Show();
    Pump(500);
  }
  void TearDown() override { delete Form; }

  // How many rows of Region show Colour at its column X.
  static int RowsWith(const TScreenRegion& Region, int X, std::uint32_t Colour) {
    int rows = 0;
    for (int y = 0; y < Region.Height; ++y) rows += Region.At(X, y) == Colour;
    return rows;
  }

  TDemoForm* Form = nullptr;
};

TEST_F(DemoMouseLiveTest, DraggingATitleBorderWithThePointerWidensTheColumn) {
  TKelDBGrid* grid = Form->Grid();
  TKelColumn* column = grid->Columns()->Items(1);
  const int raw = grid->DataToRawColumn(column->Index());
  const TRect title = grid->CellRect(raw, grid->TitleOffset() - 1);
  const int before = column->Width();
  const TPoint from = grid->ClientToScreen(TPoint{title.Right, title.Bottom - 4});
  constexpr int Distance = 60;
  ASSERT_TRUE(DragPointer(from.X, from.Y, from.X + Distance, from.Y, 6, [] { Pump(40); }))
      << "the X server's test extension";
  Pump(300);
  EXPECT_EQ(column->Width(), before + Distance);

  // Down a band of data rows, the column's left line is the reference; the right line now stands
  // Distance further on, and the old place is inside the cell.
  const TRect cell = grid->CellRect(raw, grid->TitleOffset() + 1);
  const TPoint origin = grid->ClientToScreen(TPoint{0, cell.Top});
  const TScreenRegion band = CaptureScreen(origin.X, origin.Y, grid->ClientWidth(), 5 * grid->GetRowHeight());
  ASSERT_GT(band.Height, 0);
  const std::uint32_t line = band.At(cell.Left - 1, band.Height / 2);
  EXPECT_GE(RowsWith(band, cell.Right, line), band.Height * 3 / 4) << "the line at the new border";
  EXPECT_LT(RowsWith(band, title.Right, line), band.Height / 4) << "no line left at the old border";
}

}  // namespace
}  // namespace kel::demo
