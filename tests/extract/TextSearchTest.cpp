#include "extract/TextSearch.h"

#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

// Folds each ASCII letter of both and searches exactly: what findNoCase must give.
std::size_t naiveFindNoCase(std::string_view haystack, std::string_view needle, std::size_t from)
{
    std::string text(haystack), pattern(needle);
    for (char& c : text)
        c = asciiLower(c);
    for (char& c : pattern)
        c = asciiLower(c);
    return from > text.size() ? npos : text.find(pattern, from);
}

// Needles of letters only, and needles whose first byte without case is at their start, inside
// them or at their end; over text with both cases, those bytes and bytes beyond ASCII, short and
// long enough to be searched sixteen places at a time, with the needle at any place of a block.
TEST(FindNoCase, FindsWhatAFoldedSearchFinds)
{
    std::mt19937 random(17);
    const std::string_view alphabet = "aAbB<-=./\xC3\xA4\xC4 iImMgGsSrRcC`@";
    auto drawn = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        return text;
    };
    for (const std::string_view needle :
         {"a", "ab", "aBa", "<a", "<ab", "a<b", "ab-", "b=", "-", "\xC3\xA4", "a\xC4", ".bA", "<a ",
          "<img", "src=", "Ab\xC4", "`A", "@b"}) {
        // At the end of a haystack of every length up to several blocks.
        for (std::size_t before = 0; before < 70; ++before) {
            const std::string haystack = std::string(before, 'x') + std::string(needle);
            ASSERT_EQ(findNoCase(haystack, needle), before) << needle << " after " << before;
        }
        for (int round = 0; round < 400; ++round) {
            const std::string haystack = drawn(random() % (round % 2 ? 40 : 120));
            const std::size_t from = random() % (haystack.size() + 2);
            ASSERT_EQ(findNoCase(haystack, needle, from), naiveFindNoCase(haystack, needle, from))
                << needle << " in " << haystack << " from " << from;
        }
    }
}

} // namespace
} // namespace varrow
