#include "platform/richtext/CodePages.h"

#include "platform/richtext/CodePageTables.h"
#include "platform/richtext/Utf8.h"

#include <algorithm>
#include <array>
#include <utility>

namespace varrow::rtf
{
namespace
{

constexpr unsigned char kSymbolBullet = 0xB7;
constexpr char32_t kBullet = 0x2022;

// Character sets as Windows numbers them, and the code page each one is written in.
constexpr std::array<std::pair<int, int>, 19> kCharsetCodePages{{
    {0, 1252},   {2, kSymbolCodePage}, {77, 10000}, {128, 932},  {129, 949},
    {130, 1361}, {134, 936},           {136, 950},  {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255},          {178, 1256}, {186, 1257}, {204, 1251},
    {222, 874},  {238, 1250},          {254, 437},  {255, 850},
}};

const char16_t* highHalfOf(int codePage)
{
    const auto pages = singleByteCodePages();
    const auto found = std::find_if(pages.begin(), pages.end(), [codePage](const auto& page) {
        return page.codePage == codePage;
    });
    return found == pages.end() ? nullptr : found->high;
}

} // namespace

int codePageOfCharset(int charset)
{
    for (const auto& [set, codePage] : kCharsetCodePages) {
        if (set == charset)
            return codePage;
    }
    return 0;
}

void appendDecoded(std::string& out, std::string_view bytes, int codePage)
{
    if (codePage == kUtf8CodePage) {
        appendValidUtf8(out, bytes);
        return;
    }
    const char16_t* high = highHalfOf(codePage == kSymbolCodePage ? kWesternCodePage : codePage);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out.push_back(c);
        else if (codePage == kSymbolCodePage && byte == kSymbolBullet)
            appendUtf8(out, kBullet);
        else
            appendUtf8(out, high ? high[byte - 0x80] : kReplacementCharacter);
    }
}

} // namespace varrow::rtf
