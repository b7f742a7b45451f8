#include "capture/NameMatcher.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace varrow
{
namespace
{

using Matches = std::set<std::pair<std::size_t, std::size_t>>;

Matches naiveMatches(const std::vector<std::string_view>& names, std::string_view text)
{
    Matches found;
    for (std::size_t name = 0; name < names.size(); ++name)
        for (std::size_t at = text.find(names[name]); at != std::string_view::npos;
             at = text.find(names[name], at + 1))
            found.insert({name, at});
    return found;
}

TEST(NameMatcher, FindsEveryOccurrenceIncludingOverlappingOnes)
{
    std::mt19937 random(5);
    for (int round = 0; round < 500; ++round) {
        std::set<std::string> unique;
        for (int i = 1 + static_cast<int>(random() % 8); i > 0; --i)
            unique.insert(std::string(1 + random() % 4, 'a') + (random() % 2 ? "b" : ""));
        std::vector<std::string> storage(unique.begin(), unique.end());
        std::vector<std::string_view> names(storage.begin(), storage.end());
        std::string text;
        for (int i = 0; i < 60; ++i)
            text += "ab."[random() % 3];
        Matches found;
        NameMatcher(names).forEachMatch(text, [&](std::size_t name, std::size_t start) {
            found.insert({name, start});
        });
        ASSERT_EQ(found, naiveMatches(names, text)) << text;
    }
}

TEST(NameMatcher, HandlesEveryByteValue)
{
    const std::string name("\0\xff", 2);
    const std::vector<std::string_view> names{name};
    std::size_t count = 0;
    NameMatcher(names).forEachMatch(std::string("x\0\xff\0\xff", 5),
                                    [&](std::size_t, std::size_t) { ++count; });
    EXPECT_EQ(count, 2u);
}

} // namespace
} // namespace varrow
