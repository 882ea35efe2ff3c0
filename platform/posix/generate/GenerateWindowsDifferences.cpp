// Run by the build: compares Windows' own conversion tables (the reference
// under tests/codepages/windows/) with the C library's converter, character
// by character, and writes as C++ what Windows writes where the C library
// writes something else or nothing. Given a third name, also lists there
// the letters the C library writes decomposed where Windows has no place
// for them whole (the tests' list of them).
//   generate_windows_differences REFERENCE_FOLDER OUTPUT.cpp [DECOMPOSITIONS.txt]
#include "tests/codepages/ReferencePages.h"

#include <bit>
#include <cstdio>
#include <fstream>
#include <iconv.h>
#include <iostream>

namespace {

using namespace tovrin::testing;

constexpr const char* NativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// What iconv does with text, in either direction: its output, or nothing
// when it refuses.
class Iconv {
public:
    Iconv(const std::string& to, const std::string& from) : handle_(iconv_open(to.c_str(), from.c_str())) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert from " + from + " to " + to);
    }
    ~Iconv() { iconv_close(handle_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    std::optional<std::string> operator()(std::string input) {
        char* in = input.data();
        std::size_t inLeft = input.size();
        char out[64];
        char* next = out;
        std::size_t outLeft = sizeof out;
        const bool refused = iconv(handle_, &in, &inLeft, &next, &outLeft) == static_cast<std::size_t>(-1);
        iconv(handle_, nullptr, nullptr, &next, &outLeft);
        if (refused)
            return std::nullopt;
        return std::string(out, next);
    }

private:
    iconv_t handle_;
};

std::string utf16(unsigned character) {
    const char16_t unit = static_cast<char16_t>(character);
    return std::string(reinterpret_cast<const char*>(&unit), sizeof unit);
}

// How many of the page's characters bytes spell: a byte the page holds as
// a character of its own is one, any other starts a pair.
std::size_t charactersIn(const std::string& bytes, const ReferenceTable& windows) {
    std::vector<bool> singleByte(256);
    for (const std::optional<unsigned>& code : windows)
        if (code && *code <= 0xFF)
            singleByte[*code] = true;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < bytes.size(); i += singleByte[static_cast<unsigned char>(bytes[i])] ? 1 : 2)
        ++characters;
    return characters;
}

struct Difference {
    unsigned character;
    int code;  // -1 where the page has no place for it
};

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::string entries(const std::vector<Difference>& differences) {
    std::string text;
    for (const Difference& difference : differences)
        text += "    {0x" + hex(difference.character) + ", " + std::to_string(difference.code) + "},\n";
    return text;
}

std::string hexBytes(const std::string& bytes) {
    std::string text;
    for (const char byte : bytes)
        text += " " + hex(static_cast<unsigned char>(byte)).substr(2);
    return text;
}

std::string table(const std::string& name, const std::vector<Difference>& differences) {
    return "constexpr std::array<CodePageDifference, " + std::to_string(differences.size()) + "> " + name + "{{\n" +
           entries(differences) + "}};\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: generate_windows_differences REFERENCE_FOLDER OUTPUT.cpp [DECOMPOSITIONS.txt]\n";
        return 2;
    }
    std::string tables;
    std::string cases;
    std::string decompositions;
    for (const unsigned page : ReferencePages) {
        std::ifstream file(std::string(argv[1]) + "/" + referenceFileName(page));
        if (!file) {
            std::cerr << "cannot read the reference table of " << page << "\n";
            return 1;
        }
        const ReferenceTable windows = parseReferenceTable(file);
        Iconv toPage("CP" + std::to_string(page), NativeUtf16);
        std::vector<Difference> lacking, replaced;
        for (unsigned character = 0; character < CharactersInPlane; ++character) {
            if (character >= 0xD800 && character < 0xE000)
                continue;
            const std::optional<std::string> glibc = toPage(utf16(character));
            const std::optional<unsigned> code = windows[character];
            if (code && !glibc)
                lacking.push_back({character, static_cast<int>(*code)});
            else if (code && *glibc != bytesOfCode(*code))
                replaced.push_back({character, static_cast<int>(*code)});
            // A spelling of several characters is the letter decomposed, which
            // both platforms write; a single other character is a look-alike.
            else if (!code && glibc && charactersIn(*glibc, windows) < 2)
                replaced.push_back({character, -1});
            else if (!code && glibc)
                decompositions += std::to_string(page) + " " + hex(character) + ":" + hexBytes(*glibc) + "\n";
        }
        const std::string name = std::to_string(page);
        tables += table("Lacking" + name, lacking) + table("Replaced" + name, replaced);
        cases += "    case " + name + ": return {Lacking" + name + ", Replaced" + name + "};\n";
    }
    std::ofstream out(argv[2]);
    out << "// Generated by the build from Windows' own tables (tests/codepages/windows/,\n"
           "// see the README there) and the C library's converter. Do not edit.\n"
           "#include \"platform/posix/WindowsDifferences.h\"\n\n"
           "namespace tovrin {\n\nnamespace {\n\n"
        << tables << "\n} // namespace\n\n"
        << "CodePageDifferences windowsDifferences(unsigned codePage) {\n    switch (codePage) {\n"
        << cases << "    default: return {};\n    }\n}\n\n} // namespace tovrin\n";
    if (argc == 4) {
        std::ofstream list(argv[3]);
        list << "# What glibc's iconv writes for the letters it spells decomposed where Windows has no place\n"
                "# for them whole: page, character, bytes (see README.md).\n"
             << decompositions;
        if (!list.good())
            return 1;
    }
    return out.good() ? 0 : 1;
}
