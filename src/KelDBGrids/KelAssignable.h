// The "assignable with a default" settings that columns, their titles and their totals share.
//
// Such a setting reads as its default (taken from the field, the grid or the parent object at the
// moment it is read) until it is assigned; it is stored only when assigned to something other
// than that default. The owner keeps which settings are assigned in one TKelColumnValues set, so
// that RestoreDefaults and Assign clear or copy them together.
#pragma once

#include <functional>
#include <memory>

#include "KelDBGrids/KelColumnTypes.h"
#include "platform/graphics/Graphics.h"

namespace kel {

// The setter of every such setting: assigns Value and answers true, or answers false with nothing
// changed when the setting holds that value as assigned already.
template <typename T>
bool AssignSetting(TKelColumnValues& Assigned, TKelColumnValue Which, T& Own, const T& Value) {
  if (Assigned.Contains(Which) && Own == Value) return false;
  Own = Value;
  Assigned += Which;
  return true;
}

// A font that copies its default font until its user changes it. Only the user's changes reach
// OnUserChange; copying the default in is not one.
class TKelDefaultedFont {
 public:
  explicit TKelDefaultedFont(std::function<void()> OnUserChange);
  TKelDefaultedFont(const TKelDefaultedFont&) = delete;
  TKelDefaultedFont& operator=(const TKelDefaultedFont&) = delete;

  TFont* Get() const { return FFont.get(); }
  // While not Assigned, takes Default's properties (Default may be this font itself).
  void Follow(TFont* Default, bool Assigned);
  bool Stored(const TFont* Default, bool Assigned) const { return Assigned && !FFont->Equals(*Default); }
  // The font a stream is read onto. A stream holds what an assigned font has that a new font
  // has not, so while a stream is read onto an unassigned font, it is read onto a new font.
  TFont* ForStreaming(TFont* Default, bool Assigned, bool Reading);

 private:
  void CopyIn(TFont* Source);

  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  bool FCopying = false;  // the default (or a new font) is being copied in
};

}  // namespace kel
