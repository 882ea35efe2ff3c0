#include "platform/PlatformError.h"
#include "platform/batchfile/CodePage.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace tovrin {

namespace {

constexpr const char* NativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// The C library's converter, which writes no look-alikes unless asked to.
class IconvCodePage : public CodePage {
public:
    explicit IconvCodePage(unsigned number)
        : number_(number), handle_(iconv_open(("CP" + std::to_string(number)).c_str(), NativeUtf16)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw PlatformError("The " + name() + " code page is not available: " + std::strerror(errno) + ".");
    }
    ~IconvCodePage() override { iconv_close(handle_); }
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    std::string name() const override { return codePageName(number_); }

    std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) override {
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
        if (stopped && reason != E2BIG)
            return text.size() - inLeft / sizeof(char16_t);
        if (stopped)
            throw PlatformError("Converting to the " + name() + " code page took more room than it can.");
        return std::nullopt;
    }

private:
    unsigned number_;
    iconv_t handle_;
};

} // namespace

std::unique_ptr<CodePage> openCodePage(unsigned number) {
    return std::make_unique<IconvCodePage>(number);
}

} // namespace tovrin
