#pragma once

#include <functional>
#include <string_view>

namespace tovrin {

// A text handed over a piece at a time, so that a long one is never copied
// whole: UTF-16, exactly as the text box holds it. A piece may end anywhere,
// even between the two halves of a character.
using PieceReceiver = std::function<void(std::u16string_view piece)>;
using TextInPieces = std::function<void(const PieceReceiver& receive)>;

} // namespace tovrin
