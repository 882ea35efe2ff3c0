#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovrin {

// Calls onLine(line, endsWithBreak) for each line of text until it returns
// false. CR LF, a lone CR and a lone LF each end a line; the last line is
// the text after the last break, empty when the text ends with one.
template <typename OnLine>
void forEachLine(std::string_view text, OnLine&& onLine) {
    std::size_t start = 0;
    while (true) {
        const std::size_t brk = text.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            onLine(text.substr(start), false);
            return;
        }
        if (!onLine(text.substr(start, brk - start), true))
            return;
        const bool crlf = text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n';
        start = brk + (crlf ? 2 : 1);
    }
}

// The text with every line break, whichever kind it was, as CR LF.
inline std::string withCrLfBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    forEachLine(text, [&](std::string_view line, bool endsWithBreak) {
        result += line;
        if (endsWithBreak)
            result += "\r\n";
        return true;
    });
    return result;
}

} // namespace tovrin
