// Panels and timers.
#pragma once

#include "platform/ui/Controls.h"

namespace kel {

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
KEL_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")
enum TVerticalAlignment : std::uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
KEL_ENUM_NAMES(TVerticalAlignment, "taAlignTop", "taAlignBottom", "taVerticalCenter")

class TCustomPanel : public TCustomControl {
  KEL_CLASS(TCustomPanel, TCustomControl)

 public:
  explicit TCustomPanel(TComponent* AOwner);
  // Published: the defaults it constructs (Color clBtnFace, ParentColor false).
  static const TPropList& PublishedProperties();
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  // Space between the bevels and the children, pixels.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  bool ParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool value) { FParentBackground = value; }

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void CMTextChanged(TMessage& Message) override;
  // Pixels the bevels and border take on each side.
  int FrameWidth() const;

 private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  bool FShowCaption = true;
  bool FParentBackground = true;
};

class TPanel : public TCustomPanel {
  KEL_CLASS(TPanel, TCustomPanel)

 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  // Published: Alignment, BevelInner, BevelOuter, BevelWidth, BorderWidth, Caption,
  // ParentBackground, ShowCaption, VerticalAlignment.
  static const TPropList& PublishedProperties();
};

// Fires OnTimer every Interval ms on the application clock while Enabled. A handler may free
// its own timer.
class TTimer : public TComponent {
  KEL_CLASS(TTimer, TComponent)

 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  // Published: Enabled, Interval; OnTimer.
  static const TPropList& PublishedProperties();
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  Cardinal Interval() const { return FInterval; }
  // 0 stops the timer until a positive interval is set.
  void SetInterval(Cardinal value);
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();

  bool FEnabled = true;
  Cardinal FInterval = 1000;  // ms
  std::uint64_t FTimerId = 0; // the application timer while running; 0 = stopped
};

}  // namespace kel
