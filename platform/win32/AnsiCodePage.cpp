#include "batchfile/CodePage.h"
#include "batchfile/Surrogates.h"
#include "platform/win32/DecomposedSpelling.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace tovrin {

namespace {

// The system's own conversion, told never to write a look-alike and to say
// when a character had no byte; a letter the page lacks whole is written
// decomposed where the page can spell it so.
class WindowsCodePage : public CodePage {
public:
    explicit WindowsCodePage(unsigned number) : number_(number) {}

    std::string name() const override { return codePageName(number_); }

    std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) override {
        if (text.empty() || appended(text, bytes))
            return std::nullopt;
        return convertByCharacter(text, bytes);
    }

private:
    // A page of UTF-8 holds every character, and refuses the flags that
    // detect a missing one.
    bool holdsEverything() const { return number_ == CP_UTF8; }

    // The bytes of text, or with no room given their number.
    int converted(std::u16string_view text, char* out, int room, bool& lacking) const {
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(number_, holdsEverything() ? 0 : WC_NO_BEST_FIT_CHARS,
                                               wideUnits(text).data(),
                                               checkedLength(text.size()), out, room, nullptr,
                                               holdsEverything() ? nullptr : &usedDefault);
        if (length == 0)
            failWith("The text could not be converted to the " + name() + " code page", GetLastError());
        lacking = usedDefault != FALSE;
        return length;
    }

    // Appends the bytes of text if the page holds all of it; false, with
    // nothing appended, if not.
    bool appended(std::u16string_view text, std::string& bytes) const {
        bool lacking = false;
        const int length = converted(text, nullptr, 0, lacking);
        if (lacking)
            return false;
        const std::size_t start = bytes.size();
        bytes.resize(start + static_cast<std::size_t>(length));
        converted(text, bytes.data() + start, length, lacking);
        return true;
    }

    // Needed only when a character lacks a place, so a character at a time.
    std::optional<std::size_t> convertByCharacter(std::u16string_view text, std::string& bytes) const {
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t units = isHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
            const std::u16string_view character = text.substr(i, units);
            if (!appended(character, bytes)) {
                const auto spelling = decomposedSpelling(number_, wideUnits(character));
                if (!spelling)
                    return i;
                bytes += *spelling;
            }
            i += units;
        }
        return std::nullopt;
    }

    unsigned number_;
};

} // namespace

unsigned systemCodePage() {
    return GetACP();
}

std::unique_ptr<CodePage> openCodePage(unsigned number) {
    return std::make_unique<WindowsCodePage>(number);
}

} // namespace tovrin
