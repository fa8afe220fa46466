// TKelDBGridTotals, the grid's Totals: the grid-wide settings of the total rows, and
// TKelTotalDataLink, its link to the optional totals data set whose records the total field rows
// show.
#pragma once

#include <cstdint>
#include <memory>

#include "KelDBGrids/KelDBGridTypes.h"
#include "platform/db/DB.h"
#include "platform/graphics/Graphics.h"

namespace kel {

class TKelCustomDBGrid;
class TKelDBGridTotals;
class TImageList;

// What a total row shows in a column.
enum TTotalResult : std::uint8_t { trNone, trCaption, trDataField, trTotalField, trCalcValue };
KEL_ENUM_NAMES(TTotalResult, "trNone", "trCaption", "trDataField", "trTotalField", "trCalcValue")

// The passes of a total calculation: reset, one per record, final.
enum TCalcPass : std::uint8_t { cpReset, cpCalcRec, cpFinal };
KEL_ENUM_NAMES(TCalcPass, "cpReset", "cpCalcRec", "cpFinal")

class TKelTotalDataLink : public TDataLink {
  KEL_CLASS(TKelTotalDataLink, TDataLink)

 public:
  explicit TKelTotalDataLink(TKelDBGridTotals* ATotals);
  TKelDBGridTotals* Totals() const { return FTotals; }
  // The window holds the data set's records, at most DataMaxRow of them when that is above 0.
  void UpdateBufferCount();

 protected:
  // Refuses a unidirectional data set, then sizes the window and re-lays the grid out.
  void ActiveChanged() override;
  void DataSetChanged() override;
  // The total rows show fixed records of the window; scrolling changes nothing.
  void DataSetScrolled(int Distance) override {}
  void RecordChanged(TField* Field) override;

 private:
  TKelDBGridTotals* FTotals;  // owner
};

class TKelDBGridTotals : public TPersistent {
  KEL_CLASS(TKelDBGridTotals, TPersistent)

 public:
  explicit TKelDBGridTotals(TKelCustomDBGrid* AGrid);
  ~TKelDBGridTotals() override;
  // Published: BoxStyle, CalcValues, Color, DataMaxRow, DataSource, Font, Images, LinesCount,
  // SelectedColor.
  static const TPropList& PublishedProperties();

  TKelCustomDBGrid* Grid() const { return FGrid; }
  TKelTotalDataLink* DataLink() const { return FDataLink.get(); }

  // Visible, or the rows that follow the selection may appear (dgSelectedAutoHidden).
  bool Active() const;
  // Any total row is switched on in OptionsEx.
  bool Visible() const;
  TCheckBoxStyle BoxStyle() const { return FBoxStyle; }
  void SetBoxStyle(TCheckBoxStyle Value);
  bool CalcValues() const { return FCalcValues; }
  // Switching it on recalculates (UpdateTotals).
  void SetCalcValues(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int DataMaxRow() const { return FDataMaxRow; }
  // Negative values become 0 (all records).
  void SetDataMaxRow(int Value);
  TDataSource* DataSource() const;
  // Refuses the grid's own source (SCircularDataLink, ignored while the grid loads) and a
  // unidirectional data set (SDataSetUnidirectional); the previous source stays on refusal.
  void SetDataSource(TDataSource* Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int LinesCount() const { return FLinesCount; }
  // Values below 1 become 1.
  void SetLinesCount(int Value);
  TColor SelectedColor() const { return FSelectedColor; }
  // Any colour but clNone switches the drawing option gdoTotalSelected on; clNone off.
  void SetSelectedColor(TColor Value);

  // Rows or columns are selected; refreshed when a selection change ends.
  bool Selected() const { return FRowsSelected || FColsSelected; }
  bool RowsSelected() const { return FRowsSelected; }
  void SetRowsSelected(bool Value) { FRowsSelected = Value; }
  bool ColsSelected() const { return FColsSelected; }
  void SetColsSelected(bool Value) { FColsSelected = Value; }

  void Assign(TPersistent* Source) override;

 private:
  friend class TKelCustomDBGrid;
  bool IsColorStored() const;
  void FontChanged();
  // A change the total band shows: relayout while totals are visible.
  void BandChanged();

  TKelCustomDBGrid* FGrid;                      // owner
  std::unique_ptr<TKelTotalDataLink> FDataLink;  // made by the grid's CreateTotalDataLink
  std::unique_ptr<TFont> FFont;                 // default font of total cells
  TImageList* FImages = nullptr;                // not owned; cleared by the grid's Notification
  TCheckBoxStyle FBoxStyle = cbAuto;            // frame style of total boxes
  bool FCalcValues = true;                      // calculation enabled
  TColor FColor = clBtnFace;                    // default background of total cells
  int FDataMaxRow = 5;                          // most totals records shown; 0 = all
  int FLinesCount = 1;                          // text lines per total row, >= 1
  TColor FSelectedColor = clDefault;            // background of rows showing selection totals
  bool FRowsSelected = false;                   // rows are selected (set when a selection ends)
  bool FColsSelected = false;                   // columns are selected (likewise)
};

}  // namespace kel
