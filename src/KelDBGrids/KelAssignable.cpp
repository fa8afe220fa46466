// TKelDefaultedFont: the font of a column, title or total that follows its default.
#include "KelDBGrids/KelAssignable.h"

#include "KelDBGrids/KelDBGridsPrivate.h"

namespace kel {

TKelDefaultedFont::TKelDefaultedFont(std::function<void()> OnUserChange) {
  FFont->OnChange = [this, OnUserChange = std::move(OnUserChange)](TObject*) {
    if (!FCopying) OnUserChange();
  };
}

void TKelDefaultedFont::CopyIn(TFont* Source) {
  TFlagGuard copying(FCopying, true);
  FFont->Assign(Source);
}

void TKelDefaultedFont::Follow(TFont* Default, bool Assigned) {
  if (Assigned || Default == FFont.get() || FFont->Equals(*Default)) return;
  CopyIn(Default);
}

TFont* TKelDefaultedFont::ForStreaming(TFont* Default, bool Assigned, bool Reading) {
  if (!Assigned && Reading) {
    TFont fresh;
    CopyIn(&fresh);
  } else {
    Follow(Default, Assigned);
  }
  return FFont.get();
}

}  // namespace kel
