#pragma once

#include "editor/Messages.h"
#include "platform/SaveDialogSettings.h"

#include <string>

namespace tovrin {

// Generate writes to the name the user chose with this appended.
inline const std::string BatchExtension = ".bat";

// The Save dialog asks for the name only: GenerateBatFile appends ".bat"
// itself, so the dialog adds no extension of its own, and asking about an
// existing file of the chosen name would ask about the wrong file.
inline const SaveDialogSettings CODSettings{
    .dialogTitle = MessageTitle,
    .initialFolder = "c:\\",
    .filterText = BatchExtension,
    .filterPattern = "*" + BatchExtension,
    .defaultExtension = "",
    .askBeforeReplacing = false,
};

} // namespace tovrin
