#include "batchfile/BatchFileWriter.h"

#include "batchfile/BatchFileEncoder.h"
#include "batchfile/MemoizedCodePage.h"
#include "batchfile/WriteFailure.h"

#include <optional>

namespace tovrin {

namespace {

// What a character is when it has no place in any file name: one that
// ends a line or starts another in the confirmation and the Save dialog,
// or one that makes them show the name in another order than it has.
std::optional<std::string> kindOfForbidden(char32_t character) {
    if (character < 0x20 || (character >= 0x7F && character <= 0x9F))
        return "the control character";
    if (character == 0x2028 || character == 0x2029)
        return "the line break";
    if ((character >= 0x202A && character <= 0x202E) || (character >= 0x2066 && character <= 0x2069))
        return "the bidirectional formatting character";
    return std::nullopt;
}

// The characters of a UTF-8 name; a byte that starts no well-formed
// sequence is read as U+FFFD, as a system reading the name would show it.
template <typename Visit>
void forEachCharacter(const std::string& utf8, Visit visit) {
    constexpr char32_t Replacement = 0xFFFD;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        // A continuation byte (length 0) never completes a sequence.
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t character = length == 1 ? lead : lead & (0x7F >> length);
        std::size_t next = at + 1;
        for (; next < at + length && next < utf8.size() && (utf8[next] & 0xC0) == 0x80; ++next)
            character = (character << 6) | (utf8[next] & 0x3F);
        if (next != at + length) {
            character = Replacement;
            next = at + 1;
        }
        visit(character, at, next);
        at = next;
    }
}

} // namespace

void generateBatchFile(const std::string& path, const TextInPieces& text) {
    checkFileName(path);
    MemoizedCodePage codePage(openCodePage(systemCodePage()));
    const auto file = openBatchFile(path);
    writeBatchFile(path, text, codePage, *file);
}

void writeBatchFile(const std::string& path, const TextInPieces& text, CodePage& codePage, ByteSink& file) {
    BatchFileEncoder encoder(codePage, file);
    const auto refuse = [&](const std::optional<UnencodableCharacter>& character) {
        if (character)
            throw writeFailure(path, refusal(*character, codePage.name()));
    };
    text([&](std::u16string_view piece) { refuse(encoder.encode(piece)); });
    refuse(encoder.finish());
    file.commit();
}

void checkFileName(const std::string& path) {
    // The message shows the name with each such character by its number,
    // since shown as itself it would break or reverse the message too.
    std::string shown;
    std::optional<std::string> firstRefusal;
    std::size_t copiedUpTo = 0;
    forEachCharacter(path, [&](char32_t character, std::size_t at, std::size_t next) {
        const auto kind = kindOfForbidden(character);
        if (!kind)
            return;
        shown += path.substr(copiedUpTo, at - copiedUpTo) + "<" + codePointName(character) + ">";
        copiedUpTo = next;
        if (!firstRefusal)
            firstRefusal = "the name holds " + *kind + " " + codePointName(character) +
                           ", which has no place in a file name. Nothing was written.";
    });
    if (firstRefusal)
        throw writeFailure(shown + path.substr(copiedUpTo), *firstRefusal);
}

} // namespace tovrin
