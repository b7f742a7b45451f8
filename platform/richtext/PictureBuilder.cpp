#include "platform/richtext/PictureBuilder.h"

#include "platform/textfile/HexDigit.h"

#include <algorithm>
#include <array>

namespace varrow::rtf
{
namespace
{

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr std::string_view kJpegSignature{"\xFF\xD8\xFF", 3};
constexpr std::int64_t kMaxScalePercent = 10000;

constexpr auto kOtherFormats = std::to_array<std::string_view>(
    {"emfblip", "wmetafile", "dibitmap", "wbitmap", "macpict", "pmmetafile"});

// The shown length in twips: the goal size when given, otherwise the pixel size, then scaled.
int shownTwips(std::int64_t goal, std::int64_t pixels, std::int64_t scalePercent)
{
    const std::int64_t natural =
        goal > 0 ? goal : std::max<std::int64_t>(pixels, 0) * kTwipsPerPixel;
    return static_cast<int>(
        std::clamp<std::int64_t>(natural * scalePercent / 100, 0, kMaxPictureTwips));
}

} // namespace

bool PictureBuilder::takeWord(std::string_view word, bool hasParameter, std::int32_t parameter)
{
    const std::int64_t value = hasParameter ? parameter : 0;
    const auto scale = [value] { return std::clamp<std::int64_t>(value, 1, kMaxScalePercent); };
    if (word == "pngblip")
        m_format = Format::Png;
    else if (word == "jpegblip")
        m_format = Format::Jpeg;
    else if (std::find(kOtherFormats.begin(), kOtherFormats.end(), word) != kOtherFormats.end())
        m_format = Format::Other;
    else if (word == "picw")
        m_widthPixels = value;
    else if (word == "pich")
        m_heightPixels = value;
    else if (word == "picwgoal")
        m_goalWidth = value;
    else if (word == "pichgoal")
        m_goalHeight = value;
    else if (word == "picscalex")
        m_scaleX = scale();
    else if (word == "picscaley")
        m_scaleY = scale();
    else
        return false;
    return true;
}

void PictureBuilder::appendHex(std::string_view text)
{
    if (m_format == Format::Other)
        return;
    for (const char c : text) {
        const int value = hexDigitValue(c);
        if (value < 0)
            continue;
        if (m_pendingNibble < 0) {
            m_pendingNibble = value;
        } else {
            m_data.push_back(static_cast<char>(m_pendingNibble * 16 + value));
            m_pendingNibble = -1;
        }
    }
}

void PictureBuilder::appendBinary(std::string_view bytes)
{
    if (m_format != Format::Other)
        m_data.append(bytes);
}

PictureBuilder::Outcome PictureBuilder::finish(Picture& picture)
{
    if (m_format != Format::Png && m_format != Format::Jpeg)
        return Outcome::NotShown;
    const bool png = m_format == Format::Png;
    if (!m_data.starts_with(png ? kPngSignature : kJpegSignature))
        return Outcome::Unreadable;
    picture.format = png ? PictureFormat::Png : PictureFormat::Jpeg;
    picture.data = std::move(m_data);
    picture.widthTwips = shownTwips(m_goalWidth, m_widthPixels, m_scaleX);
    picture.heightTwips = shownTwips(m_goalHeight, m_heightPixels, m_scaleY);
    return Outcome::Picture;
}

} // namespace varrow::rtf
