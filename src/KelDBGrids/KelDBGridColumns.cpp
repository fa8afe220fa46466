// TKelDBGridColumns: the collection's state, the columns built from the data set's fields, the
// automatic number, select and expand columns, RestoreDefaults and Assign of a whole set, the
// nesting spans the layout keeps in range, and the reports to the grid (repaint a column,
// re-lay out, drop references to a column that leaves).
#include "KelDBGrids/KelDBGridColumns.h"

#include <algorithm>

#include "KelDBGrids/KelDBGridsPrivate.h"
#include "KelDBGrids/KelGridDataLink.h"
#include "platform/db/DB.h"

namespace kel {

String DefAutoNumberTitle = "No.";
int DefAutoNumberWidth = 48;
String DefAutoSelectTitle = "Select";
int DefAutoSelectWidth = 48;
String DefAutoExpandTitle = "Expand";
int DefAutoExpandWidth = 48;

namespace {

bool IsObjectField(const TField* Field) {
  return Field->DataType() == ftADT || Field->DataType() == ftArray;
}

}  // namespace

TKelDBGridColumns::TKelDBGridColumns(TKelCustomDBGrid* AGrid, const TClassInfo& AItemClass)
    : TCollectionOf<TKelColumn>(AItemClass, AGrid), FGrid(AGrid) {}

bool TKelDBGridColumns::IsGridColumns() const { return FGrid && FGrid->Columns() == this; }

// ---- State and building ------------------------------------------------------------------------

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
  layout.Close();
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
  layout.Close();
}

// The automatic columns belong to the kind of set they join: stored among designed columns,
// default among the grid's. The settings go in while the column is stored, so that its width is
// kept whatever the grid is doing.
TKelColumn* TKelDBGridColumns::InsertAutoColumn(const String& Caption, int Width, TAlignment Alignment) {
  const bool stored = State() == csCustomized;
  TKelColumn* column = Insert(0);
  column->SetSuppressRTL(true);
  column->SetAlignment(Alignment);
  column->Title()->SetCaption(Caption);
  column->Title()->SetAlignment(Alignment);
  if (FGrid && FGrid->DataLink()->Active()) column->SetWidth(Width);
  column->FStored = stored;
  return column;
}

TKelColumn* TKelDBGridColumns::AddAutoNumber() {
  TKelColumn* column = InsertAutoColumn(DefAutoNumberTitle, DefAutoNumberWidth, taRightJustify);
  column->SetAutoNumber(true);
  return column;
}

TKelColumn* TKelDBGridColumns::AddAutoSelect() {
  TKelColumn* column = InsertAutoColumn(DefAutoSelectTitle, DefAutoSelectWidth, taCenter);
  column->SetCheckBox(true);
  return column;
}

TKelColumn* TKelDBGridColumns::AddAutoExpand() {
  TKelColumn* column = InsertAutoColumn(DefAutoExpandTitle, DefAutoExpandWidth, taCenter);
  column->SetExpandBox(true);
  column->SetExpandBoxSize(ebLarge);
  column->SetTransparent(true);
  return column;
}

void TKelDBGridColumns::AddAutoColumns() {
  if (!FGrid) return;
  const TKelDBGridOptionsExt options = FGrid->OptionsExt();
  if (options.Contains(dgAutoExpandColumn)) AddAutoExpand();
  if (options.Contains(dgAutoSelectColumn)) AddAutoSelect();
  if (options.Contains(dgAutoNumberColumn)) AddAutoNumber();
}

void TKelDBGridColumns::ClampExpandSpans() {
  for (int i = 0; i < Count(); ++i) {
    TKelColumn* column = Items(i);
    int span = Count() - 1 - i;
    if (TKelColumn* parent = column->ParentColumn()) {
      const int groupEnd = parent->FExpandCols > 0 ? parent->Index() + parent->FExpandCols : parent->ExpandIndex();
      span = std::min(span, groupEnd - i);
    }
    column->FExpandCols = std::clamp(column->FExpandCols, 0, std::max(span, 0));
  }
}

// ---- Whole sets --------------------------------------------------------------------------------

void TKelDBGridColumns::RestoreDefaults() {
  TCollectionUpdate update(this);
  for (TKelColumn* column : *this) column->RestoreDefaults();
  update.Close();
}

void TKelDBGridColumns::Assign(TPersistent* Source) {
  if (!FGrid) {
    TCollection::Assign(Source);
    return;
  }
  // Widths are copied as designed; stretching resumes on the copy.
  struct TStretchPause {
    TKelCustomDBGrid* Grid;
    bool Saved;
    explicit TStretchPause(TKelCustomDBGrid* AGrid) : Grid(AGrid), Saved(AGrid->StretchMode()) {
      Grid->SetStretchMode(false);
    }
    ~TStretchPause() { Grid->SetStretchMode(Saved); }
  };
  TGridLayoutGuard layout(FGrid);
  {
    TStretchPause pause(FGrid);
    TCollection::Assign(Source);
  }
  layout.Close();
}

void TKelDBGridColumns::BeginDesignUpdate() {
  if (FGrid)
    FGrid->BeginLayout();
  else
    BeginUpdate();
}

void TKelDBGridColumns::EndDesignUpdate() {
  if (FGrid)
    FGrid->EndLayout();
  else
    EndUpdate();
}

// Titles carry the marker values, but nothing sets them from an order before ordering is built.
// TODO(ordering): set each title's marker and marker index from the grid's order fields.
void TKelDBGridColumns::UpdateMarkers() {}

// ---- Reports to the grid -----------------------------------------------------------------------

void TKelDBGridColumns::Update(TCollectionItem* Item) {
  if (!IsGridColumns()) return;
  const TComponentState state = FGrid->ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
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

void TKelDBGridColumns::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  if (Action == cnAdded || !IsGridColumns()) return;
  // The item may be half destroyed: it is compared as the collection item it still is.
  std::vector<TKelColumn*>& visible = FGrid->FVisibleColumns;
  std::erase_if(visible, [Item](TKelColumn* column) { return static_cast<TCollectionItem*>(column) == Item; });
  FGrid->ForgetColumn(Item);
}

}  // namespace kel
