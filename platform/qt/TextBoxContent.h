#pragma once

#include "batchfile/TextInPieces.h"

#include <QTextDocument>

namespace tovrin {

// Hands the text box's content over, one paragraph separator (U+2029)
// between two paragraphs. Characters pass exactly as the text box holds
// them.
void readText(const QTextDocument& document, const PieceReceiver& receive);

} // namespace tovrin
