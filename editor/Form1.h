#pragma once

#include "platform/FormEvents.h"
#include "platform/Platform.h"

namespace tovrin {

// The main window as a document: the batch text lives in Text1 (behind the
// platform), and Saved tells whether it has changed since the last clean
// point (start, a generation or New). It also decides how the program ends,
// whoever asks.
class Form1 : public FormEvents {
public:
    explicit Form1(Platform& platform);

    bool Saved = false;

    void Form1_Load() override;
    void Form1_Resize() override;
    void Text1_Change() override;
    void mnunew_Click() override;
    void mnugen_Click() override;
    void mnuexit_Click() override;
    bool Form1_QueryUnload() override;
    bool Form1_EndRequested() override;
    void Form1_QueryEndSession(bool mayAsk) override;
    bool hasUnsavedText() const override { return !Saved; }
    bool mayEndSession() const override { return Saved || userLetTextGo_; }

    // Asks for a name, writes the text to it with ".bat" appended and
    // confirms. Returns false when the user cancelled the Save dialog;
    // a failure throws PlatformError. Either way nothing was confirmed and
    // Saved is unchanged. Saved becomes True only when the text did not
    // change after it was written.
    bool GenerateBatFile();

private:
    // Whether the text may be thrown away: at once when nothing is unsaved,
    // otherwise as the user answers prompt (Yes generates it first).
    bool mayDiscardText(const std::string& prompt, bool askedFromOutside = false);
    bool takeRequestToEnd(bool fromOutside);
    void endProgram();
    void clearText();

    Platform& platform_;
    bool changedSinceWritten_ = false;
    // A command is running, so a dialog or message box of it may be open.
    bool running_ = false;
    // Exit's question that a request from outside raised is open.
    bool askingAfterRequest_ = false;
    // The user answered No for the text as it is now.
    bool userLetTextGo_ = false;
    bool ended_ = false;
};

} // namespace tovrin
