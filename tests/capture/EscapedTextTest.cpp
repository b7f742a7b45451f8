#include "capture/EscapedText.h"

#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

std::string escapedNaively(std::string_view source, const EscapedText::Replacements& replacements)
{
    std::string text;
    for (const char c : source) {
        const std::string_view replacement = replacements[static_cast<unsigned char>(c)];
        if (replacement.empty())
            text += c;
        else
            text += replacement;
    }
    return text;
}

// No byte, one, three and four bytes replaced (runs are sought sixteen bytes at a time up to
// three), over text where runs of every length up to several blocks end at every place of a block
// and at the end of the text: a reader that reads it all, one that hands on some stretches and
// passes over others, and one that reads on to the end give the text escaped byte by byte.
TEST(EscapedText, SpansAndReaderGiveTheTextEscapedByteByByte)
{
    std::mt19937 random(23);
    const std::vector<std::string_view> replacedSets{"", "<", "<\r\n", "<\r\n&"};
    for (const std::string_view replaced : replacedSets) {
        EscapedText::Replacements replacements{};
        for (const char c : replaced)
            replacements[static_cast<unsigned char>(c)] = c == '<' ? "&lt;" : "<BR>";
        for (int round = 0; round < 600; ++round) {
            // One byte in `spread` may be replaced: runs are short or long.
            const auto spread = 2 + random() % 60;
            std::string source;
            for (std::size_t length = random() % 120; length > 0; --length)
                source += random() % spread ? 'a' + static_cast<char>(random() % 3)
                                            : "<\r\n&"[random() % 4];
            const std::string expected = escapedNaively(source, replacements);
            const EscapedText text(source, replacements);
            ASSERT_EQ(text.length(), expected.size());

            std::string whole;
            EscapedText::Reader(text).readTo(expected.size(),
                                             [&](std::string_view piece) { whole += piece; });
            ASSERT_EQ(whole, expected) << source;

            std::string read, kept;
            EscapedText::Reader reader(text);
            for (std::size_t at = 0; at < expected.size();) {
                const std::size_t end = std::min(expected.size(), at + 1 + random() % 9);
                if (random() % 2) {
                    reader.readTo(end, [&](std::string_view piece) { read += piece; });
                    kept += expected.substr(at, end - at);
                } else {
                    reader.skipTo(end);
                }
                at = end;
            }
            ASSERT_EQ(read, kept) << source;

            // Asked for more than there is, a reader hands on the rest and stops at the end.
            EscapedText::Reader toTheEnd(text);
            const std::size_t skipped = random() % (expected.size() + 1);
            toTheEnd.skipTo(skipped);
            std::string rest;
            toTheEnd.readTo(std::string_view::npos, [&](std::string_view piece) { rest += piece; });
            ASSERT_EQ(rest, expected.substr(skipped)) << source;
            ASSERT_EQ(toTheEnd.position(), expected.size());
        }
    }
}

} // namespace
} // namespace varrow
