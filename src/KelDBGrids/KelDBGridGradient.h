// TKelDBGridGradient, the grid's Gradient: the button gradient plus the cell kinds it fills.
#pragma once

#include "ZoltsGraph/ZoltsGraph.h"

namespace kel {

class TKelDBGridGradient : public TZoltGradientButton {
  KEL_CLASS(TKelDBGridGradient, TZoltGradientButton)

 public:
  explicit TKelDBGridGradient(TControl* AGrid = nullptr) : TZoltGradientButton(AGrid) {}
  // Published: those of TZoltGradientButton and Cells.
  static const TPropList& PublishedProperties();
};

}  // namespace kel
