#pragma once

#include "platform/registry/Registry.h"

#include <string_view>

namespace varrow::registry
{

// Our short reason for the result codes that the registry layer names; empty for any other code.
std::string_view statusText(Status status);

} // namespace varrow::registry
