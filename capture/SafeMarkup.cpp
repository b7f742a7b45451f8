#include "capture/SafeMarkup.h"

#include "extract/TextSearch.h"
#include "extract/UrlSchemes.h"

namespace varrow
{

namespace
{

constexpr std::string_view kQuote = "'";
constexpr std::string_view kQuoteReference = "&#39;";

Anchor buildAnchor(std::string_view quote, std::string_view address, std::string_view name)
{
    Anchor anchor;
    std::string& markup = anchor.markup;
    markup.append("<a href=").append(quote);
    anchor.addressBegin = markup.size();
    markup.append(attributeAddress(address));
    anchor.addressEnd = markup.size();
    markup.append(quote).append(">");
    anchor.nameBegin = markup.size();
    markup.append(quote == kQuote ? textContent(name)
                                  : replaceAll(textContent(name), kQuote, kQuoteReference));
    anchor.nameEnd = markup.size();
    markup.append("</a>");
    return anchor;
}

} // namespace

std::string textContent(std::string_view text)
{
    return replaceAll(text, "<", "&lt;");
}

std::string attributeAddress(std::string_view address)
{
    if (isScriptAddress(address))
        return "about:blank";
    return replaceAll(address, kQuote, kQuoteReference);
}

Anchor anchorFor(std::string_view address, std::string_view name)
{
    return buildAnchor(kQuote, address, name);
}

Anchor anchorInAddress(std::string_view address, std::string_view name)
{
    return buildAnchor(kQuoteReference, address, name);
}

} // namespace varrow
