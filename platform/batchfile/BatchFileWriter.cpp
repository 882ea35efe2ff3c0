#include "platform/batchfile/BatchFileWriter.h"

#include "platform/batchfile/BatchFileEncoder.h"
#include "platform/batchfile/WriteFailure.h"

namespace tovrin {

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

} // namespace tovrin
