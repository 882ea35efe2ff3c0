#include "editor/Form1.h"
#include "platform/EventDelivery.h"
#include "platform/MenuHandlers.h"
#include "platform/PlatformError.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <map>
#include <string_view>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;

// What the handlers see of a delivery.
class EventDeliveryTest : public ::testing::Test {
protected:
    EventDeliveryTest() { platform.connect(form); }

    ScriptedPlatform platform;
    Form1 form{platform};
    EventDelivery& delivery = platform.delivery;
};

TEST_F(EventDeliveryTest, AFailureIsShownToTheUserAndTheNextEventArrives) {
    delivery(&FormEvents::Form1_Load);
    platform.messageBoxAnswers = {IDOK};
    delivery([&](FormEvents&) {
        throw PlatformError("Could not write \"/x.bat\": No such file or directory.");
    });
    EXPECT_EQ(platform.calls,
              std::vector<std::string>{"messageBox Could not write \"/x.bat\": No such file or directory. | 16 | Tovrin"});
    delivery(&FormEvents::Text1_Change);
    EXPECT_FALSE(form.Saved) << "the program goes on";
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

TEST(MenuHandlers, EveryMenuItemReachesTheClickHandlerOfItsName) {
    const std::map<std::string_view, Handler> clickHandlers{
        {"mnunew", &FormEvents::mnunew_Click},
        {"mnugen", &FormEvents::mnugen_Click},
        {"mnuexit", &FormEvents::mnuexit_Click}};
    for (const MenuEntry& entry : MenuTable) {
        const bool choosable = entry.level == MenuLevel::Item && entry.caption != MenuSeparator;
        EXPECT_EQ(menuHandler(entry.command), choosable ? clickHandlers.at(entry.name) : nullptr) << entry.name;
    }
}

} // namespace
} // namespace tovrin
