#include "platform/win32/DecomposedSpelling.h"

#include <windows.h>

namespace tovrin {

namespace {

std::wstring normalized(NORM_FORM form, std::wstring_view text) {
    wchar_t result[32];
    const int length = NormalizeString(form, text.data(), static_cast<int>(text.size()), result, 32);
    return length > 0 ? std::wstring(result, length) : std::wstring();
}

} // namespace

std::optional<std::string> decomposedSpelling(unsigned codePage, std::wstring_view character) {
    const std::wstring decomposed = normalized(NormalizationD, character);
    const std::wstring letter = normalized(NormalizationC, character);
    // WC_COMPOSITECHECK joins the base only with the mark right after it, and
    // the mark the page holds joined may not come first in canonical order
    // (e, dot below, circumflex: the page holds e with circumflex), so each
    // mark is tried next to the base; the read-back check keeps only a
    // spelling of the same letter.
    for (std::size_t joined = 1; joined < decomposed.size(); ++joined) {
        std::wstring spelling = decomposed;
        spelling.erase(joined, 1);
        spelling.insert(1, 1, decomposed[joined]);
        char bytes[32];
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(codePage, WC_COMPOSITECHECK | WC_NO_BEST_FIT_CHARS, spelling.data(),
                                               static_cast<int>(spelling.size()), bytes, sizeof bytes, nullptr,
                                               &usedDefault);
        if (length <= 0 || usedDefault)
            continue;
        wchar_t readBack[32];
        const int characters = MultiByteToWideChar(codePage, 0, bytes, length, readBack, 32);
        if (characters >= 2 && normalized(NormalizationC, std::wstring_view(readBack, characters)) == letter)
            return std::string(bytes, length);
    }
    return std::nullopt;
}

} // namespace tovrin
