#include "shell/LastCapture.h"

namespace varrow
{

bool LastCapture::holds(std::string_view markup, std::string_view address) const
{
    return m_complete && address == m_address && markup == m_markup;
}

LastCapture::Reloads LastCapture::note(std::string markup, std::string address,
                                       const ImageLists& lists, bool complete)
{
    const auto& names = lists.frmList[ImageLists::kEmbeddedImages];
    const auto& addresses = lists.Links[ImageLists::kEmbeddedImages];
    const bool samePage = m_complete && complete && address == m_address;
    const auto follow = [samePage](bool unchanged) {
        if (!samePage)
            return Reload::Load;
        return unchanged ? Reload::None : Reload::KeepingPlace;
    };
    const Reloads reloads{follow(markup == m_markup),
                          follow(names == m_galleryNames && addresses == m_galleryAddresses)};
    m_markup = std::move(markup);
    m_address = std::move(address);
    m_galleryNames = names;
    m_galleryAddresses = addresses;
    m_complete = complete;
    return reloads;
}

} // namespace varrow
