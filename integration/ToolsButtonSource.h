#pragma once

#include <string>

namespace varrow
{

// Where the toolbar entry's texts and paths come from, asked afresh at every install. Strings
// are in the system's 8-bit code page.
class ToolsButtonSource
{
public:
    virtual ~ToolsButtonSource() = default;

    // The ProductName field of the program's version information, read afresh at each call.
    virtual std::string productName() const = 0;
    // The full path of the running executable as the process reports it; its directory is the
    // program directory.
    virtual std::string executablePath() const = 0;
};

} // namespace varrow
