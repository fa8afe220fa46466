// TKelDataRowScope: evaluates another buffered row of the grid as if it were current.
#pragma once

namespace kel {

class TKelCustomDBGrid;

// For its lifetime, makes data row Row of the grid's record window (0 = the first buffered
// record) the active record of the grid's data link, and sets the grid's row offset (Row's
// distance from the current row, which auto numbers use); both are put back when it ends.
// Painting, hints and copying read the cells of other rows through it. Raises
// EInvalidGridOperation when the link is inactive or Row is outside the window.
class TKelDataRowScope {
 public:
  TKelDataRowScope(TKelCustomDBGrid* Grid, int Row);
  ~TKelDataRowScope();
  TKelDataRowScope(const TKelDataRowScope&) = delete;
  TKelDataRowScope& operator=(const TKelDataRowScope&) = delete;

 private:
  TKelCustomDBGrid* FGrid;
  int FSavedActiveRecord;  // the link's active record before the scope
  int FSavedRowNumber;     // the grid's row offset before the scope
};

}  // namespace kel
