#include "capture/EscapedText.h"

#include "extract/ByteLanes.h"

#include <algorithm>
#include <bit>
#include <cstring>

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
    for (std::size_t byte = 0; byte < 256; ++byte) {
        m_replaced[byte] = !replacements[byte].empty();
        if (!m_replaced[byte])
            continue;
        m_longestReplacement = std::max(m_longestReplacement, replacements[byte].size());
        if (m_replacedCount < kFewReplaced)
            m_fewReplaced[m_replacedCount] = static_cast<unsigned char>(byte);
        ++m_replacedCount;
    }
    for (std::size_t i = m_replacedCount; i < kFewReplaced && m_replacedCount > 0; ++i)
        m_fewReplaced[i] = m_fewReplaced[0];
}

std::size_t EscapedText::endOfRun(std::size_t at, std::size_t limit) const
{
    limit = std::min(limit, m_source.size());
    if (m_replacedCount == 0)
        return limit;
    if constexpr (std::endian::native == std::endian::little) {
        if (m_replacedCount <= kFewReplaced) {
            // Sixteen bytes at a time, each compared with every replaced byte: the first lane
            // that holds one ends the run.
            const ByteLanes first = lanesOf(m_fewReplaced[0]);
            const ByteLanes second = lanesOf(m_fewReplaced[1]);
            const ByteLanes third = lanesOf(m_fewReplaced[2]);
            for (; limit - at >= sizeof(ByteLanes); at += sizeof(ByteLanes)) {
                const ByteLanes bytes = loadLanes(m_source.data() + at);
                const std::uint32_t replaced =
                    trueLanes((bytes == first) | (bytes == second) | (bytes == third));
                if (replaced != 0)
                    return at + static_cast<std::size_t>(std::countr_zero(replaced));
            }
        }
    }
    while (at < limit && !m_replaced[static_cast<unsigned char>(m_source[at])])
        ++at;
    return at;
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
    const std::size_t sourceLength = m_text.m_source.size();
    while (m_position < end && m_at < sourceLength) {
        // The chunk is sized before it is written: no longer than the rest of the text can be.
        const std::size_t room = std::min(
            {end - m_position, kReadChunk, (sourceLength - m_at) * m_text.m_longestReplacement});
        if (m_chunk.size() < room)
            m_chunk.resize(room);
        const std::size_t start = m_position;
        advance(m_position + room, m_chunk.data());
        sink(std::string_view(m_chunk.data(), m_position - start));
    }
}

void EscapedText::Reader::skipTo(std::size_t end)
{
    advance(end, nullptr);
}

void EscapedText::Reader::advance(std::size_t end, char* out)
{
    const std::string_view source = m_text.m_source;
    auto isReplaced = [&](std::size_t at) {
        return m_text.m_replaced[static_cast<unsigned char>(source[at])];
    };
    auto copy = [&](std::string_view span) {
        if (out) {
            std::memcpy(out, span.data(), span.size());
            out += span.size();
        }
    };
    while (m_position < end && m_at < source.size()) {
        if (!isReplaced(m_at)) {
            // A run of bytes that stand as they are.
            const std::size_t runEnd = m_text.endOfRun(m_at + 1, m_at + (end - m_position));
            copy(source.substr(m_at, runEnd - m_at));
            m_position += runEnd - m_at;
            m_at = runEnd;
            continue;
        }
        const std::string_view replacement =
            m_text.m_replacements[static_cast<unsigned char>(source[m_at])];
        const std::size_t taken = std::min(replacement.size() - m_into, end - m_position);
        copy(replacement.substr(m_into, taken));
        m_position += taken;
        m_into += taken;
        if (m_into == replacement.size()) {
            m_into = 0;
            ++m_at;
        }
    }
}

} // namespace varrow
