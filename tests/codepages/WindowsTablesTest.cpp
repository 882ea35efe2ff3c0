#include "batchfile/CodePage.h"
#include "batchfile/MemoizedCodePage.h"
#include "tests/codepages/ReferencePages.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tovrin {
namespace {

using namespace testing;

// Windows' own tables (see README.md beside this test) through this
// platform's code pages, as Generate asks them (through the memo of their
// answers): the same bytes for every character of the Basic Multilingual
// Plane, or the same refusal. The one extension: the listed
// letters a page holds only decomposed are written as base letter and marks.

std::ifstream referenceFile(const std::string& name) {
    std::ifstream file(std::string(TOVRIN_CODE_PAGE_REFERENCE) + "/" + name);
    EXPECT_TRUE(file) << "cannot read " << name;
    return file;
}

const std::string RefusedAtStart = "refused at 0";

// The bytes of text in hex, or where the code page refused it.
std::string written(CodePage& codePage, std::u16string_view text) {
    std::string bytes;
    if (const std::optional<std::size_t> refused = codePage.convert(text, bytes))
        return "refused at " + std::to_string(*refused);
    return spacedHex(bytes);
}

TEST(WindowsTables, EveryCharacterIsWrittenAsWindowsWritesItOrRefusedAsWindowsRefusesIt) {
    std::ifstream list = referenceFile("windows/" + DecompositionsFileName);
    const Decompositions decompositions = parseDecompositions(list);
    ASSERT_EQ(decompositions.size(), 213u);
    for (const unsigned page : ReferencePages) {
        std::ifstream file = referenceFile("windows/" + referenceFileName(page));
        const ReferenceTable windows = parseReferenceTable(file);
        MemoizedCodePage codePage(openCodePage(page));
        int mismatches = 0;
        for (unsigned character = 0; character < CharactersInPlane && mismatches < 5; ++character) {
            if (character >= 0xD800 && character < 0xE000)
                continue;  // halves of pairs never reach a code page
            const char16_t unit = static_cast<char16_t>(character);
            const auto decomposed = decompositions.find({page, unit});
            const std::string expected = decomposed != decompositions.end() ? spacedHex(decomposed->second)
                                         : windows[character] ? spacedHex(bytesOfCode(*windows[character]))
                                                              : RefusedAtStart;
            const std::string actual = written(codePage, std::u16string_view(&unit, 1));
            if (actual != expected) {
                ++mismatches;
                ADD_FAILURE() << "U+" << std::hex << character << " in " << std::dec << page << ": " << actual
                              << " instead of " << expected;
            }
        }
    }
}

// Whole texts, where characters the C library handles on its own road meet
// those it is told about. The page itself: the memo asks it a character at
// a time.
TEST(WindowsTables, TextsMixingBothRoadsAreWrittenWhole) {
    const struct {
        unsigned page;
        std::u16string text;
        std::string written;
    } rows[] = {
        {1258, u"Ti\u1EBFng Vi\u1EC7t", "54 69 EA EC 6E 67 20 56 69 EA F2 74"},
        {1252, u"a\u0081b\u20AC", "61 81 62 80"},
        {950, u"\u4E00\uE000\u2550x\u2550\uE001", "A4 40 FA 40 F9 F9 78 F9 F9 FA 41"},
        {932, u"C:\\\u30A2\u00E9", "refused at 4"},
        {932, u"%\u203Edp0", "refused at 1"},
        {1255, u"\u05E9\uFB2A\u05B0\u00E9", "refused at 3"},
        {1251, u"\u041F\u0440\u0438\u0432\u0435\u0442", "CF F0 E8 E2 E5 F2"},
    };
    for (const auto& row : rows) {
        const auto codePage = openCodePage(row.page);
        EXPECT_EQ(written(*codePage, row.text), row.written) << "in " << row.page;
    }
}

} // namespace
} // namespace tovrin
