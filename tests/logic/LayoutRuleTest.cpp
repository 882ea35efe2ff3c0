#include "window/LayoutRule.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

TEST(LayoutRule, TextAreaFollowsTheOuterSizeByFixedMargins) {
    const Placement start = layoutRule(8235, 5310);
    EXPECT_EQ(start, (Placement{0, 0, 8135, 4560}));
    EXPECT_EQ(layoutRule(8235 + 1500, 5310), (Placement{0, 0, 8135 + 1500, 4560}));
    EXPECT_EQ(layoutRule(8235, 5310 + 915), (Placement{0, 0, 8135, 4560 + 915}));
}

TEST(LayoutRule, WindowSmallerThanTheMarginsGivesAnEmptyTextArea) {
    EXPECT_EQ(layoutRule(60, 300), (Placement{0, 0, 0, 0}));
    EXPECT_EQ(layoutRule(100, 750), (Placement{0, 0, 0, 0}));
}

} // namespace
} // namespace tovrin
