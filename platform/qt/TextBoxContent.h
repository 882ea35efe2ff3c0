#pragma once

#include "platform/batchfile/TextInPieces.h"

#include <QTextDocument>

namespace tovrin {

// Hands the text box's content over in pieces of whole paragraphs, one
// paragraph separator (U+2029) between two of them. Characters pass exactly
// as the text box holds them.
void readText(const QTextDocument& document, const PieceReceiver& receive);

} // namespace tovrin
