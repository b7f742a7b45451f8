#pragma once

#include "platform/richtext/RtfDocument.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The font table and the colour table of a document, as the reader fills them.
namespace varrow::rtf
{

// Font names are cut at this length; the names of real fonts are at most 31 characters.
inline constexpr std::size_t kMaxFontNameBytes = 128;

struct FontEntry {
    std::string name; // UTF-8, as far as read; see FontTable::family
    FontGeneric generic = FontGeneric::Unknown;
    int codePage = 0;          // 0: the document's code page
    bool nameComplete = false; // the ";" that ends the name has been read
};

class FontTable
{
public:
    // Starts (or restarts) the entry with this number; later calls of `current` return it.
    void begin(int number);

    // The entry being read, or null before the first `begin`.
    FontEntry* current();

    // Appends UTF-8 text to the name of the entry being read, unless there is none or its name is
    // complete. The name is cut at kMaxFontNameBytes, between two characters.
    void appendToName(std::string_view text);

    // The entry with this number, or null.
    const FontEntry* find(int number) const;

    // The name of the entry with this number without surrounding blanks, or empty.
    std::string family(int number) const;

private:
    std::map<int, FontEntry> m_fonts;
    FontEntry* m_current = nullptr;
};

class ColourTable
{
public:
    // Sets one component of the entry being read; values are clamped to 0-255.
    void setRed(int value);
    void setGreen(int value);
    void setBlue(int value);

    // Ends the entry being read (at its ";"). An entry without components is "automatic".
    void endEntry();

    // The colour with this index; none for automatic entries and indices outside the table.
    std::optional<Colour> at(int index) const;

private:
    std::vector<std::optional<Colour>> m_colours;
    Colour m_pending;
    bool m_pendingHasComponent = false;
};

} // namespace varrow::rtf
