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

// Hands the gallery to `sink` one entry at a time. The name list governs the count.
void forEachEntry(const ImageLists& lists, const TextPieceSink& sink)
{
    const auto& names = lists.frmList[ImageLists::kEmbeddedImages];
    const auto& addresses = lists.Links[ImageLists::kEmbeddedImages];
    std::string entry;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& address = addresses.at(i);
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
