#pragma once

#include <span>

namespace varrow::rtf
{

// One single-byte code page: the Unicode character of each byte 0x80-0xFF (`high[byte - 0x80]`),
// U+FFFD where the code page leaves the byte undefined.
struct SingleByteCodePage {
    int codePage;
    const char16_t* high;
};

// Every single-byte code page that the reader decodes (the Windows and DOS pages, Mac Roman).
std::span<const SingleByteCodePage> singleByteCodePages();

} // namespace varrow::rtf
