#include "capture/NameMatcher.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <unordered_map>

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

// The naive search for many names of few lengths: at each place, each length is looked up.
Matches matchesByLength(const std::vector<std::string_view>& names, std::string_view text)
{
    std::unordered_map<std::string_view, std::size_t> indexOf;
    std::set<std::size_t> lengths;
    for (std::size_t name = 0; name < names.size(); ++name) {
        indexOf.emplace(names[name], name);
        lengths.insert(names[name].size());
    }
    Matches found;
    for (std::size_t at = 0; at < text.size(); ++at)
        for (const std::size_t length : lengths)
            if (const auto hit = indexOf.find(text.substr(at, length)); hit != indexOf.end())
                found.insert({hit->second, at});
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

// Short names over a two-letter alphabet overlap and share failure links; long names over every
// byte value push the automaton past the budget of its full table.
TEST(NameMatcher, TrieWithFailureLinksFindsTheSameAsTheNaiveSearch)
{
    std::mt19937 random(11);
    std::set<std::string> unique;
    while (unique.size() < 300) {
        std::string name;
        for (std::size_t length = 1 + random() % 8; length > 0; --length)
            name += "ab"[random() % 2];
        unique.insert(name);
    }
    std::vector<std::string> longNames;
    for (int i = 0; i < 800; ++i) {
        std::string name;
        for (int length = 0; length < 130; ++length)
            name += static_cast<char>(random() % 256);
        longNames.push_back(name);
        unique.insert(name);
    }
    const std::vector<std::string> storage(unique.begin(), unique.end());
    const std::vector<std::string_view> names(storage.begin(), storage.end());
    const NameMatcher matcher(names);
    ASSERT_FALSE(matcher.hasFullTable());

    std::string text;
    while (text.size() < 20000) {
        const auto kind = random() % 10;
        if (kind == 0)
            text += longNames[random() % longNames.size()];
        else if (kind == 1)
            text += longNames[random() % longNames.size()].substr(0, 1 + random() % 129);
        else if (kind == 2)
            text += static_cast<char>(random() % 256);
        else
            text += "ab"[random() % 2];
    }
    Matches found;
    matcher.forEachMatch(text, [&](std::size_t name, std::size_t start) {
        found.insert({name, start});
    });
    EXPECT_EQ(found, naiveMatches(names, text));
    EXPECT_GT(found.size(), 1000u);
}

// Thousands of file names over a dozen bytes, as on a gallery page: only the shallow states get
// rows of the table, and a search goes in and out of the deep ones, where short names that end
// inside longer ones are found through the failure links.
TEST(NameMatcher, ManyFileNamesBeyondTheTableFindTheSameAsTheNaiveSearch)
{
    std::vector<std::string> storage{"g.jpg", "00.jp", "1.j", "-0"};
    for (int i = 0; i < 30000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "img-%06d.jpg", i * 7);
        storage.push_back(name);
    }
    const std::vector<std::string_view> names(storage.begin(), storage.end());
    const NameMatcher matcher(names);
    ASSERT_FALSE(matcher.hasFullTable());

    std::mt19937 random(3);
    std::string text;
    while (text.size() < 200000) {
        std::string piece = storage[random() % storage.size()];
        if (random() % 3 == 0)
            piece.resize(1 + random() % (piece.size() - 1)); // stops inside a deep state
        if (random() % 3 == 0)
            piece[random() % piece.size()] = "img-0123456789.jpg"[random() % 18];
        text += piece;
        if (random() % 2)
            text += " -/"[random() % 3];
    }
    const Matches expected = matchesByLength(names, text);

    Matches found;
    matcher.forEachMatch(text, [&](std::size_t name, std::size_t start) {
        found.insert({name, start});
    });
    EXPECT_EQ(found, expected);
    EXPECT_GT(found.size(), 10000u);
}

using Ordered = std::vector<std::pair<std::size_t, std::size_t>>;

// Each name's starts, in the order they were found.
std::map<std::size_t, std::vector<std::size_t>> startsByName(const Ordered& found)
{
    std::map<std::size_t, std::vector<std::size_t>> starts;
    for (const auto& [name, start] : found)
        starts[name].push_back(start);
    return starts;
}

// What a search finds in `text` handed over in pieces of random sizes up to `largest` bytes.
Ordered searchInPieces(const NameMatcher& matcher, std::string_view text, std::size_t largest)
{
    std::mt19937 random(static_cast<unsigned>(largest));
    Ordered found;
    NameMatcher::Search search(matcher);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length =
            std::min<std::size_t>(random() % (largest + 1), text.size() - at);
        search.feed(text.substr(at, length),
                    [&](std::size_t name, std::size_t start) { found.emplace_back(name, start); });
        at += length;
    }
    return found;
}

// A text handed over in pieces of any size, empty ones included, gives the occurrences of the
// whole text, each name's in text order: those that run across pieces too, also while the search
// stands in a state beyond the table, and those that run across the stretches that a long piece is
// followed in.
TEST(NameMatcher, SearchInPiecesFindsWhatTheWholeTextGives)
{
    std::vector<std::string> storage{"ab", "b", "abab", ".png.p"};
    for (int i = 0; i < 4000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "pic-%05d.png", i * 13);
        storage.push_back(name);
    }
    const std::vector<std::string_view> names(storage.begin(), storage.end());
    const NameMatcher matcher(names);
    ASSERT_FALSE(matcher.hasFullTable());

    std::mt19937 random(7);
    std::string text;
    while (text.size() < 400000) {
        std::string piece = storage[random() % storage.size()];
        if (random() % 3 == 0)
            piece.resize(1 + random() % piece.size());
        text += piece;
        if (random() % 2)
            text += " <ab"[random() % 4];
    }
    const Matches naive = matchesByLength(names, text);
    const auto expected = startsByName(Ordered(naive.begin(), naive.end()));
    ASSERT_GT(naive.size(), 20000u);

    const std::string_view view(text);
    for (const std::size_t largest :
         {std::size_t{1}, std::size_t{7}, std::size_t{5000}, std::size_t{9000}, std::size_t{100000},
          std::size_t{300000}, view.size()})
        EXPECT_EQ(startsByName(searchInPieces(matcher, view, largest)), expected)
            << "pieces of up to " << largest << " bytes";
}

// A name longer than a quarter of the text leaves it to one search; one just short enough is found
// where it runs across the stretches.
TEST(NameMatcher, LongNamesAcrossStretchesAreFound)
{
    struct Case {
        std::size_t nameLength;
        int copies;
    };
    for (const Case& test : {Case{40000, 5}, Case{40000, 2}, Case{90000, 3}}) {
        std::string longName(test.nameLength, 'x');
        longName.back() = 'y';
        const std::vector<std::string_view> names{longName, "xy", "q"};
        std::string text;
        for (int i = 0; i < test.copies; ++i)
            text += std::string(7000, 'q') + longName;
        Matches found;
        NameMatcher(names).forEachMatch(text, [&](std::size_t name, std::size_t start) {
            found.insert({name, start});
        });
        EXPECT_EQ(found, naiveMatches(names, text))
            << test.copies << " names of " << test.nameLength << " bytes";
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
