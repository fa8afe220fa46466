// Process-wide settings of the grid, changeable by the application.
#pragma once

namespace kel {

// Milliseconds the delayed updates (sequence numbers, totals, list items, the end of a
// selection) wait after the last change that asked for them.
extern int DelayInterval;

}  // namespace kel
