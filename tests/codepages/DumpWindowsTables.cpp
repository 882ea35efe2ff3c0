// Writes Windows' own conversion tables, the letters this program's
// Windows code page writes decomposed, and the locales' code pages, as the
// reference data beside this file (see README.md): run under Wine,
//   wine dump_windows_tables.exe FOLDER
#include "batchfile/CodePage.h"
#include "tests/codepages/ReferencePages.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// What WideCharToMultiByte writes for one character: its code (one byte,
// or lead byte * 256 + trail byte), or nothing when it had to use the
// default character.
std::optional<unsigned> windowsBytes(unsigned codePage, wchar_t character) {
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &character, 1, bytes, sizeof bytes, nullptr,
                                           &usedDefault);
    if (length <= 0 || length > 2 || usedDefault)
        return std::nullopt;
    unsigned code = 0;
    for (int i = 0; i < length; ++i)
        code = code * 256 + static_cast<unsigned char>(bytes[i]);
    return code;
}

// The letters the page lacks whole but the program writes decomposed.
std::string decomposedLetters(unsigned codePage, const tovrin::testing::ReferenceTable& table) {
    const auto programsPage = tovrin::openCodePage(codePage);
    std::string lines;
    for (unsigned character = 0; character < table.size(); ++character) {
        const char16_t unit = static_cast<char16_t>(character);
        std::string bytes;
        if (table[character] || (character >= 0xD800 && character < 0xE000) ||
            programsPage->convert(std::u16string_view(&unit, 1), bytes))
            continue;
        char line[16];
        std::snprintf(line, sizeof line, "%u %04X: ", codePage, character);
        lines += line + tovrin::testing::spacedHex(bytes) + "\n";
    }
    return lines;
}

bool writePage(const std::string& folder, unsigned codePage, std::string& decompositions) {
    std::vector<std::optional<unsigned>> table(tovrin::testing::CharactersInPlane);
    for (unsigned character = 0; character < table.size(); ++character)
        table[character] = windowsBytes(codePage, static_cast<wchar_t>(character));
    const std::string path = folder + "/" + tovrin::testing::referenceFileName(codePage);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fprintf(file, "# WideCharToMultiByte(%u, WC_NO_BEST_FIT_CHARS, ...) for every BMP character; see README.md.\n",
                 codePage);
    std::fputs(tovrin::testing::formatReferenceTable(table).c_str(), file);
    decompositions += decomposedLetters(codePage, table);
    return std::fclose(file) == 0;
}

BOOL CALLBACK writeLocale(LPWSTR name, DWORD, LPARAM file) {
    wchar_t codePage[16];
    char narrowName[LOCALE_NAME_MAX_LENGTH * 2];
    if (name[0] != L'\0' && GetLocaleInfoEx(name, LOCALE_IDEFAULTANSICODEPAGE, codePage, 16) > 0 &&
        WideCharToMultiByte(CP_UTF8, 0, name, -1, narrowName, sizeof narrowName, nullptr, nullptr) > 0)
        std::fprintf(reinterpret_cast<FILE*>(file), "%s %ls\n", narrowName, codePage);
    return TRUE;
}

bool writeLocales(const std::string& folder) {
    FILE* file = std::fopen((folder + "/locales.txt").c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fputs("# Each locale EnumSystemLocalesEx lists, with GetLocaleInfoEx(LOCALE_IDEFAULTANSICODEPAGE); see README.md.\n",
               file);
    EnumSystemLocalesEx(writeLocale, LOCALE_WINDOWS, reinterpret_cast<LPARAM>(file), nullptr);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: dump_windows_tables FOLDER\n", stderr);
        return 2;
    }
    std::string decompositions =
        "# The letters the tables refuse that the program writes decomposed: page, character, bytes; see README.md.\n";
    for (unsigned codePage : tovrin::testing::ReferencePages)
        if (!writePage(argv[1], codePage, decompositions)) {
            std::fprintf(stderr, "could not write the table of %u\n", codePage);
            return 1;
        }
    FILE* file = std::fopen((std::string(argv[1]) + "/decompositions.txt").c_str(), "wb");
    if (file == nullptr || std::fputs(decompositions.c_str(), file) < 0 || std::fclose(file) != 0) {
        std::fputs("could not write the decompositions\n", stderr);
        return 1;
    }
    if (!writeLocales(argv[1])) {
        std::fputs("could not write the locales\n", stderr);
        return 1;
    }
    return 0;
}
