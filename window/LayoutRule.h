#pragma once

namespace tovrin {

// Where Text1 stands on Form1, in twips.
struct Placement {
    float left;
    float top;
    float width;
    float height;

    bool operator==(const Placement&) const = default;
};

// Fits Text1 to Form1 of the given outer size: from the top-left corner,
// 100 twips narrower and 750 twips lower, never less than nothing.
Placement layoutRule(float outerWidth, float outerHeight);

} // namespace tovrin
