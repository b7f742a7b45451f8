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
    std::string page;
    // The name list governs the count.
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& entry = addresses.at(i);
        const std::string url = attributeAddress(hasSafeScheme(entry) ? entry : "http://" + entry);
        page += "<a href='" + url + "'><img src='" + url + "'></a><BR>" + textContent(entry) +
                "<BR><BR><BR>";
    }
    return page;
}

void WriteImagePage(const std::filesystem::path& path, const ImageLists& lists)
{
    writeTextFile(path, BuildImagePage(lists));
}

} // namespace varrow
