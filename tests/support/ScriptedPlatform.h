#pragma once

#include "platform/EventDelivery.h"
#include "platform/FormEvents.h"
#include "platform/Platform.h"
#include "window/DesignSettings.h"
#include "window/LayoutRule.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tovrin::testing {

// A platform whose user answers from a script queued in advance, and which
// records every call in order. An unscripted message box or dialog throws,
// so that a test notices a question it did not expect.
class ScriptedPlatform : public Platform {
public:
    // The script.
    std::deque<int> messageBoxAnswers;
    std::deque<std::optional<std::string>> saveDialogChoices;  // nullopt: Cancel
    std::optional<std::string> nextWriteFailure;                // the reason of the next write's failure
    std::function<void()> whileMessageBoxOpen;
    std::function<void()> whileSaveDialogOpen;
    std::function<void()> whilePumping;
    float outerWidth = 9000;
    float outerHeight = 6000;

    // What happened.
    std::vector<std::string> calls;
    std::map<std::string, std::string> files;
    std::string text1;
    Placement text1Placement{};
    bool ended = false;
    bool calledAfterEnd = false;
    bool modalOverModal = false;  // a message box or dialog opened while another was open
    SaveDialogSettings lastDialogSettings;

    // Delivers events as the backends do, through the same delivery.
    EventDelivery delivery{*this, std::string(ProgramName)};

    void connect(FormEvents& events) { delivery.connect(events); }
    // The user types at the end of the text.
    void type(const std::string& typed);
    // The user deletes the last character.
    void backspace();

    float Width() override;
    float Height() override;
    void Show() override;
    void Move(float left, float top, float width, float height) override;
    void SetText(const std::string& text) override;
    int messageBox(const std::string& prompt, int style, const std::string& title) override;
    void pumpEvents() override;
    void endProgram() override;
    bool ShowSave(const SaveDialogSettings& settings) override;
    std::string FileName() override;
    void writeBatchFile(const std::string& path) override;

private:
    void record(std::string call);

    // Opens a modal window for the hook's duration.
    void whileOpen(const std::function<void()>& hook);

    std::string fileName_;
    int modalsOpen_ = 0;
};

} // namespace tovrin::testing
