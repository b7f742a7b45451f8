#include "capture/EscapedText.h"

#include <algorithm>

namespace varrow
{

namespace
{

// Pieces handed on at once, so that many short spans make few calls of the sink.
constexpr std::size_t kReadChunk = std::size_t{64} << 10;

const EscapedText::Replacements kNoReplacements{};

} // namespace

EscapedText::EscapedText(std::string_view source) : EscapedText(source, kNoReplacements) {}

EscapedText::EscapedText(std::string_view source, const Replacements& replacements)
    : m_source(source), m_replacements(replacements)
{
    for (std::size_t byte = 0; byte < 256; ++byte)
        m_replaced[byte] = !replacements[byte].empty();
}

std::size_t EscapedText::length() const
{
    std::array<std::size_t, 256> growth{};
    for (std::size_t byte = 0; byte < 256; ++byte)
        growth[byte] = m_replaced[byte] ? m_replacements[byte].size() - 1 : 0;
    std::size_t length = m_source.size();
    for (const char c : m_source)
        length += growth[static_cast<unsigned char>(c)];
    return length;
}

void EscapedText::Reader::readTo(std::size_t end, const TextPieceSink& sink)
{
    while (m_position < end) {
        m_chunk.clear();
        advance(std::min(end, m_position + kReadChunk), &m_chunk);
        sink(m_chunk);
    }
}

void EscapedText::Reader::skipTo(std::size_t end)
{
    advance(end, nullptr);
}

void EscapedText::Reader::advance(std::size_t end, std::string* out)
{
    const std::string_view source = m_text.m_source;
    auto isReplaced = [&](std::size_t at) {
        return m_text.m_replaced[static_cast<unsigned char>(source[at])];
    };
    while (m_position < end) {
        if (!isReplaced(m_at)) {
            // A run of bytes that stand as they are.
            const std::size_t limit = m_at + (end - m_position);
            std::size_t runEnd = m_at + 1;
            while (runEnd < limit && !isReplaced(runEnd))
                ++runEnd;
            if (out)
                out->append(source.substr(m_at, runEnd - m_at));
            m_position += runEnd - m_at;
            m_at = runEnd;
            continue;
        }
        const std::string_view replacement =
            m_text.m_replacements[static_cast<unsigned char>(source[m_at])];
        const std::size_t taken = std::min(replacement.size() - m_into, end - m_position);
        if (out)
            out->append(replacement.substr(m_into, taken));
        m_position += taken;
        m_into += taken;
        if (m_into == replacement.size()) {
            m_into = 0;
            ++m_at;
        }
    }
}

} // namespace varrow
