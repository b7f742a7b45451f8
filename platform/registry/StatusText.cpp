#include "platform/registry/StatusText.h"

namespace varrow::registry
{

std::string_view statusText(Status status)
{
    switch (status) {
    case kSuccess:
        return "success";
    case kFileNotFound:
        return "no such key or value";
    case kAccessDenied:
        return "access denied";
    case kInvalidHandle:
        return "the key is not open";
    case kInvalidParameter:
        return "a name that the registry cannot hold";
    case kRegistryCorrupt:
        return "the registry store cannot be read";
    case kRegistryIoFailed:
        return "the registry store cannot be written";
    case kKeyDeleted:
        return "the key has been deleted";
    default:
        return {};
    }
}

} // namespace varrow::registry
