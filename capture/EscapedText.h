#pragma once

#include "platform/textfile/TextFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varrow
{

// A text as it reads with some of its bytes written as longer strings, without a copy of it: a
// long page and its escaped form need not both be held. Views the source, which must outlive it.
class EscapedText
{
public:
    // For each byte, the string that stands for it; empty: the byte stands as it is.
    using Replacements = std::array<std::string_view, 256>;

    // The source as it is.
    explicit EscapedText(std::string_view source);
    // `replacements` must outlive the text.
    EscapedText(std::string_view source, const Replacements& replacements);

    std::size_t sourceLength() const { return m_source.size(); }
    // Counted each time: a reader passes as many bytes over the whole text.
    std::size_t length() const;

    // Reads the escaped text from its start to its end, handing on some spans and passing over
    // others.
    class Reader
    {
    public:
        explicit Reader(const EscapedText& text) : m_text(text) {}

        // Hands the text from where the reader stands up to `end`, or to its end when that comes
        // first, to `sink`, in pieces.
        void readTo(std::size_t end, const TextPieceSink& sink);
        // How much of the escaped text the reader has passed.
        std::size_t position() const { return m_position; }
        // Passes over the text up to `end`.
        void skipTo(std::size_t end);

    private:
        // Moves to `end`, writing what it passes from `out` on unless that is null.
        void advance(std::size_t end, char* out);

        const EscapedText& m_text;
        std::string m_chunk;        // room for what readTo hands on next
        std::size_t m_at = 0;       // in the source
        std::size_t m_into = 0;     // how much of the replacement of the byte at m_at is passed
        std::size_t m_position = 0; // in the escaped text
    };

private:
    // The first place from `at` on, before `limit`, of a byte that has a replacement; else limit,
    // or the end of the source if that comes first.
    std::size_t endOfRun(std::size_t at, std::size_t limit) const;

    std::string_view m_source;
    const Replacements& m_replacements;
    std::array<bool, 256> m_replaced{}; // whether the byte has a replacement
    // When at most kFewReplaced byte values have a replacement: those, the first one again in the
    // places left over, so that runs are sought many bytes at a time.
    static constexpr std::size_t kFewReplaced = 3;
    std::array<unsigned char, kFewReplaced> m_fewReplaced{};
    std::size_t m_replacedCount = 0;
    std::size_t m_longestReplacement = 1; // how long one byte of the source becomes at most
};

} // namespace varrow
