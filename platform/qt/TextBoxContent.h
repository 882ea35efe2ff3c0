#pragma once

#include "platform/TextInPieces.h"

#include <QTextDocument>

namespace tovrin {

// Hands the text box's content over in pieces of whole paragraphs, every
// line break as CR LF, including those typed with Shift+Enter inside a
// paragraph. Characters pass exactly as the text box holds them.
void readText(const QTextDocument& document, const PieceReceiver& receive);

} // namespace tovrin
