#include "bench/ScriptedQtPlatform.h"

#include "platform/PlatformError.h"

namespace tovrin::bench {

int ScriptedQtPlatform::messageBox(const std::string& prompt, int style, const std::string&) {
    if ((style & MB_ICONERROR) != 0)
        throw PlatformError("The editor reported a failure: " + prompt);
    return style == MB_YESNOCANCEL ? IDNO : IDOK;
}

bool ScriptedQtPlatform::ShowSave(const SaveDialogSettings&) {
    if (fileName_.empty())
        throw PlatformError("The bench chose no file name.");
    return true;
}

} // namespace tovrin::bench
