#pragma once

#include <string>
#include <string_view>

namespace varrow
{

// Turns a reference found in markup into a full address against one page directory. Every
// directory-derived base is worked out once, so resolving costs only the concatenation.
class ReferenceResolver
{
public:
    // `pageAddress` is the address of the page as the browser reports it; `pageDirectory` the
    // directory the scanners derived from it.
    ReferenceResolver(std::string_view pageAddress, std::string pageDirectory);

    // The first rule that applies:
    // - absolute: contains "http://" anywhere (any case), or begins with a non-script scheme:
    //   unchanged;
    // - protocol-relative ("//host/x"): the page's scheme, ":" and the reference;
    // - parent-relative (contains "../"): every "../" removed, each one climbing one directory from
    //   the page directory but never above its "scheme://host/" root, then the rest joined;
    // - root-relative ("/x"): the host root of the page directory, then the rest;
    // - anything else: joined to the page directory.
    std::string resolve(std::string_view reference) const;

    // The older host of the member-pages service and its current one; a relative reference on a
    // page of the older host is resolved against the current host.
    static constexpr std::string_view kOldMemberHost = "homes.varrow";
    static constexpr std::string_view kNewMemberHost = "home.varrow";

private:
    std::string climbedDirectory(std::size_t levels) const;

    std::string m_scheme;
    std::string m_directory;
    std::string m_hostRoot;
    std::string m_rootRelativeBase;
    std::string m_relativeBase;
};

} // namespace varrow
