#include "capture/cli/PrintableText.h"

#include "capture/UnicodeText.h"

#include <algorithm>

namespace varrow
{
namespace
{

void appendPercentEscaped(std::string& out, std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        out += '%';
        out += kDigits[value >> 4];
        out += kDigits[value & 0xF];
    }
}

} // namespace

std::string printableText(std::string_view text)
{
    std::string printable;
    printable.reserve(text.size());
    while (!text.empty()) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(text, c);
        // A byte that begins no sequence stands for itself, as a Latin-1 terminal reads it.
        const std::string_view taken = text.substr(0, std::max<std::size_t>(length, 1));
        if (length == 0)
            c = static_cast<unsigned char>(taken.front());
        if (isControlCharacter(c))
            appendPercentEscaped(printable, taken);
        else
            printable.append(taken);
        text.remove_prefix(taken.size());
    }
    return printable;
}

} // namespace varrow
