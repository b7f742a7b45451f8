#pragma once

#include <string>
#include <vector>

namespace varrow
{

// `arguments` as the null-ended array of C strings that posix_spawn takes; it points into
// `arguments`, which must outlive it.
inline std::vector<char*> argumentVector(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

} // namespace varrow
