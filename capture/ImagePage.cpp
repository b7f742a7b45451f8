#include "capture/ImagePage.h"

#include "capture/SafeMarkup.h"
#include "extract/UrlSchemes.h"
#include "platform/textfile/TextFile.h"

namespace varrow
{

namespace
{

constexpr std::string_view kLinkStart = "<a href='";
constexpr std::string_view kImageStart = "'><img src='";
constexpr std::string_view kImageEnd = "'></a><BR>";
constexpr std::string_view kEntryEnd = "<BR><BR><BR>";

// Hands the gallery to `sink` one entry at a time.
void forEachEntry(const ImageLists& lists, const TextPieceSink& sink)
{
    std::string entry;
    for (const FoundImage& image : lists[ImageLists::kEmbeddedImages]) {
        const std::string& address = image.address;
        const std::string url =
            attributeAddress(hasSafeScheme(address) ? address : "http://" + address);
        entry.assign(kLinkStart).append(url).append(kImageStart).append(url).append(kImageEnd);
        entry.append(textContent(address)).append(kEntryEnd);
        sink(entry);
    }
}

} // namespace

std::string BuildImagePage(const ImageLists& lists)
{
    std::string page;
    forEachEntry(lists, [&](std::string_view entry) { page.append(entry); });
    return page;
}

void WriteImagePage(const std::filesystem::path& path, const ImageLists& lists)
{
    writeTextFileInPieces(path, [&](const TextPieceSink& sink) { forEachEntry(lists, sink); });
}

} // namespace varrow
