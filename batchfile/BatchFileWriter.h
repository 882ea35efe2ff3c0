#pragma once

#include "batchfile/ByteSink.h"
#include "batchfile/CodePage.h"
#include "batchfile/TextInPieces.h"

#include <string>

namespace tovrin {

// What Generate writes, the same on every platform: refuses a name that no
// file may have, then writes text to the file at path in this system's code
// page. Throws PlatformError naming path.
void generateBatchFile(const std::string& path, const TextInPieces& text);

// Writes text into file as a batch file in codePage, then commits it. A
// character that cannot go into the file stops it before the commit, so
// nothing is written. Throws PlatformError naming path, the file's name.
void writeBatchFile(const std::string& path, const TextInPieces& text, CodePage& codePage, ByteSink& file);

// Refuses a name (UTF-8) that no system should hold, before anything is
// written: one with a control character (C0, DEL or C1), such as a line
// break pasted into the Save dialog, a line or paragraph separator, or a
// bidirectional override, embedding or isolate, which would show the name
// in another order in the confirmation. The message names the character.
void checkFileName(const std::string& path);

} // namespace tovrin
