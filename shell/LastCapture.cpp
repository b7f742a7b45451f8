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
    const ImageList& gallery = lists[ImageLists::kEmbeddedImages];
    const bool samePage = m_complete && complete && address == m_address;
    const auto follow = [samePage](bool unchanged) {
        if (!samePage)
            return Reload::Load;
        return unchanged ? Reload::None : Reload::KeepingPlace;
    };
    const Reloads reloads{follow(markup == m_markup), follow(gallery == m_gallery)};
    m_markup = std::move(markup);
    m_address = std::move(address);
    m_gallery = gallery;
    m_complete = complete;
    return reloads;
}

} // namespace varrow
