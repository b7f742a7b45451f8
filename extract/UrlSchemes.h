#pragma once

#include <string>
#include <string_view>

// What a reference's leading scheme says about it.
namespace varrow
{

// True when the text begins with a URL scheme: a letter, then letters, digits, "+", "-" or ".",
// then ":" ("https:", "data:", "FILE:" ...).
bool startsWithUrlScheme(std::string_view text);

// True when a browser would run the address, written as an attribute value, as script: with its
// character references decoded, after leading white space and control characters, and with the
// tabs and line breaks that browsers drop from addresses removed, it begins with "javascript:" or
// "vbscript:" in any letter case.
bool isScriptAddress(std::string_view address);

// True for an address that carries a scheme of its own and is not script.
inline bool hasSafeScheme(std::string_view address)
{
    return startsWithUrlScheme(address) && !isScriptAddress(address);
}

// The scheme of a page address, the text before its first ":"; "http" when it has none.
std::string schemeOf(std::string_view pageAddress);

} // namespace varrow
