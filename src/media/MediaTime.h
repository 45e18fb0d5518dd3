#pragma once

#include <cmath>

namespace media_time {

// Positions and lengths are kept to the millisecond, so sums of steps stay exact numbers
// (59 - 590 x 0.1 gives 0, not 0.0999999999994).
inline double toMilliseconds(double seconds) { return std::round(seconds * 1000.0) / 1000.0; }

}  // namespace media_time
