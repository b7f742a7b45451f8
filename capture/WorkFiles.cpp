#include "capture/WorkFiles.h"

#include "platform/textfile/TextFile.h"

namespace varrow
{

void WorkFiles::ResetWorkFiles() const
{
    for (const std::string_view name : {kMarkup, kScratch, kBrowser, kImages})
        writeTextFile(pathOf(name), "");
}

} // namespace varrow
