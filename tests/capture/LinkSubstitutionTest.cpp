#include "capture/LinkSubstitution.h"

#include "capture/SourcePage.h"
#include "extract/TextSearch.h"
#include "tests/reference/LiteralCapture.h"

#include <deque>
#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

constexpr std::size_t kUnlimited = std::string::npos;

// Words of 1 to `maxLength` characters drawn from `alphabet`.
auto wordsFrom(std::mt19937& random, std::string alphabet)
{
    return [&random, alphabet = std::move(alphabet)](std::size_t maxLength) {
        std::string w;
        for (std::size_t n = 1 + random() % maxLength; n > 0; --n)
            w += alphabet[random() % alphabet.size()];
        return w;
    };
}

TEST(SubstituteSequentially, LaterPassesReachIntoTheAddressesAndNamesOfEarlierLinks)
{
    const std::vector<Substitution> passes{{"x.jpg", "http://h/a.gif/x.jpg"},
                                           {"a.gif", "http://h/a.gif"}};
    EXPECT_EQ(SubstituteSequentially("x.jpg a.gif", passes, kUnlimited),
              "<a href='http://h/<a href=&#39;http://h/a.gif&#39;>a.gif</a>/x.jpg'>x.jpg</a> "
              "<a href='http://h/a.gif'>a.gif</a>");
    const std::vector<Substitution> twice{{"a.gif", "http://h/a.gif"}, {"a.gif", "http://k/"}};
    EXPECT_EQ(SubstituteSequentially("a.gif", twice, kUnlimited),
              "<a href='http://h/<a href=&#39;http://k/&#39;>a.gif</a>'><a "
              "href='http://k/'>a.gif</a></a>");
}

TEST(SubstituteSequentially, NamesNeverMatchTheCharactersOfALinkTag)
{
    const std::vector<Substitution> passes{
        {"x.gif", "http://h/x.gif"}, {"a", "http://h/a"}, {"href=", "h"}, {"'>", "h"}};
    EXPECT_EQ(SubstituteSequentially("x.gif", passes, kUnlimited),
              "<a href='http://h/x.gif'>x.gif</a>");
}

TEST(SubstituteSequentially, APassThatMakesTheTextTooLongFailsAndTheNextOnesStillRun)
{
    const std::vector<Substitution> passes{
        {"a", "http://h/long"}, {"b", "http://h/b"}, {"x", "http://h/x"}};
    // Each link is 29 characters long; "a a b" gives 5 + 2 * 28 for the first pass alone.
    EXPECT_EQ(SubstituteSequentially("a a b", passes, 60), "a a <a href='http://h/b'>b</a>");
}

TEST(SubstituteSequentially, EqualsTheLiteralPassesOnRandomText)
{
    std::mt19937 random(11);
    const auto word = wordsFrom(random, "ab.<'>/ &#39;");
    for (int round = 0; round < 3000; ++round) {
        std::deque<std::string> strings; // keeps each string in place for the views
        std::vector<Substitution> passes;
        for (int i = static_cast<int>(random() % 7); i > 0; --i) {
            const std::string& name = strings.emplace_back(word(3));
            passes.push_back({name, strings.emplace_back(word(4) + name + word(2))});
        }
        const std::string text = word(40);
        // Some rounds let passes fail for making the text too long.
        const std::size_t maxLength = round % 2 ? kUnlimited : text.size() + random() % 300;
        ASSERT_EQ(SubstituteSequentially(text, passes, maxLength),
                  literal::substitution(text, passes, maxLength))
            << text;
    }
}

// Names longer than a machine word, taken from the text so that they match, often overlapping
// each other and the links before them.
TEST(SubstituteSequentially, EqualsTheLiteralPassesWithLongOverlappingNames)
{
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (std::size_t n = 1 + random() % 400; n > 0; --n)
            text += "ab"[random() % 3 == 0];
        std::deque<std::string> strings;
        std::vector<Substitution> passes;
        for (int i = static_cast<int>(random() % 5); i > 0; --i) {
            const std::size_t start = random() % text.size();
            const std::string& name = strings.emplace_back(text.substr(start, 1 + random() % 150));
            passes.push_back({name, strings.emplace_back("http://h/" + name)});
        }
        const std::size_t maxLength = round % 2 ? kUnlimited : text.size() + random() % 3000;
        ASSERT_EQ(SubstituteSequentially(text, passes, maxLength),
                  literal::substitution(text, passes, maxLength))
            << text;
    }
}

// The source page keeps the markup as it is and escapes it as it searches and writes it: names
// made of the escapes' own characters start, end and lie inside the escapes of "<", CR and LF.
TEST(SourcePage, EqualsTheLiteralPassesWhereNamesMeetTheEscapes)
{
    std::mt19937 random(5);
    const auto word = wordsFrom(random, "<\r\n&lt;BR>a");
    for (int round = 0; round < 3000; ++round) {
        ImageLists lists;
        for (int i = static_cast<int>(random() % 6); i > 0; --i) {
            const std::size_t k = random() % 2;
            const std::string name = word(4);
            lists[k].add(name, word(3) + name);
        }
        const std::string markup = word(60);
        // Some rounds let passes fail for making the page too long.
        const SourcePageBound bound{round % 2 ? 8u : 1u, random() % 200};
        const SourcePage page(markup, lists, bound);
        ASSERT_EQ(page.text(), literal::sourcePage(markup, lists, bound)) << markup;
    }
}

} // namespace
} // namespace varrow
