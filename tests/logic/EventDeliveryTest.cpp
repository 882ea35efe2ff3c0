#include "editor/Form1.h"
#include "platform/EventDelivery.h"
#include "platform/MenuHandlers.h"
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

// Records which handler each menu command reaches.
struct RecordedHandlers : FormEvents {
    std::vector<std::string> reached;

    void Form1_Load() override { reached.push_back("Form1_Load"); }
    void Form1_Resize() override { reached.push_back("Form1_Resize"); }
    void Text1_Change() override { reached.push_back("Text1_Change"); }
    void mnunew_Click() override { reached.push_back("mnunew_Click"); }
    void mnugen_Click() override { reached.push_back("mnugen_Click"); }
    void mnuexit_Click() override { reached.push_back("mnuexit_Click"); }
    bool Form1_QueryUnload() override { return true; }
    bool Form1_EndRequested() override { return true; }
    void Form1_QueryEndSession(bool) override {}
    bool hasUnsavedText() const override { return false; }
    bool mayEndSession() const override { return true; }
};

TEST(MenuHandlers, EveryMenuItemReachesTheClickHandlerOfItsName) {
    for (const MenuEntry& entry : MenuTable) {
        RecordedHandlers handlers;
        if (const Handler handler = menuHandler(entry.command))
            (handlers.*handler)();
        const bool choosable = entry.level == MenuLevel::Item && entry.caption != MenuSeparator;
        EXPECT_EQ(handlers.reached, choosable ? std::vector<std::string>{std::string(entry.name) + "_Click"}
                                              : std::vector<std::string>{})
            << entry.name;
    }
}

} // namespace
} // namespace tovrin
