// TKelGridStyle, the grid's GridStyle: the extra pixels of row height per row kind and the
// horizontal text margins of titles and totals, chosen as a whole by VisualStyle.
#pragma once

#include <cstdint>

#include "platform/classes/Classes.h"

namespace kel {

class TKelCustomDBGrid;

enum TVisualStyle : std::uint8_t { vsCustom, vsDefault, vsStandard, vsXPStyle };
KEL_ENUM_NAMES(TVisualStyle, "vsCustom", "vsDefault", "vsStandard", "vsXPStyle")

class TKelGridStyle : public TPersistent {
  KEL_CLASS(TKelGridStyle, TPersistent)

 public:
  explicit TKelGridStyle(TKelCustomDBGrid* AGrid);
  // Published: DataRowSpace, HeaderRowSpace, TitleColMargin, TitleRowSpace, TotalColMargin,
  // TotalRowSpace (stored only under vsCustom) and VisualStyle.
  static const TPropList& PublishedProperties();

  TKelCustomDBGrid* Grid() const { return FGrid; }
  int DataRowSpace() const { return FDataRowSpace; }
  void SetDataRowSpace(int Value) { SetSpacing(FDataRowSpace, Value); }
  int HeaderRowSpace() const { return FHeaderRowSpace; }
  void SetHeaderRowSpace(int Value) { SetSpacing(FHeaderRowSpace, Value); }
  int TitleColMargin() const { return FTitleColMargin; }
  void SetTitleColMargin(int Value) { SetSpacing(FTitleColMargin, Value); }
  int TitleRowSpace() const { return FTitleRowSpace; }
  void SetTitleRowSpace(int Value) { SetSpacing(FTitleRowSpace, Value); }
  int TotalColMargin() const { return FTotalColMargin; }
  void SetTotalColMargin(int Value) { SetSpacing(FTotalColMargin, Value); }
  int TotalRowSpace() const { return FTotalRowSpace; }
  void SetTotalRowSpace(int Value) { SetSpacing(FTotalRowSpace, Value); }
  TVisualStyle VisualStyle() const { return FVisualStyle; }
  // vsDefault resolves to vsXPStyle on a themed grid, else vsStandard; vsStandard and vsXPStyle
  // set the six spacings, vsCustom keeps them. Setting the current value again does nothing,
  // except vsDefault, which is resolved afresh.
  void SetVisualStyle(TVisualStyle Value);

  void Assign(TPersistent* Source) override;

 protected:
  // The spacings changed: with Custom the style becomes vsCustom; the grid lays out again.
  virtual void VisualStyleChanged(bool Custom);

 private:
  void SetSpacing(int& Field, int Value);
  void SetSpacings(int Data, int Header, int TitleMargin, int Title, int TotalMargin, int Total);
  bool SpacingsStored() const { return FVisualStyle == vsCustom; }

  TKelCustomDBGrid* FGrid;  // owner
  // Pixels added to each row kind, and horizontal text margins; the vsXPStyle set to start.
  int FDataRowSpace = 4;
  int FHeaderRowSpace = 8;
  int FTitleColMargin = 1;
  int FTitleRowSpace = 8;
  int FTotalColMargin = 0;
  int FTotalRowSpace = 8;
  TVisualStyle FVisualStyle = vsXPStyle;
};

}  // namespace kel
