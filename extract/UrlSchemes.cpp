#include "extract/UrlSchemes.h"

#include "extract/TextSearch.h"

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
    std::size_t i = 0;
    while (i < address.size() && static_cast<unsigned char>(address[i]) <= 0x20)
        ++i;
    // Only the scheme matters, so a short prefix with tabs and line breaks dropped is enough.
    std::string scheme;
    for (; i < address.size() && scheme.size() < 11; ++i) {
        const char c = address[i];
        if (c != '\t' && c != '\n' && c != '\r')
            scheme += asciiLower(c);
    }
    return scheme.starts_with("javascript:") || scheme.starts_with("vbscript:");
}

std::string schemeOf(std::string_view pageAddress)
{
    const std::size_t colon = pageAddress.find(':');
    return colon == npos ? std::string("http") : std::string(pageAddress.substr(0, colon));
}

} // namespace varrow
