#include "editor/Form1.h"

#include "editor/CODSettings.h"
#include "editor/Messages.h"
#include "window/LayoutRule.h"

namespace tovrin {

Form1::Form1(Platform& platform) : platform_(platform) {}

void Form1::Form1_Load() {
    Saved = true;
}

void Form1::Form1_Resize() {
    const float W = platform_.Width();
    const float H = platform_.Height();
    const Placement text1 = layoutRule(W, H);
    platform_.Move(text1.left, text1.top, text1.width, text1.height);
}

void Form1::Text1_Change() {
    Saved = false;
    changedSinceWritten_ = true;
}

void Form1::mnugen_Click() {
    GenerateBatFile();
}

bool Form1::GenerateBatFile() {
    if (!platform_.ShowSave(CODSettings))
        return false;
    const std::string path = platform_.FileName() + BatchExtension;
    changedSinceWritten_ = false;
    platform_.writeBatchFile(path);
    platform_.messageBox(savedConfirmation(path), MB_OK, MessageTitle);
    // What changed while the confirmation was open is not in the file.
    if (!changedSinceWritten_)
        Saved = true;
    return true;
}

void Form1::mnunew_Click() {
    if (mayDiscardText(NewPrompt))
        clearText();
}

void Form1::mnuexit_Click() {
    exitAfterAsking();
}

void Form1::Form1_QueryUnload() {
    exitAfterAsking();
}

// Unsaved text is never dropped without the user's word: where nobody may
// be asked, the session is refused.
bool Form1::Form1_QueryEndSession(bool mayAsk) {
    if (!Saved && !mayAsk)
        return false;
    return mayDiscardText(ExitPrompt);
}

void Form1::exitAfterAsking() {
    if (mayDiscardText(ExitPrompt))
        platform_.endProgram();
}

bool Form1::mayDiscardText(const std::string& prompt) {
    if (Saved)
        return true;
    switch (platform_.messageBox(prompt, MB_YESNOCANCEL, MessageTitle)) {
    case IDYES:
        // A cancelled or failed generation keeps the text the user asked to keep.
        if (!GenerateBatFile())
            return false;
        platform_.pumpEvents();
        return true;
    case IDNO:
        return true;
    default:
        platform_.Show();
        return false;
    }
}

// Clearing raises Text1 Change, so the text is marked clean only afterwards.
void Form1::clearText() {
    platform_.SetText("");
    Saved = true;
}

} // namespace tovrin
