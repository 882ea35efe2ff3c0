#include "platform/win32/SaveDialog.h"

#include "platform/PlatformError.h"
#include "platform/win32/Utf16.h"

#include <commdlg.h>

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

    if (GetSaveFileNameW(&dialog)) {
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
