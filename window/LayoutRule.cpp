#include "window/LayoutRule.h"

#include <algorithm>

namespace tovrin {

namespace {
constexpr float WidthMargin = 100;
constexpr float HeightMargin = 750;
} // namespace

Placement layoutRule(float W, float H) {
    // A minimized or tiny window would give a negative size, which no text
    // box can take.
    return {0, 0, std::max(0.0f, W - WidthMargin), std::max(0.0f, H - HeightMargin)};
}

} // namespace tovrin
