#include "extract/AddressFunctions.h"

#include <gtest/gtest.h>

namespace varrow
{
namespace
{

struct Row {
    const char* argument;
    const char* result;
};

TEST(GetParentDir, WorkedResults)
{
    const Row rows[] = {
        {"http://host/dir/page.htm", "http://host/dir/"},
        {"http://host/dir/", "http://host/"},
        {"http://host/a/b/c", "http://host/a/b/"},
        {"http://host/", "host/"},
        {"http://host", "host/"},
        {"host/dir/page.htm", "host/dir/"},
        {"page.htm", "page.htm/"},
        {"", "/"},
        {"http://host//", "http://host/"},
        {"host/go?to=http://x/y", "http://host/go?to=x/"},
        {"file:///C:/dir/page.htm", "file:///C:/dir/"},
        // The test ignores case, the removal does not.
        {"HTTP://host/dir/page.htm", "http://HTTP://host/dir/"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetParentDir(row.argument), row.result) << row.argument;
}

TEST(GetParentDir, NoLengthLimit)
{
    const std::string longPath = "http://host/" + std::string(40000, 'a') + "/page.htm";
    EXPECT_EQ(GetParentDir(longPath), "http://host/" + std::string(40000, 'a') + "/");
}

TEST(UpDirAddress, ClimbsToTheHostRootOfEveryScheme)
{
    const Row rows[] = {
        {"http://host/dir/page.htm", "http://host/dir/"},
        {"https://host/a/b/", "https://host/a/"},
        {"https://host/a/", "https://host/"},
        {"https://host/", "https://host/"},
        {"https://host", "https://host/"},
        {"https://host//", "https://host/"},
        {"http://host/", "http://host/"},
        {"ftp://host/pub/file.txt", "ftp://host/pub/"},
        {"HTTP://host/dir/page.htm", "HTTP://host/dir/"},
        {"https://host/dir/page?to=a/b#x/y", "https://host/dir/"},
        {"https://host?to=a/b", "https://host/"},
        {"file:///home/user/page.html", "file:///home/user/"},
        {"file:///home/", "file:///"},
        {"file:///", "file:///"},
        // Text without a scheme climbs as GetParentDir does.
        {"host/dir/page.htm", "host/dir/"},
        {"", "/"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(UpDirAddress(row.argument), row.result) << row.argument;
}

TEST(GetFileName, WorkedResults)
{
    const Row rows[] = {
        {"http://host/dir/a.gif", "a.gif"},
        {"../img/b.jpg", "b.jpg"},
        {"dir/", ""},
        {"a.gif", "a.gif"},
        {"x.gif border=0", "x.gif0"},
        {"a\"b\".gif", "ab.gif"},
        {"HTTP://host/X.GIF BORDER=1", "X.GIF1"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetFileName(row.argument), row.result) << row.argument;
}

} // namespace
} // namespace varrow
