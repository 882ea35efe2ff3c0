#include "tests/win32/DialogScript.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <uxtheme.h>

namespace tovrin::testing {

namespace {

constexpr DWORD StepDeadlineMs = 15000;
constexpr DWORD PollMs = 20;
constexpr int MessageButtons[] = {IDOK, IDCANCEL, IDYES, IDNO};
// The file name field of the Save dialog: an edit box or a combo box.
constexpr int FileNameEditId = 0x480;
constexpr int FileNameComboId = 0x47c;

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK findDialog(HWND window, LPARAM searchAddress) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || std::wstring(className) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    reinterpret_cast<Search*>(searchAddress)->found = window;
    return FALSE;
}

HWND openDialog() {
    Search search;
    EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM textAddress) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    auto& text = *reinterpret_cast<std::wstring*>(textAddress);
    const std::wstring childText = textOf(child);
    if (_wcsicmp(className, L"Static") == 0 && childText.size() > text.size())
        text = childText;
    return TRUE;
}

HWND fileNameField(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, FileNameComboId))
        return combo;
    return GetDlgItem(dialog, FileNameEditId);
}

SeenDialog describe(HWND dialog) {
    SeenDialog seen;
    seen.title = textOf(dialog);
    EnumChildWindows(dialog, collectStaticText, reinterpret_cast<LPARAM>(&seen.text));
    for (int id : MessageButtons)
        if (HWND button = GetDlgItem(dialog, id); button != nullptr && IsWindowVisible(button))
            seen.buttons.push_back(id);
    if (!seen.buttons.empty())
        seen.themed = GetWindowTheme(GetDlgItem(dialog, seen.buttons.front())) != nullptr;
    if (HWND field = fileNameField(dialog)) {
        seen.fileNameField = textOf(field);
        wchar_t folder[MAX_PATH] = {};
        SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
        seen.folder = folder;
    }
    return seen;
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool waitUntil(const std::function<bool()>& condition) {
    for (DWORD waited = 0; waited < StepDeadlineMs; waited += PollMs) {
        if (condition())
            return true;
        Sleep(PollMs);
    }
    return false;
}

} // namespace

DialogScript::~DialogScript() {
    if (thread_ != nullptr)
        CloseHandle(thread_);
}

void DialogScript::pressButton(int id) {
    steps_.push_back([id](HWND dialog) { press(dialog, id); });
}

void DialogScript::enterFileName(const std::wstring& name) {
    steps_.push_back([name](HWND dialog) {
        HWND field = nullptr;
        waitUntil([&] { return (field = fileNameField(dialog)) != nullptr; });
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        press(dialog, IDOK);
    });
}

std::vector<SeenDialog> DialogScript::run() {
    thread_ = CreateThread(nullptr, 0, &DialogScript::answer, this, 0, nullptr);
    bool done = false;
    while (!done) {
        done = MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    for (const std::string& failure : failures_)
        ADD_FAILURE() << failure;
    return seen_;
}

DWORD WINAPI DialogScript::answer(void* script) {
    static_cast<DialogScript*>(script)->answerAll();
    return 0;
}

void DialogScript::answerAll() {
    for (std::size_t step = 0; step < steps_.size(); ++step) {
        HWND dialog = nullptr;
        if (!waitUntil([&] { return (dialog = openDialog()) != nullptr; })) {
            failures_.push_back("dialog " + std::to_string(step + 1) + " of " + std::to_string(steps_.size()) +
                                " never opened");
            return;
        }
        seen_.push_back(describe(dialog));
        steps_[step](dialog);
        if (!waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) {
            failures_.push_back("dialog " + std::to_string(step + 1) + " stayed open; cancelled");
            press(dialog, IDCANCEL);
            return;
        }
    }
}

} // namespace tovrin::testing
