// The screen: its size and work area, the cursor, the forms, and one table of system metrics
// (scroll bar sizes, drag threshold, double-click time and distance, wheel lines, hint pauses).
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/ui/WindowSystem.h"

namespace kel {

class TCustomForm;
class TWinControl;

// Fixed answers of the platform, the same for every backend.
struct TSystemMetrics {
  int ScrollBarWidth = 17;       // vertical bar width = horizontal bar height
  int ScrollArrowWidth = 17;     // arrow button of a horizontal bar
  int ScrollArrowHeight = 17;    // arrow button of a vertical bar
  int ThumbSize = 17;            // smallest thumb
  int BorderWidth = 1;           // a plain border
  int EdgeWidth = 2;             // a 3-D edge
  int DragThreshold = 5;         // pixels the mouse moves before a drag starts
  int DoubleClickTime = 500;     // ms between the clicks of a double click
  int DoubleClickDistance = 4;   // pixels the second click may lie off the first
  int WheelScrollLines = 3;      // lines per wheel notch
  int HintPause = 500;           // ms
  int HintShortPause = 50;       // ms
  int HintHidePause = 2500;      // ms
  int PixelsPerInch = 96;
};
const TSystemMetrics& SystemMetrics();

// A cursor shape the backend knows how to show.
enum TCursorShape : std::uint8_t {
  cshArrow, cshIBeam, cshWait, cshCross, cshUpArrow, cshSizeNWSE, cshSizeNESW, cshSizeWE,
  cshSizeNS, cshSizeAll, cshNo, cshHand, cshHidden
};

class TScreen : public TComponent {
  KEL_CLASS(TScreen, TComponent)

 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int Width() const;
  int Height() const;
  TRect DesktopRect() const;
  TRect WorkAreaRect() const;
  int WorkAreaLeft() const { return WorkAreaRect().Left; }
  int WorkAreaTop() const { return WorkAreaRect().Top; }
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }
  int PixelsPerInch() const { return SystemMetrics().PixelsPerInch; }

  // A cursor other than crDefault overrides every control's cursor (crHourGlass while busy).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  // The shape shown for a cursor id; applications may map their own ids.
  TCursorShape Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, TCursorShape Shape);
  // The cursor the mouse shows now (after WM_SETCURSOR chose it).
  TCursor CurrentCursor() const { return FCurrentCursor; }
  // Applies a control's cursor (crDefault = arrow) unless Cursor overrides it.
  void ShowCursorOf(TCursor ControlCursor);

  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(Index); }
  TFont* HintFont() const { return FHintFont.get(); }

 private:
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  friend class TCustomForm;
  friend class TWindowManager;

  TCursor FCursor = crDefault;         // override cursor, crDefault = none
  TCursor FCurrentCursor = crDefault;  // cursor shown now
  std::vector<std::pair<TCursor, TCursorShape>> FCursorMap;  // application-defined cursors
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  std::vector<TCustomForm*> FForms;    // every existing form, in creation order
  std::unique_ptr<TFont> FHintFont;
};

extern TScreen* Screen;

}  // namespace kel
