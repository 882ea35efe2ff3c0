#include "editor/Form1.h"
#include "platform/EventDelivery.h"
#include "platform/PlatformError.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;

// What the handlers see of a delivery.
class EventDeliveryTest : public ::testing::Test {
protected:
    EventDeliveryTest() { delivery.connect(form); }

    ScriptedPlatform platform;
    Form1 form{platform};
    EventDelivery delivery{platform, "Tovrin"};
};

TEST_F(EventDeliveryTest, FailureIsShownToTheUserAndGoesNoFurther) {
    platform.text1 = "my text";
    platform.messageBoxAnswers = {IDOK};
    bool after = false;

    delivery([&](FormEvents&) {
        throw PlatformError("Could not write \"/x.bat\": No such file or directory.");
    });
    after = true;

    EXPECT_TRUE(after);
    EXPECT_EQ(platform.calls,
              std::vector<std::string>{"messageBox Could not write \"/x.bat\": No such file or directory. | 16 | Tovrin"});
    EXPECT_EQ(platform.text1, "my text");
}

TEST_F(EventDeliveryTest, EvenAFailingMessageBoxDoesNotEscape) {
    // No answer is scripted: the message box throws.
    EXPECT_NO_THROW(delivery([](FormEvents&) { throw std::runtime_error("out of memory"); }));
}

TEST_F(EventDeliveryTest, EventsReachTheHandlersOnlyUntilTheProgramEnds) {
    delivery(&FormEvents::Form1_Load);
    EXPECT_TRUE(form.Saved);
    delivery(&FormEvents::Text1_Change);
    EXPECT_FALSE(form.Saved);
    delivery.end();
    delivery(&FormEvents::Form1_Load);
    EXPECT_FALSE(form.Saved) << "no event after the program's end";
    EXPECT_TRUE(platform.calls.empty());
}

} // namespace
} // namespace tovrin
