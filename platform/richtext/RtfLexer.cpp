#include "platform/richtext/RtfLexer.h"

#include "platform/textfile/HexDigit.h"

#include <limits>

namespace varrow::rtf
{
namespace
{

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

RtfToken RtfLexer::next()
{
    while (m_position < m_input.size() && isLineEnd(m_input[m_position]))
        ++m_position;
    if (m_position >= m_input.size())
        return {};
    RtfToken token;
    switch (m_input[m_position]) {
    case '{':
        ++m_position;
        token.kind = RtfToken::Kind::GroupStart;
        return token;
    case '}':
        ++m_position;
        token.kind = RtfToken::Kind::GroupEnd;
        return token;
    case '\\':
        return readControl();
    default:
        return readText();
    }
}

RtfToken RtfLexer::readControl()
{
    ++m_position; // the backslash
    RtfToken token;
    if (m_position >= m_input.size())
        return token; // a lone backslash at the very end means nothing
    const char c = m_input[m_position];
    if (isLetter(c))
        return readControlWord();
    ++m_position;
    if (isLineEnd(c)) {
        token.kind = RtfToken::Kind::ControlWord;
        token.word = "par";
        return token;
    }
    if (c == '\'') {
        const int high = m_position < m_input.size() ? hexDigitValue(m_input[m_position]) : -1;
        const int low =
            m_position + 1 < m_input.size() ? hexDigitValue(m_input[m_position + 1]) : -1;
        if (high < 0 || low < 0) {
            token.kind = RtfToken::Kind::BadHex;
            return token;
        }
        m_position += 2;
        token.kind = RtfToken::Kind::HexByte;
        token.byte = static_cast<unsigned char>(high * 16 + low);
        return token;
    }
    token.kind = RtfToken::Kind::ControlSymbol;
    token.symbol = c;
    return token;
}

RtfToken RtfLexer::readControlWord()
{
    RtfToken token;
    token.kind = RtfToken::Kind::ControlWord;
    const std::size_t start = m_position;
    while (m_position < m_input.size() && isLetter(m_input[m_position]))
        ++m_position;
    token.word = m_input.substr(start, m_position - start);

    const bool negative = m_position + 1 < m_input.size() && m_input[m_position] == '-' &&
                          isDigit(m_input[m_position + 1]);
    if (negative)
        ++m_position;
    if (m_position < m_input.size() && isDigit(m_input[m_position])) {
        constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
        std::int64_t value = 0;
        while (m_position < m_input.size() && isDigit(m_input[m_position])) {
            if (value <= kLimit)
                value = value * 10 + (m_input[m_position] - '0');
            ++m_position;
        }
        if (value > kLimit)
            value = kLimit;
        token.hasParameter = true;
        token.parameter = static_cast<std::int32_t>(negative ? -value : value);
    }
    if (m_position < m_input.size() && m_input[m_position] == ' ')
        ++m_position;

    if (token.word == "bin" && token.hasParameter) {
        const std::size_t wanted = token.parameter > 0 ? std::size_t(token.parameter) : 0;
        const std::size_t left = m_input.size() - m_position;
        if (wanted > left)
            m_binaryTruncated = true;
        token.kind = RtfToken::Kind::Binary;
        token.data = m_input.substr(m_position, wanted < left ? wanted : left);
        m_position += token.data.size();
    }
    return token;
}

RtfToken RtfLexer::readText()
{
    const std::size_t start = m_position;
    while (m_position < m_input.size()) {
        const char c = m_input[m_position];
        if (c == '{' || c == '}' || c == '\\' || isLineEnd(c))
            break;
        ++m_position;
    }
    RtfToken token;
    token.kind = RtfToken::Kind::Text;
    token.data = m_input.substr(start, m_position - start);
    return token;
}

} // namespace varrow::rtf
