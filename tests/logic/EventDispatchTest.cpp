#include "platform/EventDispatch.h"
#include "platform/PlatformError.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;

TEST(EventDispatch, FailureIsShownToTheUserAndGoesNoFurther) {
    ScriptedPlatform platform;
    platform.text1 = "my text";
    platform.messageBoxAnswers = {IDOK};
    EventDispatch dispatch(platform, "Tovrin");
    bool after = false;

    dispatch([&] {
        throw PlatformError("Could not write \"/x.bat\": No such file or directory.");
    });
    after = true;

    EXPECT_TRUE(after);
    EXPECT_EQ(platform.calls,
              std::vector<std::string>{"messageBox Could not write \"/x.bat\": No such file or directory. | 16 | Tovrin"});
    EXPECT_EQ(platform.text1, "my text");
}

TEST(EventDispatch, EvenAFailingMessageBoxDoesNotEscape) {
    ScriptedPlatform platform;  // no answer scripted: its message box throws
    EventDispatch dispatch(platform, "Tovrin");
    EXPECT_NO_THROW(dispatch([] { throw std::runtime_error("out of memory"); }));
}

TEST(EventDispatch, SuccessfulHandlerShowsNothing) {
    ScriptedPlatform platform;
    EventDispatch dispatch(platform, "Tovrin");
    int runs = 0;
    dispatch([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(platform.calls.empty());
}

} // namespace
} // namespace tovrin
