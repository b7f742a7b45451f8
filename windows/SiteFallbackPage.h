#pragma once

#include "platform/versioninfo/VersionInfo.h"

#include <QString>
#include <filesystem>

namespace varrow
{

// The page the site window shows when the product website cannot be reached: the product and its
// version, what it does, and where its help (`helpFile`) and the capture command's manual are.
// Self-contained (inline style, no script, nothing to fetch); every value put in is escaped.
QString siteFallbackPage(const VersionInfo& version, const std::filesystem::path& helpFile);

} // namespace varrow
