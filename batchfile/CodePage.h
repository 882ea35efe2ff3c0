#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tovrin {

// An 8-bit Windows code page (or a double-byte one, where a character may
// take two bytes), as the system converts to it. Never a look-alike: a
// character the page lacks is reported, not replaced.
class CodePage {
public:
    virtual ~CodePage() = default;

    // The name users know it by, such as "Windows-1252".
    virtual std::string name() const = 0;

    // Appends the bytes of text to bytes. text holds whole characters only,
    // and no line break but CR LF, which every code page writes as 13 10.
    // Returns the offset of the first character the page cannot hold;
    // bytes is unspecified then.
    virtual std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) = 0;

    // Writes to out, which has room for text.size() bytes, the bytes of the
    // characters that text starts with as long as each is one byte and no
    // line break, and returns how many it wrote. A page that cannot tell
    // quickly writes none, and each character is converted on its own.
    virtual std::size_t copyOneByteCharacters(std::u16string_view /*text*/, char* /*out*/) { return 0; }
};

// Each platform provides these two: the code page a batch file is written
// in on this system, and a converter to the page of that number.
unsigned systemCodePage();
std::unique_ptr<CodePage> openCodePage(unsigned number);

inline std::string codePageName(unsigned number) {
    return "Windows-" + std::to_string(number);
}

} // namespace tovrin
