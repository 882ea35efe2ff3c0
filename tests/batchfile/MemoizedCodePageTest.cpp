#include "batchfile/MemoizedCodePage.h"
#include "batchfile/Surrogates.h"

#include <gtest/gtest.h>

#include <map>

namespace tovrin {
namespace {

// A page whose answers the test chooses, and which counts the questions.
class ScriptedPage : public CodePage {
public:
    std::map<char32_t, std::string> bytesOf;  // a character missing here is refused
    std::map<char32_t, int> asked;

    std::string name() const override { return "Windows-0"; }

    std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) override {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool pair = i + 1 < text.size() && isHighSurrogate(text[i]) && isLowSurrogate(text[i + 1]);
            const char32_t character = pair ? joinSurrogates(text[i], text[i + 1]) : text[i];
            ++asked[character];
            const auto found = bytesOf.find(character);
            if (found == bytesOf.end())
                return i;
            bytes += found->second;
            i += pair ? 1 : 0;
        }
        return std::nullopt;
    }
};

struct Answered {
    std::string bytes;
    std::optional<std::size_t> refusedAt;
    bool operator==(const Answered&) const = default;
};

Answered ask(CodePage& page, std::u16string_view text) {
    Answered answered{"before:", std::nullopt};
    answered.refusedAt = page.convert(text, answered.bytes);
    if (answered.refusedAt)
        answered.bytes.clear();  // unspecified then
    return answered;
}

ScriptedPage scripted() {
    ScriptedPage page;
    page.bytesOf = {{u'a', "a"},           {u'\r', "\r"},           {u'\n', "\n"},
                    {0x00E9, "\xE9"},      {0x30A2, "\x83\x41"},    {0x01FA, "A\xCC\x81"},
                    {0x2460, "(1)."},   {0xFEFF, ""},            {0x1F600, "\xF0\x9F\x98\x80"},
                    {0xFFFF, "\xFF\xFF"}};
    return page;
}

// One byte, two (a double-byte page), three (a letter and its accent),
// more than the table keeps, none, a pair, and refusals among them: the
// same bytes as the wrapped page writes, and the same first refusal, though
// the wrapped page is asked about a character of the basic plane once,
// whether it took it or refused it. (The system's own pages go through the
// table in the test of Windows' tables.)
TEST(MemoizedCodePage, AnswersAsTheWrappedPageDoesAskingItOnceACharacter) {
    const std::u16string texts[] = {
        u"",
        u"a\u00E9\r\na",
        u"\u30A2a\u30A2\u01FA\u2460\uFEFF\U0001F600\uFFFFa\u00E9",
        u"aa\u00E9\u4E2D\u00E9",
        u"\u30A2\u30A2\U0001F601",
        u"a\xD83D" u"a",
        u"aaaaaaab",  // ASCII the page lacks, among ASCII it holds
        std::u16string(5000, u'\u00E9') + u"\u30A2" + std::u16string(5000, u'a') + u"\u03A9",
    };
    ScriptedPage reference = scripted();
    auto owned = std::make_unique<ScriptedPage>(scripted());
    ScriptedPage& wrapped = *owned;
    MemoizedCodePage memoized(std::move(owned));
    for (int time = 1; time <= 2; ++time)
        for (const std::u16string& text : texts)
            EXPECT_EQ(ask(memoized, text), ask(reference, text)) << "time " << time << ", text of " << text.size();
    for (const char32_t character : {u'a', u'\u00E9', u'\u30A2', u'\u01FA', u'\u4E2D', u'\u03A9'})
        EXPECT_EQ(wrapped.asked[character], 1) << "U+" << std::hex << static_cast<unsigned>(character);
}

} // namespace
} // namespace tovrin
