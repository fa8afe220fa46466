// TDelayTimer: a one-shot timer on the application clock, held in a slot of its owner.
//
// Work that many changes ask for in a row (sequence numbers, list items, totals, the end of a
// selection) is put off until the timer fires, and done once. The timer ends itself before its
// work runs, so the work may arm it again; Fire does pending work at once (the owner's
// "perform delayed" step); the owner's destructor ending the slot stops it.
#pragma once

#include <cstdint>

#include "platform/ui/Application.h"

namespace kel {

class TDelayTimer {
 public:
  TDelayTimer() = default;
  ~TDelayTimer() { Stop(); }
  TDelayTimer(const TDelayTimer&) = delete;
  TDelayTimer& operator=(const TDelayTimer&) = delete;

  // Arms the timer to run Work after Interval ms. A timer already pending keeps its time and
  // its work (the first request sets the moment); answers whether this call armed it.
  bool Arm(Cardinal Interval, TTimerCallback Work);
  // Drops pending work without running it.
  void Stop();
  bool Pending() const { return FTimerId != 0; }
  // Runs pending work now, ending the timer first; answers whether there was any.
  bool Fire();

 private:
  std::uint64_t FTimerId = 0;  // the application timer while pending; 0 = none
  TTimerCallback FWork;        // what runs when the timer fires; empty while not pending
};

}  // namespace kel
