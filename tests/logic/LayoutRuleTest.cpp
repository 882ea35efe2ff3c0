#include "tests/support/ScriptedPlatform.h"
#include "window/LayoutRule.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;

struct Placement {
    float left, top, width, height;
};

Placement placementAfterLayout(float outerWidth, float outerHeight) {
    ScriptedPlatform platform;
    platform.outerWidth = outerWidth;
    platform.outerHeight = outerHeight;
    applyLayoutRule(platform);
    EXPECT_EQ(platform.calls.size(), 3u);
    Placement placement{};
    EXPECT_EQ(std::sscanf(platform.calls.back().c_str(), "Move %f %f %f %f", &placement.left, &placement.top,
                          &placement.width, &placement.height),
              4)
        << platform.calls.back();
    return placement;
}

TEST(LayoutRule, TextAreaFollowsTheOuterSizeByFixedMargins) {
    const Placement start = placementAfterLayout(8235, 5310);
    EXPECT_EQ(start.left, 0);
    EXPECT_EQ(start.top, 0);
    EXPECT_EQ(start.width, 8135);
    EXPECT_EQ(start.height, 4560);

    const Placement wider = placementAfterLayout(8235 + 1500, 5310);
    EXPECT_EQ(wider.width - start.width, 1500);
    EXPECT_EQ(wider.height, start.height);

    const Placement taller = placementAfterLayout(8235, 5310 + 915);
    EXPECT_EQ(taller.height - start.height, 915);
    EXPECT_EQ(taller.width, start.width);
    EXPECT_EQ(taller.left, 0);
    EXPECT_EQ(taller.top, 0);
}

TEST(LayoutRule, WindowSmallerThanTheMarginsGivesAnEmptyTextArea) {
    const Placement minimized = placementAfterLayout(60, 300);
    EXPECT_EQ(minimized.width, 0);
    EXPECT_EQ(minimized.height, 0);

    const Placement exactlyTheMargins = placementAfterLayout(100, 750);
    EXPECT_EQ(exactlyTheMargins.width, 0);
    EXPECT_EQ(exactlyTheMargins.height, 0);
}

} // namespace
} // namespace tovrin
