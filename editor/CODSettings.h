#pragma once

#include "editor/Messages.h"
#include "platform/SaveDialogSettings.h"
#include "batchfile/BatchFileWriter.h"

namespace tovrin {

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
