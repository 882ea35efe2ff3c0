#include "tests/support/ScriptedPlatform.h"

#include "platform/PlatformError.h"

#include <stdexcept>

namespace tovrin::testing {

void ScriptedPlatform::record(std::string call) {
    calledAfterEnd = calledAfterEnd || ended;
    calls.push_back(std::move(call));
}

void ScriptedPlatform::type(const std::string& typed) {
    text1 += typed;
    if (events_ != nullptr)
        events_->Text1_Change();
}

void ScriptedPlatform::backspace() {
    text1.pop_back();
    if (events_ != nullptr)
        events_->Text1_Change();
}

float ScriptedPlatform::Width() {
    record("Width");
    return outerWidth;
}

float ScriptedPlatform::Height() {
    record("Height");
    return outerHeight;
}

void ScriptedPlatform::Show() {
    record("Show");
}

void ScriptedPlatform::Move(float left, float top, float width, float height) {
    record("Move " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(width) + " " +
           std::to_string(height));
}

void ScriptedPlatform::SetText(const std::string& text) {
    record("SetText " + text);
    text1 = text;
    if (events_ != nullptr)
        events_->Text1_Change();
}

int ScriptedPlatform::messageBox(const std::string& prompt, int style, const std::string& title) {
    record("messageBox " + prompt + " | " + std::to_string(style) + " | " + title);
    if (messageBoxAnswers.empty())
        throw std::logic_error("unscripted message box: " + prompt);
    if (whileMessageBoxOpen)
        whileMessageBoxOpen();
    const int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

void ScriptedPlatform::pumpEvents() {
    record("pumpEvents");
}

void ScriptedPlatform::endProgram() {
    record("endProgram");
    ended = true;
}

bool ScriptedPlatform::ShowSave(const SaveDialogSettings& settings) {
    record("ShowSave " + fileName_);
    lastDialogSettings = settings;
    if (saveDialogChoices.empty())
        throw std::logic_error("unscripted Save dialog");
    const std::optional<std::string> choice = saveDialogChoices.front();
    saveDialogChoices.pop_front();
    if (!choice)
        return false;
    fileName_ = *choice;
    return true;
}

std::string ScriptedPlatform::FileName() {
    record("FileName");
    return fileName_;
}

void ScriptedPlatform::writeBatchFile(const std::string& path) {
    record("writeBatchFile " + path);
    if (nextWriteFailure) {
        const std::string reason = *nextWriteFailure;
        nextWriteFailure.reset();
        throw PlatformError("Could not write \"" + path + "\": " + reason);
    }
    files[path] = text1;
}

} // namespace tovrin::testing
