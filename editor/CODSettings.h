#pragma once

#include "editor/Messages.h"
#include "platform/SaveDialogSettings.h"

namespace tovrin {

// The Save dialog asks for the name only: GenerateBatFile appends ".bat"
// itself, so the dialog adds no extension of its own.
inline const SaveDialogSettings CODSettings{
    .dialogTitle = MessageTitle,
    .initialFolder = "c:\\",
    .filterText = ".bat",
    .filterPattern = "*.bat",
    .defaultExtension = "",
};

inline const std::string BatchExtension = ".bat";

} // namespace tovrin
