#pragma once

#include "platform/richtext/RtfDocument.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varrow::rtf
{

// Collects one "\pict" group: its properties, then its data as hexadecimal text or "\bin" bytes.
class PictureBuilder
{
public:
    // Takes a control word of the picture group. Returns false for words that are not picture
    // properties; they change nothing.
    bool takeWord(std::string_view word, bool hasParameter, std::int32_t parameter);

    // Appends data written as hexadecimal digits; blanks and other characters are ignored, a
    // final odd digit waits for its partner in the next call.
    void appendHex(std::string_view text);

    void appendBinary(std::string_view bytes);

    enum class Outcome { Picture, NotShown, Unreadable };

    // The picture when its format is PNG or JPEG and its data begins with that format's
    // signature. Other formats (metafiles, device-independent bitmaps) give NotShown; PNG or JPEG
    // data without the signature gives Unreadable.
    Outcome finish(Picture& picture);

private:
    enum class Format { Unknown, Png, Jpeg, Other };

    Format m_format = Format::Unknown;
    std::string m_data;
    int m_pendingNibble = -1;
    std::int64_t m_widthPixels = 0;
    std::int64_t m_heightPixels = 0;
    std::int64_t m_goalWidth = 0;
    std::int64_t m_goalHeight = 0;
    std::int64_t m_scaleX = 100;
    std::int64_t m_scaleY = 100;
};

} // namespace varrow::rtf
