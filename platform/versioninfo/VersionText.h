#pragma once

#include "platform/versioninfo/VersionInfo.h"

#include <string_view>

namespace varrow
{

// The text that carries the version information inside an ELF executable: one field per line,
// "Key=Value", lines ending at LF (a CR before the LF is dropped), for example
//
//     ProductName=Varrow
//     CompanyName=Varrow Project
//     Comments=www.varrow.example
//     FileVersion=1.0
//
// The key is the text before the first "=", the value everything after it, kept exactly
// (including spaces and further "="). Any field may be missing or empty; lines without "=",
// unknown keys and anything after a NUL byte are ignored, and a later line for the same key
// replaces an earlier one. "FileVersion" is one to four decimal numbers from 0 to 65535 separated
// by "." (as in a Windows file version); major and minor are the first two, a missing minor is 0,
// and a malformed version gives 0.0.
VersionInfo parseVersionText(std::string_view text);

} // namespace varrow
