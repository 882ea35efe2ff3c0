#pragma once

#include <string>

namespace tovrin {

// The fixed settings of a Save dialog. The dialog lists the files matching
// filterPattern under the entry filterText, adds defaultExtension (when not
// empty) to a name typed without one, and asks before an existing file's
// name is taken when askBeforeReplacing is set.
struct SaveDialogSettings {
    std::string dialogTitle;
    std::string initialFolder;
    std::string filterText;
    std::string filterPattern;
    std::string defaultExtension;
    bool askBeforeReplacing;
};

} // namespace tovrin
