#include "tests/support/ScriptedPlatform.h"

#include "platform/PlatformError.h"
#include "batchfile/BatchFileWriter.h"
#include "tests/support/MemoryFile.h"

#include <stdexcept>

namespace tovrin::testing {

namespace {

// The UTF-16 of the UTF-8 text that crosses the interface.
std::u16string utf16Of(const std::string& utf8) {
    std::u16string result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t character = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            character = (character << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (character >= 0x10000) {
            result += static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10));
            result += static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
        } else {
            result += static_cast<char16_t>(character);
        }
        i += length;
    }
    return result;
}

} // namespace

void ScriptedPlatform::record(std::string call) {
    calledAfterEnd = calledAfterEnd || ended;
    calls.push_back(std::move(call));
}

void ScriptedPlatform::whileOpen(const std::function<void()>& hook) {
    modalOverModal = modalOverModal || modalsOpen_ > 0;
    ++modalsOpen_;
    if (hook)
        hook();
    --modalsOpen_;
}

void ScriptedPlatform::type(const std::string& typed) {
    text1 += typed;
    delivery(&FormEvents::Text1_Change);
}

void ScriptedPlatform::backspace() {
    // A line break goes as one, as in the text box.
    text1.resize(text1.size() - (text1.ends_with("\r\n") ? 2 : 1));
    delivery(&FormEvents::Text1_Change);
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
    text1Placement = {left, top, width, height};
    record("Move " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(width) + " " +
           std::to_string(height));
}

void ScriptedPlatform::SetText(const std::string& text) {
    record("SetText " + text);
    text1 = text;
    delivery(&FormEvents::Text1_Change);
}

int ScriptedPlatform::messageBox(const std::string& prompt, int style, const std::string& title) {
    record("messageBox " + prompt + " | " + std::to_string(style) + " | " + title);
    if (messageBoxAnswers.empty())
        throw std::logic_error("unscripted message box: " + prompt);
    whileOpen(whileMessageBoxOpen);
    const int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

void ScriptedPlatform::pumpEvents() {
    record("pumpEvents");
    if (whilePumping)
        whilePumping();
}

void ScriptedPlatform::endProgram() {
    record("endProgram");
    ended = true;
    delivery.end();
}

bool ScriptedPlatform::ShowSave(const SaveDialogSettings& settings) {
    record("ShowSave " + fileName_);
    lastDialogSettings = settings;
    if (saveDialogChoices.empty())
        throw std::logic_error("unscripted Save dialog");
    whileOpen(whileSaveDialogOpen);
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
    // Through the real byte rules, so that no test sees a text the program
    // would never write.
    const auto codePage = openCodePage(1252);
    MemoryFile file;
    tovrin::writeBatchFile(path, [&](const PieceReceiver& receive) { receive(utf16Of(text1)); }, *codePage, file);
    files[path] = file.bytes;
}

} // namespace tovrin::testing
