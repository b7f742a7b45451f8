#include "extract/ReferenceResolver.h"

#include "extract/MarkupScan.h"
#include "extract/TextSearch.h"
#include "extract/UrlSchemes.h"

#include <gtest/gtest.h>

namespace varrow
{
namespace
{

struct Case {
    const char* page;
    const char* reference;
    const char* address;
};

TEST(ReferenceResolver, RulesInOrder)
{
    const Case cases[] = {
        {"http://host/dir/page.htm", "pics/a.gif", "http://host/dir/pics/a.gif"},
        {"http://host/dir/page.htm", "/img/b.jpg", "http://host/img/b.jpg"},
        {"http://host/dir/page.htm", "x?u=http://y/c.gif", "x?u=http://y/c.gif"},
        {"http://host/dir/page.htm", "ftp://f/d.gif", "ftp://f/d.gif"},
        {"https://host/dir/page.htm", "//cdn/e.gif", "https://cdn/e.gif"},
        {"host/dir/page.htm", "//cdn/e.gif", "http://cdn/e.gif"},
        {"http://host/a/b/page.htm", "../../c/f.gif", "http://host/c/f.gif"},
        {"http://host/page.htm", "../../f.gif", "http://host/f.gif"},
        {"file:///srv/site/page.htm", "/g.gif", "file:///g.gif"},
        {"http://host/dir/page.htm", "javascript:h()", "http://host/dir/javascript:h()"},
        {"http://homes.varrow.net/~ann/p.htm", "i.gif", "http://home.varrow.net/~ann/i.gif"},
        {"http://host/dir/page.htm", "", "http://host/dir/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReferenceResolver(c.page, PageDirectory(c.page)).resolve(c.reference), c.address)
            << c.page << " + " << c.reference;
}

TEST(UrlSchemes, SchemesAndScriptAddresses)
{
    EXPECT_TRUE(startsWithUrlScheme("https:x"));
    EXPECT_TRUE(startsWithUrlScheme("a+b-c.d:"));
    EXPECT_FALSE(startsWithUrlScheme("1http:"));
    EXPECT_FALSE(startsWithUrlScheme("pics/a:b"));
    EXPECT_FALSE(startsWithUrlScheme("nocolon"));
    EXPECT_TRUE(isScriptAddress("JavaScript:alert(1)"));
    EXPECT_TRUE(isScriptAddress(" \x01vbscript:x"));
    EXPECT_TRUE(isScriptAddress("java\tscr\nipt:x"));
    EXPECT_FALSE(isScriptAddress("http://x/javascript:"));
    EXPECT_FALSE(hasSafeScheme("javascript:x"));
}

TEST(UrlSchemes, ScriptAddressesSpelledWithCharacterReferences)
{
    for (const char* address :
         {"javascript&#58;alert(1)", "&#106;avascript:x", "&#x6A;avascript:x", "&#X6a;avascript:x",
          "&#106avascript:x", "java&Tab;script&colon;x", "&#9;&#32;javascript:x",
          "jav&#x0A;ascript:x", "&#000118;bscript:x"})
        EXPECT_TRUE(isScriptAddress(address)) << address;
    for (const char* address :
         {"javascript&amp;#58;x", "&#0;javascript:x", "&#;javascript:x", "&#x;javascript:x",
          "&#1130;avascript:x", "&colon;javascript:x", "http://x/&#106;avascript:"})
        EXPECT_FALSE(isScriptAddress(address)) << address;
    EXPECT_EQ(schemeOf("https://h/"), "https");
    EXPECT_EQ(schemeOf("h/p"), "http");
}

TEST(TextSearch, NoCaseSearchFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(findNoCase("xxSRC=", "src="), 2u);
    EXPECT_EQ(findNoCase("sssS", "Ss", 3), npos);
    EXPECT_EQ(findNoCase("\xC3\x84", "\xC3\xA4"), npos);
    EXPECT_EQ(replaceAllNoCase("aHTTP://Http://b", "http://", ""), "ab");
    EXPECT_EQ(replaceAll("\r\n\r\n\r\n", "\r\n\r\n", "\r\n"), "\r\n\r\n");
}

} // namespace
} // namespace varrow
