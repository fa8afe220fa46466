// Streaming a column set: TKelColumnsWrapper, the collection's SaveToStream/LoadFromStream and
// their file forms, and the grid's pseudo-property "OrderFields".
//
// Saving writes a TKelColumnsWrapper whose Columns are the collection and whose OrderFields are
// the grid's, while the grid's columns are in their saving state (widths report what is to be
// kept, hidden columns included). Loading reads such a block into a fresh collection of the
// grid's column class while the grid's columns are in their loading state, and only a complete
// reading is assigned: a damaged stream raises EReadError and changes nothing.
//
// The wrapper is owned by the grid's owner while it is streamed, so that references to the
// form's components (menus, image lists, lookup data sets) are written and found as
// "Form.Component".
#include "KelDBGrids/KelDBGridColumns.h"
#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Streams.h"

namespace kel {

TKelColumnsWrapper::TKelColumnsWrapper(TComponent* AOwner, TKelDBGridColumns* AColumns)
    : TComponent(AOwner), FColumns(AColumns) {}

void TKelDBGridColumns::SaveToStream(TStream* Stream) {
  TKelDBGridColumns* state = IsGridColumns() || !FGrid ? this : FGrid->Columns();
  TFlagGuard saving(state->FSavingColumns, true);
  TKelColumnsWrapper wrapper(FGrid ? FGrid->Owner() : nullptr, this);
  if (FGrid) wrapper.SetOrderFields(FGrid->OrderFields());
  WriteComponent(Stream, &wrapper);
}

void TKelDBGridColumns::LoadFromStream(TStream* Stream) {
  TKelDBGridColumns fresh(FGrid, *ItemClass());
  TKelColumnsWrapper wrapper(FGrid ? FGrid->Owner() : nullptr, &fresh);
  {
    TKelDBGridColumns* state = IsGridColumns() || !FGrid ? this : FGrid->Columns();
    TFlagGuard loading(state->FLoadingColumns, true);
    ReadComponent(Stream, &wrapper);
  }
  Assign(&fresh);
  if (FGrid) FGrid->SetOrderFields(wrapper.OrderFields());
}

void TKelDBGridColumns::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TKelDBGridColumns::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadFromStream(&stream);
}

// ---- The grid's pseudo-property ----------------------------------------------------------------

// TODO(ordering): the order string is kept as given; the title markers and the data set follow
// it once ordering is built.
void TKelCustomDBGrid::SetOrderFields(const String& Value) { FOrderFields = Value; }

void TKelCustomDBGrid::DefineProperties(TFiler* Filer) {
  TCustomGrid::DefineProperties(Filer);
  Filer->DefineProperty(
      "OrderFields", [this](TReader* Reader) { SetOrderFields(Reader->ReadString()); },
      [this](TWriter* Writer) { Writer->WriteString(FOrderFields); }, !FOrderFields.empty());
}

}  // namespace kel
