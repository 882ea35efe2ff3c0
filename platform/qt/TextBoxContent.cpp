#include "platform/qt/TextBoxContent.h"

#include <QTextCursor>
#include <algorithm>

namespace tovrin {

namespace {

// A piece holds at most this many characters: a keystroke moves at most
// that much, and reading costs one call a piece.
constexpr std::size_t LongestPiece = 64 * 1024;
// A change this large (a paste, the text replaced) is copied whole, once.
constexpr std::size_t LargeChange = 1024 * 1024;

std::u16string_view viewOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

TextBoxContent::TextBoxContent(QTextDocument& document) : document_(document) {
    copyAll();
    connect(&document_, &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { change(position, removed, added); });
}

void TextBoxContent::read(const PieceReceiver& receive) {
    // A change the document reported wrongly would show here first.
    if (length_ != documentLength())
        copyAll();
    for (const Piece& piece : pieces_)
        receive(piece);
}

// The document counts the paragraph separator it always ends with, which
// its text leaves out: a change may reach past the end of either text by
// that one character.
void TextBoxContent::change(int position, int removed, int added) {
    const auto from = static_cast<std::size_t>(std::max(position, 0));
    const std::size_t newLength = documentLength();
    if (from > length_ || from > newLength || static_cast<std::size_t>(added) > LargeChange) {
        copyAll();
        return;
    }
    const std::size_t removedHere = std::min(static_cast<std::size_t>(std::max(removed, 0)), length_ - from);
    const std::size_t addedHere = std::min(static_cast<std::size_t>(std::max(added, 0)), newLength - from);
    remove(from, removedHere);
    if (addedHere > 0) {
        QTextCursor cursor(&document_);
        cursor.setPosition(static_cast<int>(from));
        cursor.setPosition(static_cast<int>(from + addedHere), QTextCursor::KeepAnchor);
        insert(from, viewOf(cursor.selectedText()));
    }
    if (length_ != newLength)
        copyAll();
}

void TextBoxContent::remove(std::size_t position, std::size_t length) {
    length_ -= length;
    auto [index, offset] = find(position);
    if (length > 0 && offset == pieces_[index].size()) {
        ++index;
        offset = 0;
    }
    while (length > 0) {
        Piece& piece = pieces_[index];
        const std::size_t here = std::min(length, piece.size() - offset);
        piece.erase(offset, here);
        length -= here;
        if (piece.empty()) {
            pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(index));
        } else {
            ++index;
        }
        offset = 0;
    }
}

void TextBoxContent::insert(std::size_t position, std::u16string_view text) {
    length_ += text.size();
    auto [index, offset] = find(position);
    if (index == pieces_.size()) {
        pieces_.emplace_back();
        offset = 0;
    }
    Piece& piece = pieces_[index];
    if (piece.size() + text.size() <= LongestPiece) {
        piece.insert(offset, text);
        return;
    }
    // Too long for one piece: the piece is cut where the text goes in, and
    // the text and the piece's end follow in pieces of their own.
    Piece rest = piece.substr(offset);
    piece.erase(offset);
    std::vector<Piece> added;
    for (std::size_t at = 0; at < text.size(); at += LongestPiece)
        added.emplace_back(text.substr(at, LongestPiece));
    if (!rest.empty())
        added.push_back(std::move(rest));
    auto next = pieces_.begin() + static_cast<std::ptrdiff_t>(index) + 1;
    if (piece.empty())
        next = pieces_.erase(next - 1);
    pieces_.insert(next, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}

// A place between two pieces is the end of the first, so that typing there
// adds to a piece that has room before it starts a new one.
std::pair<std::size_t, std::size_t> TextBoxContent::find(std::size_t position) const {
    std::size_t index = 0;
    for (; index < pieces_.size() && position > pieces_[index].size(); ++index)
        position -= pieces_[index].size();
    return {index, position};
}

std::size_t TextBoxContent::documentLength() const {
    return static_cast<std::size_t>(std::max(document_.characterCount() - 1, 0));
}

void TextBoxContent::copyAll() {
    const QString text = document_.toRawText();
    const std::u16string_view all = viewOf(text);
    pieces_.clear();
    for (std::size_t at = 0; at < all.size(); at += LongestPiece)
        pieces_.emplace_back(all.substr(at, LongestPiece));
    length_ = all.size();
    ++wholeCopies_;
}

} // namespace tovrin
