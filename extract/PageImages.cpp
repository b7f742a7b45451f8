#include "extract/PageImages.h"

#include "extract/TextSearch.h"

#include <algorithm>
#include <cctype>

namespace varrow
{
namespace
{

constexpr std::string_view kDataScheme = "data:";
constexpr std::size_t kShortDataPayload = 24;
constexpr std::size_t kLongestWholeDataAddress = 64;

bool isHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Bytes that `payload`, percent-encoded, stands for.
std::int64_t percentDecodedLength(std::string_view payload)
{
    std::int64_t length = 0;
    for (std::size_t i = 0; i < payload.size(); ++i, ++length)
        if (payload[i] == '%' && i + 2 < payload.size() && isHexDigit(payload[i + 1]) &&
            isHexDigit(payload[i + 2]))
            i += 2;
    return length;
}

// Bytes that `payload`, in base64 with any padding and white space, stands for.
std::int64_t base64DecodedLength(std::string_view payload)
{
    const auto digits = std::count_if(payload.begin(), payload.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '/' || c == '-' ||
               c == '_';
    });
    return std::int64_t(digits) * 3 / 4;
}

} // namespace

std::string_view foundLabel(FoundBy how)
{
    return kFoundLabels[std::size_t(how)];
}

std::optional<FoundBy> foundByLabel(std::string_view label)
{
    const auto at = std::find(kFoundLabels.begin(), kFoundLabels.end(), label);
    if (at == kFoundLabels.end())
        return std::nullopt;
    return FoundBy(at - kFoundLabels.begin());
}

std::vector<std::string_view> FoundSet::labels() const
{
    std::vector<std::string_view> labels;
    for (std::size_t i = 0; i < kFoundByCount; ++i)
        if (contains(FoundBy(i)))
            labels.push_back(kFoundLabels[i]);
    return labels;
}

std::string PageImage::listedUrl() const
{
    return shortDataAddress(url);
}

namespace
{

// The first type and byte count known of a picture stay.
void keepFirstFacts(PageImage& image, std::string type, std::optional<std::int64_t> bytes)
{
    if (image.type.empty())
        image.type = std::move(type);
    if (!image.bytes)
        image.bytes = bytes;
}

} // namespace

void PageImageInventory::add(ImageSighting sighting)
{
    auto [at, isNew] = m_indexByUrl.try_emplace(sighting.url, m_images.size());
    if (isNew) {
        PageImage image;
        image.url = std::move(sighting.url);
        if (const auto facts = dataAddressFacts(image.url)) {
            image.found.insert(FoundBy::Data);
            image.bytes = facts->bytes;
        }
        m_images.push_back(std::move(image));
    }
    PageImage& image = m_images[at->second];
    image.found.insert(sighting.how);
    image.count += sighting.places;
    if (image.width == 0 && image.height == 0) {
        image.width = sighting.width;
        image.height = sighting.height;
    }
    keepFirstFacts(image, std::move(sighting.type), sighting.bytes);
    if (image.alt.empty())
        image.alt = std::move(sighting.alt);
}

void PageImageInventory::addFacts(std::string_view url, std::string type,
                                  std::optional<std::int64_t> bytes)
{
    const auto at = m_indexByUrl.find(std::string(url));
    if (at != m_indexByUrl.end())
        keepFirstFacts(m_images[at->second], std::move(type), bytes);
}

const PageImage* PageImageInventory::find(std::string_view url) const
{
    const auto at = m_indexByUrl.find(std::string(url));
    return at == m_indexByUrl.end() ? nullptr : &m_images[at->second];
}

void PageImageInventory::clear()
{
    m_images.clear();
    m_indexByUrl.clear();
}

std::string shortDataAddress(std::string_view url)
{
    const std::size_t comma = url.find(',');
    if (!startsWithNoCase(url, kDataScheme) || url.size() <= kLongestWholeDataAddress ||
        comma == std::string_view::npos)
        return std::string(url);
    std::string text(url.substr(0, std::min(url.size(), comma + 1 + kShortDataPayload)));
    text += "\xE2\x80\xA6 (" + std::to_string(url.size()) + " chars)";
    return text;
}

std::optional<DataAddressFacts> dataAddressFacts(std::string_view url)
{
    const std::size_t comma = url.find(',');
    if (!startsWithNoCase(url, kDataScheme) || comma == std::string_view::npos)
        return std::nullopt;
    const std::string_view header = url.substr(kDataScheme.size(), comma - kDataScheme.size());
    const std::string_view payload = url.substr(comma + 1);
    DataAddressFacts facts;
    facts.type = std::string(header.substr(0, header.find(';')));
    if (facts.type.empty())
        facts.type = "text/plain";
    std::transform(facts.type.begin(), facts.type.end(), facts.type.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    const bool base64 =
        header.size() >= 7 && startsWithNoCase(header.substr(header.size() - 7), ";base64");
    facts.bytes = base64 ? base64DecodedLength(payload) : percentDecodedLength(payload);
    return facts;
}

} // namespace varrow
