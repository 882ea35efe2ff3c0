#include "batchfile/MemoizedCodePage.h"

#include "batchfile/Surrogates.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tovrin {

namespace {

using Answer = std::uint32_t;

constexpr Answer NotAskedYet = 0;
constexpr Answer Refused = 0xFF;
// No bytes, or more than an entry holds: the wrapped page is asked every time.
constexpr Answer AskEveryTime = 0xFE;
constexpr std::size_t MostBytesKept = 3;

constexpr bool isOneByte(Answer answer) { return (answer & ~Answer{0xFF00}) == 1; }

constexpr std::size_t CodeUnits = 0x10000;

} // namespace

// Line breaks are never copied as a run of one-byte characters: the text
// around them decides what they become.
MemoizedCodePage::MemoizedCodePage(std::unique_ptr<CodePage> wrapped)
    : wrapped_(std::move(wrapped)), answers_(std::make_unique<Answer[]>(CodeUnits)) {
    for (const char16_t lineBreak : {u'\r', u'\n', u'\u2028', u'\u2029'})
        answers_[lineBreak] = AskEveryTime;
    // Whether ASCII may be copied without looking at the table.
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        if (answers_[unit] == NotAskedYet && learn(unit) != (Answer{unit} << 8 | 1))
            asciiIsItself_ = false;
    }
}

std::string MemoizedCodePage::name() const {
    return wrapped_->name();
}

MemoizedCodePage::Answer MemoizedCodePage::learn(char16_t unit) {
    std::string bytes;
    const char16_t character[1] = {unit};
    Answer answer = Refused;
    if (!wrapped_->convert({character, 1}, bytes)) {
        answer = bytes.empty() || bytes.size() > MostBytesKept ? AskEveryTime : static_cast<Answer>(bytes.size());
        for (std::size_t i = 0; answer != AskEveryTime && i < bytes.size(); ++i)
            answer |= Answer{static_cast<unsigned char>(bytes[i])} << (8 * (i + 1));
    }
    answers_[unit] = answer;
    return answer;
}

// Most characters take one byte: room for one a character is made at once,
// and a longer answer makes more.
std::optional<std::size_t> MemoizedCodePage::convert(std::u16string_view text, std::string& bytes) {
    std::size_t end = bytes.size();
    bytes.resize(end + text.size());
    const auto put = [&](std::string_view characterBytes, std::size_t next) {
        const std::size_t room = end + characterBytes.size() + (text.size() - next);
        if (bytes.size() < room)
            bytes.resize(room);
        end = std::copy(characterBytes.begin(), characterBytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(end)) -
              bytes.begin();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t copied = copyOneByteCharacters(text.substr(i), bytes.data() + end);
        end += copied;
        i += copied;
        if (i == text.size())
            break;
        const char16_t unit = text[i];
        const bool pair = isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
        // A pair is not its first half: that half alone may have been refused.
        Answer answer = pair ? NotAskedYet : answers_[unit];
        if (answer == NotAskedYet && !pair)
            answer = learn(unit);
        if (answer == Refused)
            return i;
        if (answer == NotAskedYet || answer == AskEveryTime) {
            const std::size_t length = pair ? 2 : 1;
            std::string asked;
            if (wrapped_->convert(text.substr(i, length), asked))
                return i;
            put(asked, i + length);
            i += length - 1;
        } else {
            const char kept[MostBytesKept] = {static_cast<char>(answer >> 8), static_cast<char>(answer >> 16),
                                              static_cast<char>(answer >> 24)};
            put({kept, answer & 0xFF}, i + 1);
        }
    }
    bytes.resize(end);
    return std::nullopt;
}

// The loop almost every character takes, kept apart so that nothing in it
// is read again from memory after each byte it writes. What it writes past
// the characters it counts is not theirs.
std::size_t MemoizedCodePage::copyOneByteCharacters(std::u16string_view text, char* out) {
    const Answer* const answers = answers_.get();
    std::size_t i = asciiIsItself_ ? copyEightAtATime(text, out) : 0;
    for (; i < text.size(); ++i) {
        const Answer answer = answers[text[i]];
        if (!isOneByte(answer))
            break;
        out[i] = static_cast<char>(answer >> 8);
    }
    return i;
}

// Where the processor can, eight units at once: ASCII is copied as it
// stands and only the other units are looked up. Stops before the eight
// that hold CR or LF, or a character of more than one byte, and before the
// last few, which the loop above takes.
std::size_t MemoizedCodePage::copyEightAtATime([[maybe_unused]] std::u16string_view text,
                                               [[maybe_unused]] char* out) const {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i aboveAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i cr = _mm_set1_epi16(u'\r');
    const __m128i lf = _mm_set1_epi16(u'\n');
    for (; i + 8 <= text.size(); i += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(units, cr), _mm_cmpeq_epi16(units, lf))) != 0)
            return i;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(units, units));
        // Two bits a unit, set for each one above ASCII; the lowest two are
        // cleared after each.
        auto others = static_cast<unsigned>(
            ~_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, aboveAscii), _mm_setzero_si128())) & 0xFFFF);
        for (; others != 0; others &= others - 1, others &= others - 1) {
            const auto lane = static_cast<std::size_t>(__builtin_ctz(others) / 2);
            const Answer answer = answers_[text[i + lane]];
            if (!isOneByte(answer))
                return i;
            out[i + lane] = static_cast<char>(answer >> 8);
        }
    }
#endif
    return i;
}

} // namespace tovrin
