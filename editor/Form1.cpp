#include "editor/Form1.h"

#include "editor/CODSettings.h"
#include "editor/Messages.h"
#include "window/LayoutRule.h"

#include <utility>

namespace tovrin {

namespace {

// Gives a flag a value for one scope, however the scope is left, then
// gives it back the value it had.
class ScopedFlag {
public:
    ScopedFlag(bool& flag, bool value) : flag_(flag), previous_(std::exchange(flag, value)) {}
    ~ScopedFlag() { flag_ = previous_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool previous_;
};

} // namespace

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
    userLetTextGo_ = false;
}

void Form1::mnugen_Click() {
    const ScopedFlag running(running_, true);
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
    const ScopedFlag running(running_, true);
    if (mayDiscardText(NewPrompt))
        clearText();
}

void Form1::mnuexit_Click() {
    const ScopedFlag running(running_, true);
    if (mayDiscardText(ExitPrompt))
        endProgram();
}

bool Form1::Form1_QueryUnload() {
    return takeRequestToEnd(false);
}

bool Form1::Form1_EndRequested() {
    return takeRequestToEnd(true);
}

// Closing asks what Exit asks, after whatever dialog is open. A request from
// outside that comes again while its own question is shown ends the program
// at once: whoever sends it means it. Once the user let the text go for the
// end of the session, its end closes the window without asking again.
bool Form1::takeRequestToEnd(bool fromOutside) {
    if (fromOutside && askingAfterRequest_) {
        endProgram();
        return true;
    }
    if (running_)
        return false;
    const ScopedFlag running(running_, true);
    if (userLetTextGo_ || mayDiscardText(ExitPrompt, fromOutside))
        endProgram();
    return true;
}

// Unsaved text is never dropped without the user's word: where nobody may
// be asked, or a dialog of the program is open (no second one goes over
// it), the session may end only if nothing unsaved is lost.
void Form1::Form1_QueryEndSession(bool mayAsk) {
    if (!mayAsk || running_)
        return;
    const ScopedFlag running(running_, true);
    mayDiscardText(ExitPrompt);
}

bool Form1::mayDiscardText(const std::string& prompt, bool askedFromOutside) {
    if (Saved)
        return true;
    int answer = IDCANCEL;
    {
        const ScopedFlag asking(askingAfterRequest_, askedFromOutside);
        answer = platform_.messageBox(prompt, MB_YESNOCANCEL, MessageTitle);
    }
    if (ended_)
        return false;
    switch (answer) {
    case IDYES:
        // A cancelled or failed generation keeps the text the user asked to keep.
        if (!GenerateBatFile())
            return false;
        platform_.pumpEvents();
        // A key that arrived meanwhile is not in the file.
        return Saved;
    case IDNO:
        userLetTextGo_ = true;
        return true;
    default:
        platform_.Show();
        return false;
    }
}

void Form1::endProgram() {
    ended_ = true;
    platform_.endProgram();
}

// Clearing raises Text1 Change, so the text is marked clean only afterwards.
void Form1::clearText() {
    platform_.SetText("");
    Saved = true;
}

} // namespace tovrin
