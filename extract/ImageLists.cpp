#include "extract/ImageLists.h"

namespace varrow
{

bool ImageList::add(std::string name, std::string address)
{
    if (!m_names.insert(name).second)
        return false;
    m_entries.push_back({std::move(name), std::move(address)});
    return true;
}

} // namespace varrow
