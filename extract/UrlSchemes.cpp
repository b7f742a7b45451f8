#include "extract/UrlSchemes.h"

#include "extract/TextSearch.h"

#include <algorithm>
#include <utility>

namespace varrow
{

namespace
{

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSchemeCharacter(char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

constexpr char32_t kReplacement = 0xFFFD;

// The character that an attribute value shows at `at`, as a browser decodes character references
// there, and the position after it. Only references that can spell a scheme matter: numeric ones
// and the named colon, tab and line feed; every other "&" stands for itself.
std::pair<char32_t, std::size_t> decodedCharacter(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte != '&')
        return {byte, at + 1};
    for (const auto& [reference, character] :
         {std::pair<std::string_view, char32_t>{"&colon;", ':'},
          {"&Tab;", '\t'},
          {"&NewLine;", '\n'}})
        if (text.substr(at).starts_with(reference))
            return {character, at + reference.size()};
    std::size_t next = at + 1;
    if (next >= text.size() || text[next] != '#')
        return {byte, at + 1};
    ++next;
    const bool hex = next < text.size() && (text[next] == 'x' || text[next] == 'X');
    next += hex ? 1 : 0;
    const std::size_t digits = next;
    char32_t value = 0;
    for (; next < text.size(); ++next) {
        const char c = asciiLower(text[next]);
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0)
            break;
        value =
            std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
    }
    if (next == digits)
        return {byte, at + 1}; // "&#" without digits is no reference
    if (next < text.size() && text[next] == ';')
        ++next;
    return {value == 0 || value > 0x10FFFF ? kReplacement : value, next};
}

} // namespace

bool startsWithUrlScheme(std::string_view text)
{
    if (text.empty() || !isAsciiLetter(text[0]))
        return false;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == ':')
            return true;
        if (!isSchemeCharacter(text[i]))
            return false;
    }
    return false;
}

bool isScriptAddress(std::string_view address)
{
    // Only the scheme matters, so a short prefix with tabs and line breaks dropped is enough.
    constexpr std::size_t kLongestScheme = std::string_view("javascript:").size();
    std::string scheme;
    for (std::size_t at = 0; at < address.size() && scheme.size() < kLongestScheme;) {
        const auto [character, next] = decodedCharacter(address, at);
        at = next;
        if ((scheme.empty() && character <= 0x20) || character == '\t' || character == '\n' ||
            character == '\r')
            continue;
        // A character beyond ASCII cannot belong to a scheme; any stand-in for it ends the test.
        scheme += character < 0x80 ? asciiLower(static_cast<char>(character)) : '\x80';
    }
    return scheme.starts_with("javascript:") || scheme.starts_with("vbscript:");
}

std::string schemeOf(std::string_view pageAddress)
{
    const std::size_t colon = pageAddress.find(':');
    return colon == npos ? std::string("http") : std::string(pageAddress.substr(0, colon));
}

} // namespace varrow
