#include "platform/batchfile/BatchFileWriter.h"

#include "platform/batchfile/BatchFileEncoder.h"
#include "platform/batchfile/WriteFailure.h"

#include <algorithm>

namespace tovrin {

void generateBatchFile(const std::string& path, const TextInPieces& text) {
    checkFileName(path);
    const auto codePage = openCodePage(systemCodePage());
    const auto file = openBatchFile(path);
    writeBatchFile(path, text, *codePage, *file);
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
    const auto isControl = [](char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; };
    if (std::any_of(path.begin(), path.end(), isControl))
        throw writeFailure(path, "the name holds a control character, such as a line break, which has no place in "
                                 "a file name. Nothing was written.");
}

} // namespace tovrin
