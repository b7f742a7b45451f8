// Changes a store as a separate program would, for the test of programs writing at the same time:
//   registry_store_writer KEY NAME COUNT
// creates KEY\NAME and writes the values NAME-0 ... NAME-<COUNT-1> (each holding its own name)
// into KEY, one createKey and setStringValue per value.
#include "platform/registry/Registry.h"

#include <iostream>
#include <string>

using namespace varrow::registry;

namespace
{

bool succeeded(Status status)
{
    if (status != kSuccess)
        std::cerr << "registry_store_writer: " << describeStatus(status) << '\n';
    return status == kSuccess;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: registry_store_writer KEY NAME COUNT\n";
        return 2;
    }
    const std::string key = argv[1];
    const std::string name = argv[2];
    const int count = std::stoi(argv[3]);
    Key opened = 0;
    if (!succeeded(createKey(kLocalMachine, key + "\\" + name, kAllAccess, opened)))
        return 1;
    closeKey(opened);
    for (int i = 0; i < count; ++i) {
        const std::string valueName = name + "-" + std::to_string(i);
        if (!succeeded(createKey(kLocalMachine, key, kAllAccess, opened)))
            return 1;
        const bool written = succeeded(setStringValue(opened, &valueName, valueName));
        closeKey(opened);
        if (!written)
            return 1;
    }
    return 0;
}
