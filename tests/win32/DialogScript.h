#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tovrin::testing {

// What a dialog showed when the script answered it.
struct SeenDialog {
    std::wstring title;
    std::wstring text;          // a message box's prompt
    std::vector<int> buttons;   // which of IDOK, IDCANCEL, IDYES, IDNO it has
    std::wstring fileNameField; // a Save dialog's preset name
    bool themed = false;        // its first button is drawn by the visual style
    std::wstring folder;        // the folder a Save dialog shows
};

// Answers the dialogs that a test opens, one after another, from a thread of
// its own, the way a user would: it waits for each dialog of this process,
// notes what it shows and presses a button. A dialog that does not come in
// time fails the test, and one that does not go away is cancelled, so a
// missed step can neither hang the run nor answer the next test's dialog.
class DialogScript {
public:
    ~DialogScript();

    // The steps, in the order the dialogs will open.
    void pressButton(int id);
    void enterFileName(const std::wstring& name);

    // Runs the window's messages (the test's posted commands, the modal
    // loops they open) until every step is done; returns what was seen.
    std::vector<SeenDialog> run();

private:
    using Step = std::function<void(HWND dialog)>;

    static DWORD WINAPI answer(void* script);
    void answerAll();

    std::vector<Step> steps_;
    std::vector<SeenDialog> seen_;
    std::vector<std::string> failures_;
    HANDLE thread_ = nullptr;
};

} // namespace tovrin::testing
