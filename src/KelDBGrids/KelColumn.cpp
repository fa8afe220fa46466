// The column model: field binding by name, assignable title caption and width with their
// defaults, the published tables, and the collection's state, rebuild and change reports.
#include "KelDBGrids/KelColumn.h"

#include <algorithm>

#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridStyle.h"
#include "platform/db/DB.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

namespace {

// Width of a column whose grid cannot tell better.
constexpr int FallbackColumnWidth = 64;
// Characters of a title caption shown in a display name.
constexpr int DisplayNameCaptionLength = 20;

bool IsObjectField(const TField* Field) {
  return Field->DataType() == ftADT || Field->DataType() == ftArray;
}

// Widest line of Text on Canvas.
int WidestLine(TCanvas* Canvas, const String& Text) {
  int widest = 0;
  std::size_t start = 0;
  while (start <= Text.size()) {
    std::size_t end = Text.find_first_of("\r\n", start);
    if (end == String::npos) end = Text.size();
    widest = std::max(widest, Canvas->TextWidth(std::string_view(Text).substr(start, end - start)));
    if (end < Text.size() && Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return widest;
}

}  // namespace

// ---- TKelColumnTitle ---------------------------------------------------------------------------

TKelColumnTitle::TKelColumnTitle(TKelColumn* AColumn) : FColumn(AColumn) {}

const TPropList& TKelColumnTitle::PublishedProperties() {
  using T = TKelColumnTitle;
  static const TPropList list = PropertyTable<T>()
      .String("Caption", &T::Caption, &T::SetCaption)
      .Stored("Caption", &T::IsCaptionStored);
  return list;
}

String TKelColumnTitle::Caption() const {
  return FColumn->FAssignedValues.Contains(cvTitleCaption) ? FCaption : DefaultCaption();
}

void TKelColumnTitle::SetCaption(const String& Value) {
  if (FColumn->FAssignedValues.Contains(cvTitleCaption) && FCaption == Value) return;
  FCaption = Value;
  FColumn->Assigned(cvTitleCaption);
  FColumn->ColumnChanged();
}

String TKelColumnTitle::DefaultCaption() const {
  if (TField* field = FColumn->Field()) return field->DisplayName();
  return FColumn->FieldName();
}

bool TKelColumnTitle::IsCaptionStored() const {
  return FColumn->FAssignedValues.Contains(cvTitleCaption) && FCaption != DefaultCaption();
}

void TKelColumnTitle::RestoreDefaults() {
  FColumn->FAssignedValues -= TKelColumnValues{cvTitleColor, cvTitleCaption, cvTitleAlignment,
                                               cvTitleFont};
  FCaption.clear();
}

void TKelColumnTitle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelColumnTitle*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source->FColumn->FAssignedValues.Contains(cvTitleCaption)) SetCaption(source->FCaption);
}

TPersistent* TKelColumnTitle::GetOwner() { return FColumn; }

// ---- TKelColumn --------------------------------------------------------------------------------

TKelColumn::TKelColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FTitle(std::make_unique<TKelColumnTitle>(this)) {}

TKelColumn::~TKelColumn() = default;

const TPropList& TKelColumn::PublishedProperties() {
  using C = TKelColumn;
  static const TPropList list = PropertyTable<C>()
      .String("FieldName", &C::FieldName, &C::SetFieldName)
      .Object("Title", &C::Title, &C::SetTitle)
      .Boolean("Visible", &C::Visible, &C::SetVisible)
      .Integer("Width", &C::Width, &C::SetWidth)
      .Stored("Width", &C::IsWidthStored);
  return list;
}

TKelCustomDBGrid* TKelColumn::Grid() const {
  auto* columns = dynamic_cast<TKelDBGridColumns*>(Collection());
  return columns ? columns->Grid() : nullptr;
}

TField* TKelColumn::Field() {
  if (FField || FFieldName.empty()) return FField;
  TKelCustomDBGrid* grid = Grid();
  TDataSet* dataSet = grid ? grid->DataSet() : nullptr;
  if (!dataSet) return nullptr;
  // A closed data set without persistent fields has no fields to find.
  if (!dataSet->Active() && dataSet->FieldCount() == 0) return nullptr;
  FField = dataSet->FindField(FFieldName);
  if (FField) FField->FreeNotification(grid);
  return FField;
}

void TKelColumn::SetField(TField* Value) {
  if (FField == Value) return;
  FField = Value;
  if (Value) {
    FFieldName = Value->FullName();
    if (TKelCustomDBGrid* grid = Grid()) Value->FreeNotification(grid);
  }
  ColumnChanged();
}

void TKelColumn::SetFieldName(const String& Value) {
  TField* field = nullptr;
  TKelCustomDBGrid* grid = Grid();
  TDataSet* dataSet = grid ? grid->DataSet() : nullptr;
  if (dataSet && !grid->ComponentState().Contains(csLoading) && !Value.empty())
    field = dataSet->FindField(Value);
  FFieldName = Value;
  FField = field;
  if (field) field->FreeNotification(grid);
  ColumnChanged();
}

void TKelColumn::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed(true);
}

int TKelColumn::Width() {
  TKelCustomDBGrid* grid = Grid();
  if (!Showing() && !(grid && grid->ComponentState().Contains(csWriting)))
    return grid ? -grid->GetColLineWidth() : -1;
  return TrueWidth();
}

int TKelColumn::TrueWidth() { return WidthAssigned() ? FWidth : DefaultWidth(); }

