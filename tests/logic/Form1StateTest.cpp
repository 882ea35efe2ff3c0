#include "editor/Form1.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;

class Form1State : public ::testing::Test {
protected:
    Form1State() { platform.connect(form); }

    ScriptedPlatform platform;
    Form1 form{platform};
};

TEST_F(Form1State, LoadMarksTheEmptyTextClean) {
    form.Form1_Load();
    EXPECT_TRUE(form.Saved);
    EXPECT_EQ(platform.text1, "");
}

TEST_F(Form1State, EveryChangeMarksTheTextDirtyEvenWhenItRestoresTheOldText) {
    form.Form1_Load();
    platform.type("x");
    EXPECT_FALSE(form.Saved);
    platform.backspace();
    EXPECT_EQ(platform.text1, "");
    EXPECT_FALSE(form.Saved);
}

TEST_F(Form1State, ResizeTouchesNeitherTextNorSaved) {
    form.Form1_Load();
    form.Form1_Resize();
    EXPECT_EQ(platform.text1Placement, layoutRule(platform.outerWidth, platform.outerHeight));
    EXPECT_TRUE(form.Saved);
    platform.type("echo on");
    platform.outerWidth = 12345;
    form.Form1_Resize();
    EXPECT_EQ(platform.text1Placement, layoutRule(12345, platform.outerHeight));
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(platform.text1, "echo on");
    for (const std::string& call : platform.calls)
        EXPECT_TRUE(call == "Width" || call == "Height" || call.starts_with("Move ")) << call;
}

} // namespace
} // namespace tovrin
