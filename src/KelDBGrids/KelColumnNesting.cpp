// Nested (expandable) columns: a column heads a group when its field is an object field or its
// ExpandCols counts the columns that follow it. The group's columns show instead of their head
// while it is expanded; the head's title becomes a band above theirs.
//
// Parents are found by walking back from a column, so nothing is cached that a move, an insert
// or a change of ExpandCols could leave stale. Moving a column moves its whole group, and keeps a
// nested column within its parent's group; moving a column the grid built from the fields moves
// the field instead, and the layout follows.
#include <algorithm>

#include "KelDBGrids/KelColumn.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/db/DB.h"

namespace kel {

namespace {

bool IsObjectField(const TField* Field) {
  return Field->DataType() == ftADT || Field->DataType() == ftArray;
}

int FieldDepth(const TField* Field) {
  int depth = 0;
  for (const TField* f = Field->ParentField(); f; f = f->ParentField()) ++depth;
  return depth;
}

}  // namespace

// Other columns show or hide: the grid lays out again and shares its width anew.
void TKelColumn::NestingChanged() {
  if (TKelCustomDBGrid* grid = Grid()) grid->StretchGrid();
  ColumnChanged(true);
}

TKelColumn* TKelColumn::ColumnAt(int Index) const {
  return static_cast<TKelColumn*>(Collection()->Items(Index));
}

void TKelColumn::SetExpandCols(int Value) {
  if (Value < 0 || FExpandCols == Value) return;
  FExpandCols = Value;
  NestingChanged();
}

bool TKelColumn::Expandable() const {
  if (FExpandCols > 0) return true;
  TField* field = Field();
  return field && IsObjectField(field);
}

bool TKelColumn::Expanded() const { return FExpanded && Expandable(); }

void TKelColumn::SetExpanded(bool Value) {
  if (FExpanded == Value) return;
  FExpanded = Value;
  Synchronize();
  NestingChanged();
}

bool TKelColumn::Visible() const {
  for (const TKelColumn* column = this; column; column = column->ParentColumn())
    if (!column->FVisible) return false;
  return true;
}

void TKelColumn::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Synchronize();
  NestingChanged();
}

bool TKelColumn::Visibility() const {
  if (!FVisible) return false;
  for (const TKelColumn* parent = ParentColumn(); parent; parent = parent->ParentColumn())
    if (!parent->FVisible || !parent->Expanded()) return false;
  return true;
}

bool TKelColumn::Showing() const { return !Expanded() && Visibility(); }

TKelColumn* TKelColumn::ParentColumn() const {
  if (!Collection()) return nullptr;
  const int index = Index();
  TField* field = Field();
  if (field && field->ParentField()) {
    for (int j = index - 1; j >= 0; --j)
      if (ColumnAt(j)->Field() == field->ParentField()) return ColumnAt(j);
    return nullptr;
  }
  for (int j = index - 1; j >= 0; --j) {
    TKelColumn* column = ColumnAt(j);
    if (column->FExpandCols >= index - j) return column;
    // A top-level column that does not cover this one ends the search: any group before it
    // would cover it too.
    if (!column->ParentColumn()) return nullptr;
  }
  return nullptr;
}

int TKelColumn::Depth() const {
  int depth = 0;
  for (const TKelColumn* parent = ParentColumn(); parent; parent = parent->ParentColumn()) ++depth;
  return depth;
}

bool TKelColumn::IsDescendantOf(const TKelColumn* Ancestor) const {
  for (const TKelColumn* parent = ParentColumn(); parent; parent = parent->ParentColumn())
    if (parent == Ancestor) return true;
  return false;
}

int TKelColumn::ExpandIndex() const {
  int last = Index();
  if (last < 0) return last;
  for (int j = last + 1; j < Collection()->Count() && ColumnAt(j)->IsDescendantOf(this); ++j) last = j;
  return last;
}

int TKelColumn::ExpandWidth() {
  if (!Visible()) return 0;
  TKelCustomDBGrid* grid = Grid();
  const int line = grid ? grid->GetColLineWidth() : 0;
  if (!Collection()) return Showing() ? Width() + line : 0;
  int width = 0;
  for (int j = Index(), last = ExpandIndex(); j <= last; ++j)
    if (TKelColumn* column = ColumnAt(j); column->Showing()) width += column->Width() + line;
  return width;
}

// ---- Moving ------------------------------------------------------------------------------------

void TKelColumn::SetIndex(int Value) {
  TCollection* columns = Collection();
  if (!columns) return;
  // Past the end means the end; a negative index is refused by the collection.
  if (Value >= columns->Count()) Value = columns->Count() - 1;
  if (Value < 0) {
    TCollectionItem::SetIndex(Value);
    return;
  }
  if (!FStored) MoveField(Value);
  MoveGroup(Value);
}

void TKelColumn::MoveGroup(int Target) {
  const int first = Index();
  const int last = ExpandIndex();
  // A nested column stays inside its parent's group, and lands beside the whole group of the
  // target column that sits at its own level.
  TKelColumn* parent = ParentColumn();
  if (parent) Target = std::clamp(Target, parent->Index() + 1, parent->ExpandIndex());
  if (Target >= first && Target <= last) return;
  TKelColumn* anchor = ColumnAt(Target);
  while (anchor->ParentColumn() != parent) anchor = anchor->ParentColumn();
  Target = Target < first ? anchor->Index() : anchor->ExpandIndex();
  if (Target >= first && Target <= last) return;
  TCollectionUpdate update(Collection());
  const int size = last - first + 1;
  if (Target < first) {
    for (int k = 0; k < size; ++k) ColumnAt(first + k)->TCollectionItem::SetIndex(Target + k);
  } else {
    for (int k = 0; k < size; ++k) ColumnAt(first)->TCollectionItem::SetIndex(Target);
  }
  update.Close();
}

void TKelColumn::MoveField(int Target) {
  TKelCustomDBGrid* grid = Grid();
  TField* field = Field();
  TField* targetField = ColumnAt(Target)->Field();
  if (!grid || !field || !targetField) return;
  const int depth = FieldDepth(field);
  while (FieldDepth(targetField) > depth) targetField = targetField->ParentField();
  if (targetField == field || targetField->ParentField() != field->ParentField()) return;
  TGridLayoutGuard layout(grid);
  field->SetIndex(targetField->Index());
  layout.Close();
}

// ---- Linked grids ------------------------------------------------------------------------------

void TKelColumn::Synchronize() {
  TKelCustomDBGrid* grid = Grid();
  if (!grid || grid->Columns() != Columns()) return;
  TKelCustomDBGrid* target = grid->ManageGrid();
  if (!target || grid->FManagement) return;
  TFlagGuard synchronising(grid->FManagement, true);
  const int index = Index();
  if (index >= target->Columns()->Count()) return;
  TKelColumn* other = target->Columns()->Items(index);
  if (Expandable() && other->Expandable()) other->SetExpanded(FExpanded);
  other->SetVisible(FVisible);
  other->SetWidth(TrueWidth());
}

}  // namespace kel
