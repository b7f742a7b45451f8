#include "capture/WorkFiles.h"

namespace varrow
{

void WorkFiles::ResetWorkFiles(DeferredTextFiles& store) const
{
    for (const std::string_view name : {kMarkup, kScratch, kBrowser, kImages})
        store.write(pathOf(name), "");
}

} // namespace varrow
