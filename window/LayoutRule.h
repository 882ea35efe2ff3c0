#pragma once

#include "platform/Platform.h"

namespace tovrin {

// Fits Text1 to Form1: from the top-left corner, 100 twips narrower and
// 750 twips lower than the window's outer size, never less than nothing.
void applyLayoutRule(Platform& platform);

} // namespace tovrin
