#include "capture/cli/PageRecords.h"

#include <charconv>
#include <stdexcept>
#include <utility>

namespace varrow
{
namespace
{

bool isKind(std::string_view kind)
{
    if (kind.empty())
        return false;
    for (const char c : kind)
        if (c < 'a' || c > 'z')
            return false;
    return true;
}

bool decimal(std::string_view text, std::size_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string encodePageRecord(std::string_view kind, std::size_t index, std::string_view payload)
{
    std::string record;
    record.reserve(kind.size() + payload.size() + 44);
    record.append(kind).append(" ").append(std::to_string(index)).append(" ");
    record.append(std::to_string(payload.size())).append("\n").append(payload);
    return record;
}

PageRecordReader::PageRecordReader(std::function<std::size_t(std::string_view kind)> maxPayload)
    : m_maxPayload(std::move(maxPayload))
{
}

void PageRecordReader::add(std::string_view bytes)
{
    // What was handed out goes first, so that the buffer holds at most one record and the
    // bytes that came with it.
    m_buffer.erase(0, m_start);
    m_start = 0;
    m_buffer.append(bytes);
}

std::optional<PageRecord> PageRecordReader::next()
{
    if (!m_broken.empty())
        throw std::runtime_error(m_broken);
    const std::string_view rest = std::string_view(m_buffer).substr(m_start);
    const std::size_t lineEnd = rest.substr(0, kMaxHeaderBytes).find('\n');
    if (lineEnd == std::string_view::npos) {
        if (rest.size() < kMaxHeaderBytes)
            return std::nullopt;
        m_broken = "the page loader wrote a broken record";
        throw std::runtime_error(m_broken);
    }
    const std::string_view header = rest.substr(0, lineEnd);
    const std::size_t firstSpace = header.find(' ');
    const std::size_t secondSpace =
        firstSpace == std::string_view::npos ? firstSpace : header.find(' ', firstSpace + 1);
    const std::string_view kind = header.substr(0, firstSpace);
    std::size_t index = 0;
    std::size_t length = 0;
    if (secondSpace == std::string_view::npos || !isKind(kind) ||
        !decimal(header.substr(firstSpace + 1, secondSpace - firstSpace - 1), index) ||
        !decimal(header.substr(secondSpace + 1), length) || length > m_maxPayload(kind)) {
        m_broken = "the page loader wrote a broken record";
        throw std::runtime_error(m_broken);
    }
    if (rest.size() - lineEnd - 1 < length)
        return std::nullopt;
    PageRecord record{std::string(kind), index, std::string(rest.substr(lineEnd + 1, length))};
    m_start += lineEnd + 1 + length;
    return record;
}

} // namespace varrow
