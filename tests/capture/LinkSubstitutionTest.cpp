#include "capture/LinkSubstitution.h"

#include "extract/TextSearch.h"

#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

// The substitution as first described: one whole-text pass per name.
std::string literalSubstitution(std::string text, const std::vector<Substitution>& passes)
{
    for (const Substitution& pass : passes)
        text = replaceAll(text, pass.name, pass.anchor);
    return text;
}

TEST(SubstituteSequentially, LaterPassesReachIntoEarlierAnchors)
{
    const std::vector<Substitution> passes{{"ba.gif", "<a href='h/ba.gif'>ba.gif</a>"},
                                           {"a.gif", "<a href='h/a.gif'>a.gif</a>"},
                                           {"ba.gif", "<a href='x'>ba.gif</a>"}};
    const std::string text = "ba.gif and a.gif and aba.gif";
    EXPECT_EQ(SubstituteSequentially(text, passes), literalSubstitution(text, passes));
}

TEST(SubstituteSequentially, EqualsTheLiteralPassesOnRandomText)
{
    std::mt19937 random(11);
    const std::string alphabet = "ab.<'>/ ";
    auto word = [&](std::size_t maxLength) {
        std::string w;
        for (std::size_t n = 1 + random() % maxLength; n > 0; --n)
            w += alphabet[random() % alphabet.size()];
        return w;
    };
    for (int round = 0; round < 2000; ++round) {
        std::vector<Substitution> passes;
        for (int i = static_cast<int>(random() % 6); i > 0; --i) {
            std::string name = word(3);
            std::erase(name, '>');
            passes.push_back({name, "<a href='" + word(4) + name + "'>" + name + "</a>"});
        }
        const std::string text = word(40);
        ASSERT_EQ(SubstituteSequentially(text, passes), literalSubstitution(text, passes)) << text;
    }
}

} // namespace
} // namespace varrow
