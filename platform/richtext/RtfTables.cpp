#include "platform/richtext/RtfTables.h"

#include <algorithm>
#include <cstdint>

namespace varrow::rtf
{
namespace
{

std::uint8_t component(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

void FontTable::begin(int number)
{
    m_current = &m_fonts[number];
    *m_current = FontEntry{};
}

FontEntry* FontTable::current()
{
    return m_current;
}

void FontTable::appendToName(std::string_view text)
{
    if (!m_current || m_current->nameComplete)
        return;
    std::string& name = m_current->name;
    name.append(text.substr(0, kMaxFontNameBytes + 1 - std::min(name.size(), kMaxFontNameBytes)));
    if (name.size() <= kMaxFontNameBytes)
        return;
    std::size_t end = kMaxFontNameBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end; // back to the first byte of the character that does not fit
    name.resize(end);
}

const FontEntry* FontTable::find(int number) const
{
    const auto found = m_fonts.find(number);
    return found == m_fonts.end() ? nullptr : &found->second;
}

std::string FontTable::family(int number) const
{
    const FontEntry* entry = find(number);
    if (!entry)
        return {};
    const std::string& name = entry->name;
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

void ColourTable::setRed(int value)
{
    m_pending.red = component(value);
    m_pendingHasComponent = true;
}

void ColourTable::setGreen(int value)
{
    m_pending.green = component(value);
    m_pendingHasComponent = true;
}

void ColourTable::setBlue(int value)
{
    m_pending.blue = component(value);
    m_pendingHasComponent = true;
}

void ColourTable::endEntry()
{
    if (m_pendingHasComponent)
        m_colours.emplace_back(m_pending);
    else
        m_colours.emplace_back(std::nullopt);
    m_pending = {};
    m_pendingHasComponent = false;
}

std::optional<Colour> ColourTable::at(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_colours.size())
        return std::nullopt;
    return m_colours[static_cast<std::size_t>(index)];
}

} // namespace varrow::rtf
