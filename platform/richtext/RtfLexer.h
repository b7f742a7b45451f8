#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varrow::rtf
{

// One piece of RTF syntax. Views point into the lexer's input.
struct RtfToken {
    enum class Kind {
        End,           // no input left
        GroupStart,    // "{"
        GroupEnd,      // "}"
        ControlWord,   // "\name" with an optional signed number
        ControlSymbol, // "\" and one character that is not a letter
        HexByte,       // "\'hh"
        BadHex,        // "\'" not followed by two hexadecimal digits; only "\'" is consumed
        Text,          // bytes without "{", "}", "\", CR or LF
        Binary,        // the data of "\binN": the next N bytes, whatever they are
    };

    Kind kind = Kind::End;
    std::string_view word; // ControlWord: the letters of the name
    bool hasParameter = false;
    std::int32_t parameter = 0; // ControlWord: the number, saturated to the 32-bit range
    char symbol = 0;            // ControlSymbol: the character after "\"
    unsigned char byte = 0;     // HexByte: the value
    std::string_view data;      // Text and Binary: the bytes
};

// Splits RTF into tokens. CR and LF outside control words are dropped, as RTF ignores them; "\"
// followed by CR or LF is the control word "par". The space that ends a control word belongs to
// it. "\binN" reads the next N bytes as data, so braces and backslashes inside it are not syntax;
// when fewer than N bytes are left, the data is what is left and `binaryTruncated` is set.
// A control word's number may have any count of digits; its value saturates.
class RtfLexer
{
public:
    explicit RtfLexer(std::string_view input) : m_input(input) {}

    RtfToken next();

    // True once a "\binN" asked for more bytes than the input had.
    bool binaryTruncated() const { return m_binaryTruncated; }

private:
    RtfToken readControl();
    RtfToken readControlWord();
    RtfToken readText();

    std::string_view m_input;
    std::size_t m_position = 0;
    bool m_binaryTruncated = false;
};

} // namespace varrow::rtf
