// The address list of varrow-capture --load-list, and the shards a job runner splits it into.
#include "capture/cli/AddressList.h"

#include "capture/cli/ListShard.h"

#include <gtest/gtest.h>
#include <set>

namespace varrow
{
namespace
{

struct ListCase {
    const char* name;
    std::string text;
    std::vector<std::string> addresses;
    std::vector<std::string> problems; // "LINE: reason"
};

void PrintTo(const ListCase& c, std::ostream* out)
{
    *out << c.name;
}

class AddressListTest : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(AddressListTest, TakesTheAddressesAndReportsTheRest)
{
    const AddressList list = parseAddressList(GetParam().text);
    std::vector<std::string> addresses;
    for (const ListedAddress& entry : list.addresses)
        addresses.push_back(entry.address);
    std::vector<std::string> problems;
    for (const AddressListProblem& problem : list.problems)
        problems.push_back(std::to_string(problem.line) + ": " + problem.reason);
    EXPECT_EQ(addresses, GetParam().addresses);
    EXPECT_EQ(problems, GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AddressListTest,
    ::testing::Values(
        ListCase{"BlankAndCommentLinesAreSkipped",
                 "\n# a comment\nhttp://a/1\n   \n\t# indented comment\r\nhttps://b/2\r\n",
                 {"http://a/1", "https://b/2"},
                 {}},
        ListCase{"SpacesAroundAnAddressGo",
                 "  http://a/1\t \nfile:///tmp/p.html",
                 {"http://a/1", "file:///tmp/p.html"},
                 {}},
        ListCase{"NoAddress",
                 "a.html\nhttp://\nhttp:///x\nftp://h/\njavascript:alert(1)\nhttp://a/ b",
                 {},
                 {"1: not an http, https or file address: a.html", "2: names no host: http://",
                  "3: names no host: http:///x", "4: not an http, https or file address: ftp://h/",
                  "5: not an http, https or file address: javascript:alert(1)",
                  "6: holds a space: http://a/ b"}},
        ListCase{"ControlCharactersAreEscapedInTheReport",
                 std::string("http://a/\x1b]0;x\x07\nhttp://a/\0b\nok", 30),
                 {},
                 {"1: holds a control character: http://a/%1B]0;x%07",
                  "2: holds a control character: http://a/%00b",
                  "3: not an http, https or file address: ok"}},
        ListCase{"NotUtf8", "http://a/\xff\xfe\n", {}, {"1: not UTF-8 text: http://a/\xff\xfe"}},
        ListCase{"ALongLineIsRefusedAndQuotedShort",
                 "http://a/" + std::string(kMaxAddressBytes, 'x'),
                 {},
                 {"1: longer than 8192 bytes: http://a/" + std::string(191, 'x') + "..."}},
        ListCase{"AnAddressListedTwiceIsTakenOnce",
                 "http://a/1\nhttp://a/2\nhttp://a/1\n",
                 {"http://a/1", "http://a/2"},
                 {"3: listed before, on line 1: http://a/1"}},
        ListCase{"SchemeInAnyCase", "HTTP://A/1\n", {"HTTP://A/1"}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(AddressListTest, PositionsCountEveryEntryButBlankAndCommentLines)
{
    const AddressList list = parseAddressList("# c\nhttp://a/0\n\nbad\nhttp://a/2\n");
    ASSERT_EQ(list.addresses.size(), 2u);
    EXPECT_EQ(list.addresses[0].position, 0u);
    EXPECT_EQ(list.addresses[1].position, 2u);
    EXPECT_EQ(list.addresses[1].line, 5u);
    ASSERT_EQ(list.problems.size(), 1u);
    EXPECT_EQ(list.problems[0].position, 1u);
}

struct ShardCase {
    const char* text;
    bool valid;
};

class ListShardParseTest : public ::testing::TestWithParam<ShardCase>
{
};

TEST_P(ListShardParseTest, ReadsKOfN)
{
    EXPECT_EQ(parseListShard(GetParam().text).has_value(), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Values, ListShardParseTest,
                         ::testing::Values(ShardCase{"0/1", true}, ShardCase{"3/4", true},
                                           ShardCase{"4/4", false}, ShardCase{"0/0", false},
                                           ShardCase{"-1/4", false}, ShardCase{"1/", false},
                                           ShardCase{"/4", false}, ShardCase{"1/4x", false},
                                           ShardCase{"1", false}, ShardCase{"", false},
                                           ShardCase{"1/99999999999999999999999", false}));

TEST(ListShardTest, TheShardsOfAListHaveNoOverlapAndNoGap)
{
    for (const std::size_t count : {1u, 2u, 3u, 7u}) {
        std::multiset<std::size_t> taken;
        for (std::size_t index = 0; index < count; ++index) {
            const ListShard shard =
                *parseListShard(std::to_string(index) + "/" + std::to_string(count));
            for (std::size_t position = 0; position < 50; ++position)
                if (shard.takes(position))
                    taken.insert(position);
        }
        ASSERT_EQ(taken.size(), 50u) << count;
        for (std::size_t position = 0; position < 50; ++position)
            EXPECT_EQ(taken.count(position), 1u) << count;
    }
}

} // namespace
} // namespace varrow
