#pragma once

#include <string>
#include <string_view>

namespace varrow::rtf
{

inline constexpr int kWesternCodePage = 1252;
inline constexpr int kUtf8CodePage = 65001;
// Windows' number for the Symbol character set, whose fonts draw their own glyphs.
inline constexpr int kSymbolCodePage = 42;

// The code page of a font's character set (`\fcharsetN`), or 0 for the default character set
// and for numbers that name no character set: text in such a font is read in the document's
// code page.
int codePageOfCharset(int charset);

// Appends `bytes`, read in `codePage`, to `out` as UTF-8. The single-byte Windows, DOS and Mac
// pages and UTF-8 are decoded; ASCII stays ASCII in every page. In the Symbol page the bullet is
// mapped to U+2022 and other bytes are read as code page 1252. In a page that is not supported
// (the double-byte Asian ones) every byte above 0x7F becomes U+FFFD.
void appendDecoded(std::string& out, std::string_view bytes, int codePage);

} // namespace varrow::rtf
