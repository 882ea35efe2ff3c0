#pragma once

#include "batchfile/TextInPieces.h"

#include <QObject>
#include <QTextDocument>
#include <string>
#include <vector>

namespace tovrin {

// The text box's content, kept beside its document and changed with it, so
// that Generate reads it in pieces at once: copying a long text out of the
// document (toRawText) first touches as much fresh memory as the text
// takes, and costs more than converting and writing it. It holds two bytes
// a character, as the document does.
class TextBoxContent : public QObject {
public:
    explicit TextBoxContent(QTextDocument& document);

    // Hands the content over exactly as the document holds it, one
    // paragraph separator (U+2029) between two paragraphs.
    void read(const PieceReceiver& receive);
    // How often the whole text was copied out of the document: once for a
    // large change, never for typing and editing.
    std::size_t wholeCopies() const { return wholeCopies_; }

private:
    using Piece = std::u16string;

    void change(int position, int removed, int added);
    void remove(std::size_t position, std::size_t length);
    void insert(std::size_t position, std::u16string_view text);
    // Where position lies: the piece that holds it and its place there.
    std::pair<std::size_t, std::size_t> find(std::size_t position) const;
    std::size_t documentLength() const;
    void copyAll();

    QTextDocument& document_;
    std::vector<Piece> pieces_;  // none empty
    std::size_t length_ = 0;     // all pieces' length
    std::size_t wholeCopies_ = 0;
};

} // namespace tovrin
