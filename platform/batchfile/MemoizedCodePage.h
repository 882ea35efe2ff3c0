#pragma once

#include "platform/batchfile/CodePage.h"

#include <array>
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
// The table grows by 256 characters at a time, 1 KB each, as characters
// of those ranges appear: 256 KB at most.
class MemoizedCodePage : public CodePage {
public:
    explicit MemoizedCodePage(std::unique_ptr<CodePage> wrapped);

    std::string name() const override;
    std::optional<std::size_t> convert(std::u16string_view text, std::string& bytes) override;

    // An answer: its byte count in the low byte, the bytes above it.
    using Answer = std::uint32_t;

private:
    using Range = std::array<Answer, 256>;

    // Every range starts as this one, never written: reading a character
    // not yet asked needs no test for a missing range.
    static const Range NothingAskedYet;

    Answer answerFor(char16_t unit) const { return (*ranges_[unit >> 8])[unit & 0xFF]; }
    Answer learn(char16_t unit);
    std::size_t copyOneByteAnswers(std::u16string_view text, std::size_t from, char* bytes, std::size_t& end) const;

    std::unique_ptr<CodePage> wrapped_;
    // A range of 256 characters, each as the wrapped page answered it; the
    // ranges with nothing learnt yet share one of unasked characters.
    std::array<const Range*, 256> ranges_;
    std::array<std::unique_ptr<Range>, 256> learnt_;
};

} // namespace tovrin
