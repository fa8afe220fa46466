// TDelayTimer: arming on the application clock, ending before the work runs, firing early.
#include "platform/ui/DelayTimer.h"

#include <utility>

namespace kel {

bool TDelayTimer::Arm(Cardinal Interval, TTimerCallback Work) {
  if (Pending() || !Application) return false;
  FWork = std::move(Work);
  FTimerId = Application->StartTimer(Interval, [this] { Fire(); });
  return true;
}

void TDelayTimer::Stop() {
  if (!Pending()) return;
  if (Application) Application->StopTimer(FTimerId);
  FTimerId = 0;
  FWork = nullptr;
}

bool TDelayTimer::Fire() {
  if (!Pending()) return false;
  // The work may arm this timer again or free its owner: take it out first.
  TTimerCallback work = std::move(FWork);
  Stop();
  if (work) work();
  return true;
}

}  // namespace kel
