#include "platform/registry/Registry.h"

namespace varrow::registry
{

std::string_view rootKeyName(Key root)
{
    switch (root) {
    case kClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case kCurrentUser:
        return "HKEY_CURRENT_USER";
    case kLocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case kUsers:
        return "HKEY_USERS";
    default:
        return {};
    }
}

} // namespace varrow::registry
