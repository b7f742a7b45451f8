#include "extract/ReferenceResolver.h"

#include "extract/AddressFunctions.h"
#include "extract/TextSearch.h"
#include "extract/UrlSchemes.h"

namespace varrow
{

namespace
{

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kParentStep = "../";

// "scheme://host/" of an address; without "://" the text up to its first "/". An address that
// ends at its host gets the "/" added.
std::string hostRootOf(const std::string& address)
{
    const std::size_t schemeEnd = address.find("://");
    const std::size_t hostStart = schemeEnd == npos ? 0 : schemeEnd + 3;
    const std::size_t slash = address.find('/', hostStart);
    return slash == npos ? address + "/" : address.substr(0, slash + 1);
}

std::string rootRelativeBaseOf(const std::string& directory)
{
    if (containsNoCase(directory, kHttp)) {
        const std::string host = replaceAllNoCase(directory, kHttp, "");
        const std::size_t slash = host.find('/');
        if (slash == npos)
            return directory + "/";
        return std::string(kHttp) + host.substr(0, slash + 1);
    }
    if (contains(directory, "://"))
        return hostRootOf(directory);
    return directory;
}

std::string relativeBaseOf(const std::string& directory)
{
    std::string base = directory;
    // Found in any letter case, but only the lower-case form is taken out.
    const bool hadScheme = containsNoCase(base, kHttp);
    if (hadScheme)
        base = replaceAll(base, kHttp, "");
    if (base.empty() || base.back() != '/')
        base = GetParentDir(base);
    if (containsNoCase(base, ReferenceResolver::kOldMemberHost))
        base = replaceAllNoCase(base, ReferenceResolver::kOldMemberHost,
                                ReferenceResolver::kNewMemberHost);
    if (hadScheme)
        base.insert(0, kHttp);
    return base;
}

std::size_t countOccurrences(std::string_view text, std::string_view needle)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != npos; at = text.find(needle, at + needle.size()))
        ++count;
    return count;
}

} // namespace

ReferenceResolver::ReferenceResolver(std::string_view pageAddress, std::string pageDirectory)
    : m_scheme(schemeOf(pageAddress)), m_directory(std::move(pageDirectory)),
      m_hostRoot(hostRootOf(m_directory)), m_rootRelativeBase(rootRelativeBaseOf(m_directory)),
      m_relativeBase(relativeBaseOf(m_directory))
{
}

std::string ReferenceResolver::resolve(std::string_view reference) const
{
    if (containsNoCase(reference, kHttp) || hasSafeScheme(reference))
        return std::string(reference);
    if (reference.starts_with("//"))
        return m_scheme + ":" + std::string(reference);
    if (contains(reference, kParentStep))
        return climbedDirectory(countOccurrences(reference, kParentStep)) +
               replaceAll(reference, kParentStep, "");
    if (reference.starts_with('/'))
        return m_rootRelativeBase + std::string(reference.substr(1));
    return m_relativeBase + std::string(reference);
}

std::string ReferenceResolver::climbedDirectory(std::size_t levels) const
{
    std::string directory = m_directory;
    if (directory.empty() || directory.back() != '/')
        directory += '/';
    for (; levels > 0 && directory.size() > m_hostRoot.size(); --levels) {
        const std::size_t slash = directory.rfind('/', directory.size() - 2);
        if (slash == npos || slash + 1 < m_hostRoot.size())
            return m_hostRoot;
        directory.resize(slash + 1);
    }
    return directory;
}

} // namespace varrow
