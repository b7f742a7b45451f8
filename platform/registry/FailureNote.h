#pragma once

#include "platform/registry/Registry.h"

#include <string>

namespace varrow::registry
{

// Records for describeStatus why the operation in progress on this thread failed, and returns
// `status` so that a failing path can end with `return noteFailure(...)`.
Status noteFailure(Status status, std::string detail);

// The detail of the last failure on this thread when it ended with `status`, otherwise empty.
std::string failureDetail(Status status);

} // namespace varrow::registry
