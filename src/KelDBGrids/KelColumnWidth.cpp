// Column widths: the default width from the field and the title, the width read and write
// rules (hidden columns, streamed widths, write-back to the field's DisplayWidth, bounds), the
// optimal width of the buffered records; and the grid's stretching (StretchGrid, the stretch
// mode and its activation) and scaling (ScaleColumnsBy).
//
// Stretching. While the grid's StretchMode is on and its data link active, the showing columns
// share the client width in proportion to their base widths (WidthBase). A column whose share
// falls outside its bounds (WidthMin/WidthMax, else the grid's StretchWidthMin/StretchWidthMax)
// is fixed at the bound and leaves the pools; the others share what remains, and rounding rests
// go to the last unfixed column. The pools left by the last pass turn a width the user sets
// into a base width.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "KelDBGrids/KelGridStyle.h"
#include "KelDBGrids/KelScrollProp.h"
#include "platform/db/DB.h"
#include "platform/ui/Ui.h"

namespace kel {

namespace {

// Width of a column whose grid cannot tell better.
constexpr int FallbackColumnWidth = 64;
// Pixels around a measured text.
constexpr int TextPadding = 4;

// Stretch states of a column during StretchGrid.
enum : std::uint8_t {
  StretchFree, StretchAtWidthMin, StretchAtWidthMax, StretchAtGridMin, StretchAtGridMax
};

// A * M / D rounded half away from zero.
int MulDiv(int A, int M, int D) {
  long long product = static_cast<long long>(A) * M;
  long long divisor = D;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const long long magnitude = (std::llabs(product) + divisor / 2) / divisor;
  return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

// Widest line of Text on Canvas.
int WidestLine(TCanvas* Canvas, const String& Text) {
  int widest = 0;
  std::size_t start = 0;
  while (start <= Text.size()) {
    std::size_t end = Text.find_first_of("\r\n", start);
    if (end == String::npos) end = Text.size();
    widest = std::max(widest, Canvas->TextWidth(std::string_view(Text).substr(start, end - start)));
    if (end + 1 < Text.size() && Text[end] == '\r' && Text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return widest;
}

// Lends a canvas another font for its lifetime (measuring happens between paints as well as
// during them).
class TCanvasFontScope {
 public:
  TCanvasFontScope(TCanvas* Canvas, TFont* Font) : FCanvas(Canvas) {
    FSaved.Assign(Canvas->Font());
    Canvas->SetFont(Font);
  }
  ~TCanvasFontScope() { FCanvas->SetFont(&FSaved); }
  TCanvasFontScope(const TCanvasFontScope&) = delete;
  TCanvasFontScope& operator=(const TCanvasFontScope&) = delete;

 private:
  TCanvas* FCanvas;
  TFont FSaved;
};

// Puts the data link's active record back.
class TActiveRecordScope {
 public:
  explicit TActiveRecordScope(TDataLink* Link) : FLink(Link), FSaved(Link->ActiveRecord()) {}
  ~TActiveRecordScope() { FLink->SetActiveRecord(FSaved); }
  TActiveRecordScope(const TActiveRecordScope&) = delete;
  TActiveRecordScope& operator=(const TActiveRecordScope&) = delete;

 private:
  TDataLink* FLink;
  int FSaved;
};

void ScaleFont(TFont* Font, int M, int D) { Font->SetHeight(MulDiv(Font->Height(), M, D)); }

}  // namespace

// ---- Grid state seen by widths -----------------------------------------------------------------

bool TKelColumn::StretchMode() const {
  TKelCustomDBGrid* grid = Grid();
  return grid && grid->StretchActive();
}

bool TKelColumn::GridStreaming() const {
  TKelCustomDBGrid* grid = Grid();
  return grid && (grid->ComponentState().Contains(csWriting) || grid->Columns()->SavingColumns());
}

bool TKelColumn::GridReading() const {
  TKelCustomDBGrid* grid = Grid();
  return grid && (grid->ComponentState().Contains(csReading) || grid->Columns()->LoadingColumns());
}

// ---- Reading widths ----------------------------------------------------------------------------

int TKelColumn::Width() {
  if (!Showing() && !GridStreaming()) {
    TKelCustomDBGrid* grid = Grid();
    return grid ? -grid->GetColLineWidth() : -1;
  }
  if (!WidthAssigned()) return DefaultWidth();
  return StretchMode() && GridStreaming() ? FStretchBase : FWidth;
}

int TKelColumn::TrueWidth() { return WidthAssigned() ? FWidth : DefaultWidth(); }

int TKelColumn::DefaultWidth() {
  TKelCustomDBGrid* grid = Grid();
  if (!grid) return FallbackColumnWidth;
  TField* field = ResultField();
  if (!field) return grid->DefaultColWidth();
  TCanvas* canvas = grid->Canvas();
  int width;
  {
    TCanvasFontScope font(canvas, Font());
    // Text has no overhang on this platform.
    width = field->DisplayWidth() * canvas->TextWidth("0") + TextPadding;
  }
  const TKelDBGridOptions options = grid->Options();
  if (options.Contains(dgTitles) && !options.Contains(dgTitleWidthOff)) {
    TCanvasFontScope font(canvas, Title()->Font());
    const int margins = 2 * grid->GridStyle()->TitleColMargin();
    const int title = WidestLine(canvas, Title()->Caption()) + TextPadding + margins;
    width = std::max(width, title);
  }
  if (grid->DefaultWidthMin() >= 0) width = std::max(width, grid->DefaultWidthMin());
  if (grid->DefaultWidthMax() >= 0) width = std::min(width, grid->DefaultWidthMax());
  return width;
}

bool TKelColumn::IsWidthStored() {
  if (!WidthAssigned()) return false;
  const int width = StretchMode() ? FStretchBase : FWidth;
  return width != DefaultWidth() || width == FallbackColumnWidth;
}

int TKelColumn::OptimalWidth() {
  TKelCustomDBGrid* grid = Grid();
  if (!grid || !grid->DataLink()->Active()) return WidthBase();
  TKelGridDataLink* link = grid->DataLink();
  TCanvas* canvas = grid->Canvas();
  int widest = 0;
  {
    TCanvasFontScope font(canvas, Font());
    TActiveRecordScope active(link);
    for (int record = 0; record < link->RecordCount(); ++record) {
      link->SetActiveRecord(record);
      widest = std::max(widest, WidestLine(canvas, GetDisplayText()) + TextPadding);
    }
  }
  if (FImageMargin > 0) widest += FImageMargin + 1;
  // TODO(editor): add the editor button's width while the in-place editor shows one.
  return widest;
}

// ---- Writing widths ----------------------------------------------------------------------------

void TKelColumn::WriteBackDisplayWidth(int Value) {
  TKelCustomDBGrid* grid = Grid();
  TField* field = Field();
  if (!grid || !field || !grid->HandleAllocated()) return;
  TCanvas* canvas = grid->Canvas();
  TCanvasFontScope font(canvas, Font());
  const int digit = canvas->TextWidth("0");
  // A font always draws "0"; there is no overhang to take off.
  if (digit <= 0) return;
  field->SetDisplayWidth((Value + digit / 2 - TextPadding) / digit);
}

int TKelColumn::ClampWidth(int Value) const {
  if (Value <= -1) return Value;
  if (FWidthMin != -1) Value = std::max(Value, FWidthMin);
  if (FWidthMax != -1) Value = std::min(Value, FWidthMax);
  return Value;
}

void TKelColumn::SetWidth(int Value) {
  TKelCustomDBGrid* grid = Grid();
  // Widths must exceed -1 with column lines, 0 without; a refused value reaches neither the
  // field nor the column.
  const int refused = grid && grid->GetColLineWidth() > 0 ? -1 : 0;
  if (!FStored && Value > refused) {
    WriteBackDisplayWidth(Value);
    if (grid && grid->LayoutFromDataSet() && !WidthAssigned()) return;
  }
  Value = ClampWidth(Value);
  if (!WidthAssigned() && !GridReading() && Value == DefaultWidth()) {
    ColumnChanged();
    return;
  }
  if (Value <= refused) {
    ColumnChanged();
    return;
  }
  if (WidthAssigned() && FWidth == Value) return;
  if (StretchMode() && !grid->FStretching && grid->FStretchRestBase >= 1 && grid->FStretchRestWidth >= 1) {
    const long long scaled = static_cast<long long>(Value) * grid->FStretchRestBase;
    FStretchBase = static_cast<int>(scaled / grid->FStretchRestWidth);
  }
  const int shown = Width();
  FWidth = Value;
  Assigned(cvWidth);
  if (grid) {
    if (Width() != shown) grid->FLastResizedCol = grid->DataToRawColumn(Index());
    grid->StretchGrid();
  }
  Synchronize();
  ColumnChanged();
}

// Outside stretching a bound the width breaks moves the width to it; stretching keeps the bases
// and applies the bounds itself.
void TKelColumn::SetWidthMin(int Value) {
  if (Value < -1) return;
  if (Value != -1 && FWidthMax != -1) Value = std::min(Value, FWidthMax);
  if (FWidthMin == Value) return;
  FWidthMin = Value;
  if (Value != -1 && !StretchMode() && TrueWidth() < Value) SetWidth(Value);
  if (TKelCustomDBGrid* grid = Grid()) grid->StretchGrid();
}

void TKelColumn::SetWidthMax(int Value) {
  if (Value < -1) return;
  if (Value != -1 && FWidthMin != -1) Value = std::max(Value, FWidthMin);
  if (FWidthMax == Value) return;
  FWidthMax = Value;
  if (Value != -1 && !StretchMode() && TrueWidth() > Value) SetWidth(Value);
  if (TKelCustomDBGrid* grid = Grid()) grid->StretchGrid();
}

int TKelColumn::WidthBase() { return StretchMode() ? FStretchBase : TrueWidth(); }

void TKelColumn::SetWidthBase(int Value) {
  if (!StretchMode()) {
    SetWidth(Value);
    return;
  }
  if (Value < 0 || Value == FStretchBase) return;
  FStretchBase = Value;
  Grid()->StretchGrid();
}

// ---- Stretching --------------------------------------------------------------------------------

void TKelCustomDBGrid::SetStretchMode(bool Value) {
  if (FStretchMode == Value) return;
  FStretchMode = Value;
  // A stretched grid needs no horizontal bar when AutoStretch says so.
  const bool horizontal = FScrollProp->HasHorizontal(FScrollBars) && !(FStretchMode && FScrollProp->AutoStretch());
  TCustomGrid::SetScrollBars(horizontal ? ssHorizontal : ssNone);
  SetStretchActive();
}

void TKelCustomDBGrid::SetStretchActive() {
  const bool active = FStretchMode && FDataLink->Active();
  if (active == FStretchActive) return;
  FStretchActive = active;
  if (active) {
    for (TKelColumn* column : *FColumns) column->FStretchBase = column->TrueWidth();
    StretchGrid();
    return;
  }
  TCollectionUpdate update(FColumns.get());
  for (TKelColumn* column : *FColumns) column->SetWidth(column->FStretchBase);
  update.Close();
}

bool TKelCustomDBGrid::GetAlignStretchToBorder() const {
  if (!FStretchActive) return false;
  if (HandleAllocated() && IsScrollBarVisible(FHandle, SB_VERT)) return false;
  if (IsGridThemed(false)) return false;
  return BorderStyle() != bsSingle || !Ctl3D();
}

void TKelCustomDBGrid::StretchGrid() {
  if (!FStretchActive || FStretching || !FColumns) return;
  TFlagGuard stretching(FStretching, true);
  const int line = GetColLineWidth();
  // 1. The width to share and the base widths sharing it.
  int available = ClientWidth();
  if (FOptions.Contains(dgIndicator)) available -= FIndicatorWidth + line;
  // The last column line may lie under the border.
  if (GetAlignStretchToBorder()) available += line;
  std::vector<TKelColumn*> showing;
  int base = 0;
  for (TKelColumn* column : *FColumns) {
    if (!column->Showing()) continue;
    showing.push_back(column);
    available -= line;
    base += column->FStretchBase;
    column->FStretchState = StretchFree;
  }
  auto boundOf = [this](const TKelColumn* column) {
    switch (column->FStretchState) {
      case StretchAtWidthMin: return column->FWidthMin;
      case StretchAtWidthMax: return column->FWidthMax;
      case StretchAtGridMin: return FStretchWidthMin;
      default: return FStretchWidthMax;
    }
  };
  // 2. Fix the columns whose share breaks a bound, until no pass fixes another.
  bool changed = true;
  bool firstPass = true;
  while (changed && available >= 1 && base >= 1) {
    changed = false;
    const int passWidth = available;
    const int passBase = base;
    for (TKelColumn* column : showing) {
      if (column->FStretchState != StretchFree) continue;
      const long long target = static_cast<long long>(column->FStretchBase) * passWidth / passBase;
      if (column->FWidthMin != -1 && target < column->FWidthMin)
        column->FStretchState = StretchAtWidthMin;
      else if (column->FWidthMax != -1 && target > column->FWidthMax)
        column->FStretchState = StretchAtWidthMax;
      else if (column->FWidthMin == -1 && FStretchWidthMin != -1 && target < FStretchWidthMin)
        column->FStretchState = StretchAtGridMin;
      else if (column->FWidthMax == -1 && FStretchWidthMax != -1 && target > FStretchWidthMax)
        column->FStretchState = StretchAtGridMax;
      else
        continue;
      base -= column->FStretchBase;
      available -= boundOf(column);
      changed = true;
    }
    if (!firstPass) continue;
    firstPass = false;
    // Every column fixed and width left over: the columns held up by a lower bound may grow.
    const bool allFixed = std::none_of(showing.begin(), showing.end(),
                                       [](const TKelColumn* c) { return c->FStretchState == StretchFree; });
    if (!allFixed || available < 1) continue;
    for (TKelColumn* column : showing) {
      if (column->FStretchState != StretchAtWidthMin && column->FStretchState != StretchAtGridMin) continue;
      available += boundOf(column);
      base += column->FStretchBase;
      column->FStretchState = StretchFree;
      changed = true;
    }
  }
  // 3. The ratio that turns a width set by the user into a base width.
  FStretchRestWidth = available;
  FStretchRestBase = base;
  // 4. Widths in column order; each unfixed column takes its share of what is left, so the
  // rounding rest lands on the last one.
  for (TKelColumn* column : showing) {
    int width;
    if (column->FStretchState != StretchFree) {
      width = boundOf(column);
    } else if (available < 1 || base < 1) {
      width = std::max(FStretchWidthMin, 0);
    } else {
      width = static_cast<int>(static_cast<long long>(column->FStretchBase) * available / base);
      available -= width;
      base -= column->FStretchBase;
    }
    if (column->TrueWidth() != width) column->SetWidth(width);
  }
  // 5. Everything fits: no reason to stay scrolled.
  const int firstData = DataToRawColumn(FFixedCols);
  if (LeftCol() > firstData && firstData < ColCount() && GetColumnsWidth() <= ClientWidth()) SetLeftCol(firstData);
}

// ---- Scaling -----------------------------------------------------------------------------------

void TKelCustomDBGrid::ScaleColumnsBy(int M, int D, bool ScaleFonts) {
  if (M == D || D == 0) return;
  TGridLayoutGuard layout(this);
  SetGridLineWidth(MulDiv(GridLineWidth(), M, D));
  SetIndicatorWidth(MulDiv(FIndicatorWidth, M, D));
  if (ScaleFonts) {
    TFlagGuard copying(FCopyingFonts, true);
    ScaleFont(Font(), M, D);
    ScaleFont(FTitleFont.get(), M, D);
    ScaleFont(FHeaderFont.get(), M, D);
    ScaleFont(FTotals->Font(), M, D);
  }
  for (TKelColumn* column : *FColumns) column->ScaleBy(M, D);
  layout.Close();
}

void TKelColumn::ScaleBy(int M, int D) {
  if (FWidthMin != -1) FWidthMin = MulDiv(FWidthMin, M, D);
  if (FWidthMax != -1) FWidthMax = MulDiv(FWidthMax, M, D);
  FStretchBase = MulDiv(FStretchBase, M, D);
  if (WidthAssigned()) FWidth = MulDiv(FWidth, M, D);
  if (IsAssigned(cvFont)) ScaleFont(FFont.Get(), M, D);
  if (IsAssigned(cvTitleFont)) ScaleFont(Title()->FFont.Get(), M, D);
  auto scaleTotal = [M, D](TKelColumnTotal* total) {
    if (total->FAssignedValues.Contains(cvTotalFont)) ScaleFont(total->FFont.Get(), M, D);
  };
  if (FTotalHeader) scaleTotal(FTotalHeader.get());
  if (FTotalValues)
    for (TKelColumnTotalValue* total : *FTotalValues) scaleTotal(total);
  if (FTotalFields) scaleTotal(FTotalFields.get());
  if (FTotalFooter) scaleTotal(FTotalFooter.get());
}

}  // namespace kel
