#pragma once

#include "platform/SaveDialogSettings.h"

#include <windows.h>

#include <string>

namespace tovrin {

// The common Save dialog, which keeps the last chosen name for the whole run
// and opens with it the next time. A typed name that Windows cannot hold
// ends it, and ShowSave throws PlatformError with the reason.
class SaveDialog {
public:
    bool ShowSave(HWND owner, const SaveDialogSettings& settings);
    std::string FileName() const;

private:
    std::wstring fileName_;
};

} // namespace tovrin
