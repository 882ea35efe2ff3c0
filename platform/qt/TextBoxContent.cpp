#include "platform/qt/TextBoxContent.h"

#include <QTextBlock>

namespace tovrin {

namespace {

// Large enough that handing a piece over costs little beside converting
// it, small enough to stay in the processor's cache.
constexpr qsizetype PieceLength = 64 * 1024;

void handOver(QString& piece, const PieceReceiver& receive) {
    const QStringView content = piece;
    receive(std::u16string_view(content.utf16(), static_cast<std::size_t>(content.size())));
    piece.resize(0);
}

} // namespace

// Paragraph by paragraph into one piece that is used again and again: the
// text is never copied whole, and no new memory is touched for a long one.
void readText(const QTextDocument& document, const PieceReceiver& receive) {
    QString piece;
    piece.reserve(PieceLength);
    const QTextBlock first = document.begin();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (block != first)
            piece += QChar::ParagraphSeparator;
        piece += block.text();
        if (piece.size() >= PieceLength)
            handOver(piece, receive);
    }
    handOver(piece, receive);
}

} // namespace tovrin
