// Run by the build: compares what Windows writes (the reference under
// tests/codepages/windows/: its own tables, and the letters it spells
// decomposed) with the C library's converter, character by character, and
// writes as C++ what Windows writes where the C library writes something
// else or nothing.
//   generate_windows_differences REFERENCE_FOLDER OUTPUT.cpp
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

struct Difference {
    unsigned character;
    std::optional<std::string> bytes;  // none where the page has no place for it
};

std::string literal(const std::optional<std::string>& bytes) {
    if (!bytes)
        return "nullptr";
    std::string text = "\"";
    char hex[8];
    for (const char byte : *bytes) {
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(byte));
        text += hex;
    }
    return text + "\"";
}

std::string table(const std::string& name, const std::vector<Difference>& differences) {
    std::string text = "constexpr std::array<CodePageDifference, " + std::to_string(differences.size()) + "> " + name + "{{\n";
    char character[16];
    for (const Difference& difference : differences) {
        std::snprintf(character, sizeof character, "0x%04X", difference.character);
        text += std::string("    {") + character + ", " + literal(difference.bytes) + "},\n";
    }
    return text + "}};\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: generate_windows_differences REFERENCE_FOLDER OUTPUT.cpp\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::ifstream decompositionsFile(folder + "/" + DecompositionsFileName);
    if (!decompositionsFile) {
        std::cerr << "cannot read " << DecompositionsFileName << " in " << folder << "\n";
        return 1;
    }
    const Decompositions decompositions = parseDecompositions(decompositionsFile);
    std::string tables;
    std::string cases;
    for (const unsigned page : ReferencePages) {
        std::ifstream file(folder + "/" + referenceFileName(page));
        if (!file) {
            std::cerr << "cannot read the reference of " << page << " in " << folder << "\n";
            return 1;
        }
        const ReferenceTable windowsTable = parseReferenceTable(file);
        Iconv toPage("CP" + std::to_string(page), NativeUtf16);
        std::vector<Difference> lacking, replaced;
        for (unsigned character = 0; character < CharactersInPlane; ++character) {
            if (character >= 0xD800 && character < 0xE000)
                continue;
            const std::optional<std::string> glibc = toPage(utf16(character));
            const auto decomposed = decompositions.find({page, character});
            const std::optional<std::string> windows =
                windowsTable[character]         ? std::optional(bytesOfCode(*windowsTable[character]))
                : decomposed != decompositions.end() ? std::optional(decomposed->second)
                                                     : std::nullopt;
            if (windows && !glibc)
                lacking.push_back({character, windows});
            else if (glibc && windows != glibc)
                replaced.push_back({character, windows});
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
    return out.good() ? 0 : 1;
}
