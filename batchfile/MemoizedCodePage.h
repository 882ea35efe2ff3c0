#pragma once

#include "batchfile/CodePage.h"

#include <cstdint>
#include <memory>

namespace tovrin {

// A code page that remembers what another one answered. Each character of
// the basic plane is asked of the wrapped page once, alone, and its bytes
// (or its refusal) are then copied from a table: a text of millions of
// characters costs as many table look-ups, not as many conversions. The
// wrapped page stays the one source of every mapping; characters beyond
// the basic plane, and answers longer than a table entry holds, are passed
// to it every time.
//
// The table holds an entry for every character of the basic plane, 256 KB.
class MemoizedCodePage : public CodePage {
public:
    explicit MemoizedCodePage(std::unique_ptr<CodePage> wrapped);

    std::string name() const override;
    std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) override;
    std::size_t copyOneByteCharacters(std::u16string_view text, char* out) override;

private:
    // An answer: its byte count in the low byte, the bytes above it.
    using Answer = std::uint32_t;

    Answer learn(char16_t unit);
    std::size_t copyEightAtATime(std::u16string_view text, char* out) const;

    std::unique_ptr<CodePage> wrapped_;
    std::unique_ptr<Answer[]> answers_; // by code unit, all NotAskedYet at first
    bool asciiIsItself_ = true;          // as in every Windows code page
};

} // namespace tovrin
