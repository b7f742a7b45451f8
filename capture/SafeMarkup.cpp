#include "capture/SafeMarkup.h"

#include "extract/TextSearch.h"
#include "extract/UrlSchemes.h"

namespace varrow
{

std::string textContent(std::string_view text)
{
    return replaceAll(text, "<", "&lt;");
}

std::string attributeAddress(std::string_view address)
{
    if (isScriptAddress(address))
        return "about:blank";
    return replaceAll(address, "'", "&#39;");
}

std::string anchorFor(std::string_view address, std::string_view name)
{
    return "<a href='" + attributeAddress(address) + "'>" + textContent(name) + "</a>";
}

} // namespace varrow
