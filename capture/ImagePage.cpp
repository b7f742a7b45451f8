#include "capture/ImagePage.h"

#include "capture/SafeMarkup.h"
#include "extract/UrlSchemes.h"
#include "platform/textfile/TextFile.h"

namespace varrow
{

std::string BuildImagePage(const ImageLists& lists)
{
    const auto& names = lists.frmList[ImageLists::kEmbeddedImages];
    const auto& addresses = lists.Links[ImageLists::kEmbeddedImages];
    constexpr std::string_view kLinkStart = "<a href='";
    constexpr std::string_view kImageStart = "'><img src='";
    constexpr std::string_view kImageEnd = "'></a><BR>";
    constexpr std::string_view kEntryEnd = "<BR><BR><BR>";
    constexpr std::size_t kFixedLength =
        kLinkStart.size() + kImageStart.size() + kImageEnd.size() + kEntryEnd.size();
    // The name list governs the count. Escapes only lengthen an entry, so its plain length
    // reserves enough for nearly every page.
    std::size_t length = 0;
    for (std::size_t i = 0; i < names.size() && i < addresses.size(); ++i)
        length += kFixedLength + 3 * addresses[i].size();
    std::string page;
    page.reserve(length);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& entry = addresses.at(i);
        const std::string url = attributeAddress(hasSafeScheme(entry) ? entry : "http://" + entry);
        page.append(kLinkStart).append(url).append(kImageStart).append(url).append(kImageEnd);
        page.append(textContent(entry)).append(kEntryEnd);
    }
    return page;
}

void WriteImagePage(const std::filesystem::path& path, const ImageLists& lists)
{
    writeTextFile(path, BuildImagePage(lists));
}

} // namespace varrow
