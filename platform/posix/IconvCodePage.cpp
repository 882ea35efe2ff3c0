#include "platform/PlatformError.h"
#include "batchfile/CodePage.h"
#include "platform/posix/WindowsDifferences.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace tovrin {

namespace {

constexpr const char* NativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

const CodePageDifference* differenceFor(std::span<const CodePageDifference> differences, char16_t character) {
    const auto found = std::lower_bound(differences.begin(), differences.end(), character,
                                        [](const CodePageDifference& entry, char16_t c) { return entry.character < c; });
    return found != differences.end() && found->character == character ? &*found : nullptr;
}

// The C library's converter, which writes no look-alikes unless asked to,
// mended to write what Windows writes: where the two part, Windows' bytes.
class IconvCodePage : public CodePage {
public:
    explicit IconvCodePage(unsigned number)
        : number_(number), handle_(iconv_open(("CP" + std::to_string(number)).c_str(), NativeUtf16)),
          windows_(windowsDifferences(number)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw PlatformError("The " + name() + " code page is not available: " + std::strerror(errno) + ".");
    }
    ~IconvCodePage() override { iconv_close(handle_); }
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    std::string name() const override { return codePageName(number_); }

    std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) override {
        // Characters the C library would write otherwise never reach it; those
        // it has no place for are looked up only when it stops at one.
        std::size_t replaced = nextReplaced(text, 0);
        for (std::size_t done = 0; done < text.size(); ++done) {
            if (done > replaced)
                replaced = nextReplaced(text, done);
            done += iconvUpTo(text.substr(done, replaced - done), bytes);
            if (done == text.size())
                break;
            if (!append(differenceFor(done == replaced ? windows_.replaced : windows_.lacking, text[done]), bytes))
                return done;
        }
        return std::nullopt;
    }

private:
    std::size_t nextReplaced(std::u16string_view text, std::size_t from) const {
        if (windows_.replaced.empty())
            return text.size();
        const char16_t first = windows_.replaced.front().character;
        const char16_t last = windows_.replaced.back().character;
        for (std::size_t i = from; i < text.size(); ++i)
            if (text[i] >= first && text[i] <= last && differenceFor(windows_.replaced, text[i]) != nullptr)
                return i;
        return text.size();
    }

    static bool append(const CodePageDifference* windows, std::string& bytes) {
        if (windows == nullptr || windows->bytes == nullptr)
            return false;
        bytes += windows->bytes;
        return true;
    }

    // Converts text up to the first character iconv has no place for, and
    // says where that stopped (text.size() when it went through).
    std::size_t iconvUpTo(std::u16string_view text, std::string& bytes) {
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
        std::size_t inLeft = text.size() * sizeof(char16_t);
        const std::size_t start = bytes.size();
        // Two bytes a code unit hold any character of a double-byte page.
        bytes.resize(start + 2 * text.size() + 16);
        char* out = bytes.data() + start;
        std::size_t outLeft = bytes.size() - start;
        const bool stopped = iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1);
        const int reason = errno;
        // Leave no state behind for the next text.
        iconv(handle_, nullptr, nullptr, &out, &outLeft);
        bytes.resize(bytes.size() - outLeft);
        if (stopped && reason == E2BIG)
            throw PlatformError("Converting to the " + name() + " code page took more room than it can.");
        return text.size() - inLeft / sizeof(char16_t);
    }

    unsigned number_;
    iconv_t handle_;
    CodePageDifferences windows_;
};

} // namespace

std::unique_ptr<CodePage> openCodePage(unsigned number) {
    return std::make_unique<IconvCodePage>(number);
}

} // namespace tovrin
