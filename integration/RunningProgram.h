#pragma once

#include "integration/ToolsButtonSource.h"
#include "platform/versioninfo/VersionInfo.h"

namespace varrow
{

// The toolbar entry's source for the program that is running: its own version information and
// its executable file. Using it needs the version-information layer linked in.
class RunningProgram : public ToolsButtonSource
{
public:
    std::string productName() const override { return readOwnVersionInfo().productName; }
    std::string executablePath() const override { return runningExecutablePath().string(); }
};

} // namespace varrow
