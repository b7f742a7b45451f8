#pragma once

#include <string>
#include <string_view>

namespace varrow
{

// `text` as it may be written to a terminal: every control character (C0, DEL and C1, also as a
// byte that begins no UTF-8 sequence) becomes "%" and two hexadecimal digits per byte, as in an
// address, so that page text can neither move the cursor, retitle the window, ring the bell nor
// end a line. Everything else passes unchanged, bytes that are not UTF-8 included.
std::string printableText(std::string_view text);

} // namespace varrow
