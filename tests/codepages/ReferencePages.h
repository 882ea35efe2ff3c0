#pragma once

// What Windows writes, as kept in the files under windows/ beside this
// header (see README.md): its own table of each code page for every
// character of the Basic Multilingual Plane, and the letters the tables
// refuse that the program spells decomposed. Read by the tests and by the
// build, which takes from them where the C library's converter parts.

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovrin::testing {

// The ANSI code pages Windows gives a language.
constexpr unsigned ReferencePages[] = {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

constexpr unsigned CharactersInPlane = 0x10000;

// A character's bytes as one number: a byte, or lead byte * 256 + trail
// byte (every lead byte of these pages is 0x81 or above); none where the
// page has no place for the character.
using ReferenceTable = std::vector<std::optional<unsigned>>;

inline std::string referenceFileName(unsigned codePage) {
    return "cp" + std::to_string(codePage) + ".txt";
}

inline std::string bytesOfCode(unsigned code) {
    return code > 0xFF ? std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}
                       : std::string(1, static_cast<char>(code));
}

inline std::string hexCode(unsigned code) {
    char text[8];
    std::snprintf(text, sizeof text, code > 0xFF ? "%04X" : "%02X", code);
    return text;
}

// Bytes as the files write them: "54 69 EA".
inline std::string spacedHex(const std::string& bytes) {
    std::string text;
    for (const char byte : bytes)
        text += (text.empty() ? "" : " ") + hexCode(static_cast<unsigned char>(byte));
    return text;
}

// One line a block of 256 characters that holds any, "XXXX:" followed by
// tokens for the block's characters in order: a code in hex ("41", "8340"),
// "CODE*N" for N characters with consecutive codes, "-N" for N characters
// the page has no place for.
inline std::string formatReferenceTable(const ReferenceTable& table) {
    std::string text;
    for (unsigned block = 0; block < table.size(); block += 256) {
        std::string line = hexCode(block >> 8) + hexCode(block & 0xFF) + ":";
        bool holdsAny = false;
        for (unsigned character = block; character < block + 256;) {
            unsigned run = 1;
            if (!table[character]) {
                while (character + run < block + 256 && !table[character + run])
                    ++run;
                line += " -" + std::to_string(run);
            } else {
                holdsAny = true;
                const unsigned code = *table[character];
                while (character + run < block + 256 && table[character + run] == code + run)
                    ++run;
                line += " " + hexCode(code) + (run > 1 ? "*" + std::to_string(run) : "");
            }
            character += run;
        }
        if (holdsAny)
            text += line + "\n";
    }
    return text;
}

inline ReferenceTable parseReferenceTable(std::istream& in) {
    ReferenceTable table(CharactersInPlane);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream tokens(line);
        std::string token;
        tokens >> token;
        unsigned character = std::stoul(token, nullptr, 16);
        while (tokens >> token) {
            const std::size_t star = token.find('*');
            if (token[0] == '-') {
                character += std::stoul(token.substr(1));
                continue;
            }
            const unsigned code = std::stoul(token.substr(0, star), nullptr, 16);
            const unsigned run = star == std::string::npos ? 1 : std::stoul(token.substr(star + 1));
            for (unsigned i = 0; i < run; ++i)
                table.at(character++) = code + i;
        }
    }
    return table;
}

// The decomposed letters, one a line: "PAGE XXXX: HH HH ...", the page,
// the character and its bytes.
inline const std::string DecompositionsFileName = "decompositions.txt";
using Decompositions = std::map<std::pair<unsigned, char16_t>, std::string>;

inline Decompositions parseDecompositions(std::istream& in) {
    Decompositions decompositions;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        unsigned page = 0, character = 0, byte = 0;
        fields >> page >> std::hex >> character;
        fields.ignore(1);
        std::string& bytes = decompositions[{page, static_cast<char16_t>(character)}];
        while (fields >> byte)
            bytes += static_cast<char>(byte);
    }
    return decompositions;
}

} // namespace tovrin::testing
