#pragma once

#include <algorithm>
#include <cmath>

// The engine's loudness scale: a volume in hundredths of a decibel (0 loudest, -10000 silence)
// against a 0..100 percentage, which libmpv applies on a cubic curve (percent 10 is -60 dB).
namespace volume_scale {

inline double percentFromHundredthsDb(int hundredthsDb) { return 100.0 * std::pow(10.0, hundredthsDb / 6000.0); }

inline int hundredthsDbFromPercent(int percent)
{
    if (percent <= 0) return -10000;
    return std::max(-10000, static_cast<int>(std::lround(6000.0 * std::log10(percent / 100.0))));
}

}  // namespace volume_scale
