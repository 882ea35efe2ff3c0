#pragma once

#include "platform/FormEvents.h"
#include "platform/Platform.h"

namespace tovrin {

// The main window as a document: the batch text lives in Text1 (behind the
// platform), and Saved tells whether it has changed since the last clean
// point (start, a generation or New).
class Form1 : public FormEvents {
public:
    explicit Form1(Platform& platform);

    bool Saved = false;

    void Form1_Load() override;
    void Form1_Resize() override;
    void Form1_QueryUnload() override;
    void Text1_Change() override;
    void mnunew_Click() override;
    void mnugen_Click() override;
    void mnuexit_Click() override;
    bool Form1_QueryEndSession(bool mayAsk) override;
    bool hasUnsavedText() const override { return !Saved; }

    // Asks for a name, writes the text to it with ".bat" appended and
    // confirms. Returns false when the user cancelled the Save dialog;
    // a failure throws PlatformError. Either way nothing was confirmed and
    // Saved is unchanged. Saved becomes True only when the text did not
    // change after it was written.
    bool GenerateBatFile();

private:
    // Whether the text may be thrown away: at once when nothing is unsaved,
    // otherwise as the user answers prompt (Yes generates it first).
    bool mayDiscardText(const std::string& prompt);
    void exitAfterAsking();
    void clearText();

    Platform& platform_;
    bool changedSinceWritten_ = false;
};

} // namespace tovrin
