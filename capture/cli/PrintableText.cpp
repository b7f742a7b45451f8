#include "capture/cli/PrintableText.h"

#include "capture/UnicodeText.h"

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
    // A byte that begins no sequence stands for itself, as a Latin-1 terminal reads it.
    forEachCharacter(text, [&](std::string_view bytes, char32_t c, bool) {
        if (isControlCharacter(c))
            appendPercentEscaped(printable, bytes);
        else
            printable.append(bytes);
    });
    return printable;
}

} // namespace varrow
