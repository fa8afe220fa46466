// The hint window: a borderless top-level popup showing a hint text on the info colour.
#pragma once

#include "platform/ui/Controls.h"

namespace kel {

class THintWindow : public TCustomControl {
  KEL_CLASS(THintWindow, TCustomControl)

 public:
  explicit THintWindow(TComponent* AOwner);
  // The window rectangle (origin 0, 0) that shows AHint wrapped at MaxWidth.
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // Shows the hint with the window at Rect (screen coordinates).
  virtual void ActivateHint(TRect Rect, const String& AHint);
  virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
  // Hides the window.
  virtual void ReleaseHandle();
  bool Active() const { return FActive; }
  void* Data() const { return FData; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

  void* FData = nullptr;  // hint data of the shown hint
  bool FActive = false;   // shown

 private:
  static constexpr int TextMargin = 2;  // pixels between the border and the text
};

}  // namespace kel