void TKelColumn::SetWidth(int Value) {
  TKelCustomDBGrid* grid = Grid();
  const bool reading = grid && grid->ComponentState().Contains(csReading);
  if (!WidthAssigned() && !reading && Value == DefaultWidth()) {
    ColumnChanged();
    return;
  }
  const bool lines = grid && grid->GetColLineWidth() > 0;
  if (Value <= (lines ? -1 : 0)) {
    ColumnChanged();
    return;
  }
  if (WidthAssigned() && FWidth == Value) return;
  FWidth = Value;
  Assigned(cvWidth);
  ColumnChanged();
}

int TKelColumn::DefaultWidth() {
  TKelCustomDBGrid* grid = Grid();
  if (!grid) return FallbackColumnWidth;
  TField* field = Field();
  if (!field) return grid->DefaultColWidth();
  TCanvas* canvas = grid->Canvas();
  canvas->SetFont(grid->Font());
  int width = field->DisplayWidth() * canvas->TextWidth("0") + 4;
  const TKelDBGridOptions options = grid->Options();
  if (options.Contains(dgTitles) && !options.Contains(dgTitleWidthOff)) {
    canvas->SetFont(grid->TitleFont());
    const int title = WidestLine(canvas, FTitle->Caption()) + 4 + 2 * grid->GridStyle()->TitleColMargin();
    width = std::max(width, title);
  }
  if (grid->DefaultWidthMin() >= 0) width = std::max(width, grid->DefaultWidthMin());
  if (grid->DefaultWidthMax() >= 0) width = std::min(width, grid->DefaultWidthMax());
  return width;
}

bool TKelColumn::IsWidthStored() {
  if (!WidthAssigned()) return false;
  return FWidth != DefaultWidth() || FWidth == FallbackColumnWidth;
}

void TKelColumn::RestoreDefaults() {
  FTitle->RestoreDefaults();
  FAssignedValues = {};
  FWidth = 0;
  ColumnChanged();
}

void TKelColumn::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelColumn*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetFieldName(source->FFieldName);
  SetVisible(source->FVisible);
  if (source->WidthAssigned()) SetWidth(source->FWidth);
  FTitle->Assign(source->FTitle.get());
}

String TKelColumn::GetDisplayName() {
  if (!FFieldName.empty()) return FFieldName;
  String caption = FTitle->Caption();
  if (caption.empty()) return TCollectionItem::GetDisplayName();
  if (CharLength(caption) > DisplayNameCaptionLength) caption = Copy(caption, 1, DisplayNameCaptionLength) + "...";
  return "(" + caption + ")";
}

// ---- TKelDBGridColumns -------------------------------------------------------------------------

TKelDBGridColumns::TKelDBGridColumns(TKelCustomDBGrid* AGrid, const TClassInfo& AItemClass)
    : TCollectionOf<TKelColumn>(AItemClass, AGrid), FGrid(AGrid) {}

TDBGridColumnsState TKelDBGridColumns::State() const {
  return Count() > 0 && Items(Count() - 1)->IsStored() ? csCustomized : csDefault;
}

void TKelDBGridColumns::SetState(TDBGridColumnsState Value) {
  if (Value == State()) return;
  if (!FGrid) {
    if (Value == csDefault) Clear();
    return;
  }
  TGridLayoutGuard layout(FGrid);
  if (Value == csDefault)
    Clear();
  else
    RebuildColumns();
}

TKelColumn* TKelDBGridColumns::InternalAdd() {
  TKelColumn* column = Add();
  column->FStored = false;
  return column;
}

void TKelDBGridColumns::RebuildColumns() {
  TDataSet* dataSet = FGrid ? FGrid->DataSet() : nullptr;
  if (!dataSet) {
    Clear();
    return;
  }
  TGridLayoutGuard layout(FGrid);
  Clear();
  auto addFields = [this](auto& self, TFields* fields) -> void {
    for (TField* field : *fields) {
      Add()->SetFieldName(field->FullName());
      if (IsObjectField(field))
        if (auto* objectField = dynamic_cast<TObjectField*>(field)) self(self, objectField->Fields());
    }
  };
  addFields(addFields, dataSet->Fields());
  if (Count() > 0) AddAutoColumns();
}

// TODO(column model): the automatic number, select and expand columns need the AutoNumber,
// CheckBox and ExpandBox column settings.
TKelColumn* TKelDBGridColumns::AddAutoNumber() { RaiseNotAvailable("TKelDBGridColumns.AddAutoNumber"); }
TKelColumn* TKelDBGridColumns::AddAutoSelect() { RaiseNotAvailable("TKelDBGridColumns.AddAutoSelect"); }
TKelColumn* TKelDBGridColumns::AddAutoExpand() { RaiseNotAvailable("TKelDBGridColumns.AddAutoExpand"); }

void TKelDBGridColumns::AddAutoColumns() {
  if (!FGrid) return;
  const TKelDBGridOptionsExt options = FGrid->OptionsExt();
  if (options.Contains(dgAutoExpandColumn)) AddAutoExpand();
  if (options.Contains(dgAutoSelectColumn)) AddAutoSelect();
  if (options.Contains(dgAutoNumberColumn)) AddAutoNumber();
}

// Titles carry no order markers before ordering is built, so there is nothing to set.
// TODO(ordering): set each title's marker and marker index from the grid's order fields.
void TKelDBGridColumns::UpdateMarkers() {}

void TKelDBGridColumns::Update(TCollectionItem* Item) {
  if (!FGrid || FGrid->ComponentState().Contains(csLoading) ||
      FGrid->ComponentState().Contains(csDestroying))
    return;
  if (!Item) {
    FGrid->LayoutChanged();
    return;
  }
  auto* column = static_cast<TKelColumn*>(Item);
  const int raw = FGrid->DataToRawColumn(column->Index());
  if (raw >= FGrid->ColCount()) return;
  FGrid->InvalidateCol(raw);
  FGrid->SetColWidths(raw, column->Width());
}

}  // namespace kel
