#pragma once

#include <cmath>

namespace tovrin {

inline constexpr float TwipsPerInch = 1440;

inline int twipsToPixels(float twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / TwipsPerInch));
}

inline float pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<float>(pixels * TwipsPerInch / dotsPerInch);
}

} // namespace tovrin
