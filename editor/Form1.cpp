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
    applyLayoutRule(platform_);
}

void Form1::Text1_Change() {
    Saved = false;
}

void Form1::mnugen_Click() {
    GenerateBatFile();
}

bool Form1::GenerateBatFile() {
    if (!platform_.ShowSave(CODSettings))
        return false;
    const std::string path = platform_.FileName() + BatchExtension;
    platform_.writeBatchFile(path);
    platform_.messageBox(savedConfirmation(path), MB_OK, MessageTitle);
    Saved = true;
    return true;
}

void Form1::mnunew_Click() {
    if (Saved) {
        clearText();
        return;
    }
    switch (platform_.messageBox(NewPrompt, MB_YESNOCANCEL, MessageTitle)) {
    case IDYES:
        // A cancelled or failed generation keeps the text the user asked to keep.
        if (!GenerateBatFile())
            return;
        platform_.pumpEvents();
        clearText();
        return;
    case IDNO:
        clearText();
        return;
    case IDCANCEL:
        platform_.Show();
        return;
    }
}

void Form1::mnuexit_Click() {
    exitAfterAsking();
}

void Form1::Form1_QueryUnload() {
    exitAfterAsking();
}

void Form1::exitAfterAsking() {
    if (Saved) {
        platform_.endProgram();
        return;
    }
    switch (platform_.messageBox(ExitPrompt, MB_YESNOCANCEL, MessageTitle)) {
    case IDYES:
        if (!GenerateBatFile())
            return;
        platform_.pumpEvents();
        platform_.endProgram();
        return;
    case IDNO:
        platform_.endProgram();
        return;
    case IDCANCEL:
        platform_.Show();
        return;
    }
}

// Clearing raises Text1 Change, so the text is marked clean only afterwards.
void Form1::clearText() {
    platform_.SetText("");
    Saved = true;
}

} // namespace tovrin
