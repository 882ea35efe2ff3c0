#include "platform/win32/SaveDialog.h"

#include "platform/PlatformError.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/WindowsFileName.h"

#include <commdlg.h>
#include <dlgs.h>

#include <optional>
#include <vector>

namespace tovrin {

namespace {

// Room for the longest path Windows can name.
constexpr std::size_t FileNameCapacity = 32768;

// Entries of the filter list, each a text and a pattern, ended by an empty entry.
std::wstring filterOf(const SaveDialogSettings& settings) {
    std::wstring filter = toUtf16(settings.filterText);
    filter += L'\0';
    filter += toUtf16(settings.filterPattern);
    filter += L'\0';
    filter += L'\0';
    return filter;
}

// Some dialogs read a typed name badly when it is accepted: Wine's (the
// classic one and the item dialog alike) copies it into buffers of
// MAX_PATH characters and crashes on a longer one, and reads c:\rt\a"b as
// C:\b and c:\rt\... as C:\. The guard checks the name by the rules of
// Windows names as the user accepts it, before the dialog reads it; one
// that breaks them ends the dialog, and Generate says why. It watches the
// dialog from outside (a hook on this thread's windows), since a hook of
// the dialog's own would give it the look of older Windows.
class AcceptGuard {
public:
    AcceptGuard() : hook_(SetWindowsHookExW(WH_CBT, &AcceptGuard::watch, nullptr, GetCurrentThreadId())) {
        active_ = this;
    }
    ~AcceptGuard() {
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    AcceptGuard(const AcceptGuard&) = delete;
    AcceptGuard& operator=(const AcceptGuard&) = delete;

    void throwRefusal() const {
        if (refusal_)
            throw *refusal_;
    }

private:
    static LRESULT CALLBACK watch(int code, WPARAM window, LPARAM details) {
        AcceptGuard* guard = active_;
        if (code == HCBT_ACTIVATE && guard != nullptr && guard->dialog_ == nullptr)
            guard->takeOver(reinterpret_cast<HWND>(window));
        return CallNextHookEx(nullptr, code, window, details);
    }

    void takeOver(HWND window) {
        wchar_t className[8] = {};
        GetClassNameW(window, className, 8);
        if (std::wstring_view(className) != L"#32770")
            return;
        dialog_ = window;
        dialogProcedure_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AcceptGuard::guard)));
    }

    static LRESULT CALLBACK guard(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        AcceptGuard* self = active_;
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
            self->refusal_ = self->refusalOfTypedName();
            // Ended as if cancelled; ShowSave then gives the reason.
            if (self->refusal_) {
                wParam = MAKEWPARAM(IDCANCEL, BN_CLICKED);
                lParam = reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL));
            }
        }
        return CallWindowProcW(self->dialogProcedure_, dialog, message, wParam, lParam);
    }

    // Why the name in the field, in the folder shown, cannot be written;
    // nothing when it can, or when the dialog reads it as a pattern to list.
    std::optional<PlatformError> refusalOfTypedName() const {
        HWND field = GetDlgItem(dialog_, cmb13);
        if (field == nullptr)
            field = GetDlgItem(dialog_, edt1);
        if (field == nullptr)
            return std::nullopt;
        std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
        typed.resize(static_cast<std::size_t>(GetWindowTextW(field, typed.data(), static_cast<int>(typed.size()))));
        const bool pattern = typed.find_first_of(L"*?") != std::wstring::npos;
        if (typed.empty() || (pattern && typed.size() < MAX_PATH))
            return std::nullopt;
        const bool absolute = typed.rfind(L"\\", 0) == 0 || (typed.size() > 1 && typed[1] == L':');
        std::wstring folder(FileNameCapacity, L'\0');
        const auto folderLength = static_cast<int>(SendMessageW(dialog_, CDM_GETFOLDERPATH, FileNameCapacity,
                                                                reinterpret_cast<LPARAM>(folder.data())));
        folder.resize(folderLength > 1 ? static_cast<std::size_t>(folderLength - 1) : 0);
        if (!folder.empty() && folder.back() != L'\\')
            folder += L'\\';
        try {
            checkWindowsFileName(toUtf8(absolute ? typed : folder + typed));
        } catch (const PlatformError& refusal) {
            return refusal;
        }
        return std::nullopt;
    }

    static inline AcceptGuard* active_ = nullptr;
    HHOOK hook_;
    HWND dialog_ = nullptr;
    WNDPROC dialogProcedure_ = nullptr;
    std::optional<PlatformError> refusal_;
};

} // namespace

bool SaveDialog::ShowSave(HWND owner, const SaveDialogSettings& settings) {
    const std::wstring title = toUtf16(settings.dialogTitle);
    const std::wstring initialFolder = toUtf16(settings.initialFolder);
    const std::wstring filter = filterOf(settings);
    const std::wstring defaultExtension = toUtf16(settings.defaultExtension);
    std::vector<wchar_t> fileName(FileNameCapacity, L'\0');
    fileName_.copy(fileName.data(), FileNameCapacity - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    dialog.lpstrInitialDir = fileName_.empty() ? initialFolder.c_str() : nullptr;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (settings.askBeforeReplacing ? OFN_OVERWRITEPROMPT : 0);

    const AcceptGuard guard;
    const BOOL chosen = GetSaveFileNameW(&dialog);
    guard.throwRefusal();
    if (chosen) {
        fileName_ = fileName.data();
        return true;
    }
    if (const DWORD error = CommDlgExtendedError(); error != 0)
        throw PlatformError("The Save dialog could not be shown (common dialog error " + std::to_string(error) + ").");
    return false;
}

std::string SaveDialog::FileName() const {
    return toUtf8(fileName_);
}

} // namespace tovrin
