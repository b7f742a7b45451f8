#include "capture/cli/AddressList.h"

#include "capture/UnicodeText.h"
#include "capture/cli/CaptureCommand.h"
#include "capture/cli/PrintableText.h"

#include <unordered_map>

namespace varrow
{
namespace
{

// How much of a bad entry a problem quotes.
constexpr std::size_t kQuotedBytes = 200;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (char(text[i] | 0x20) != prefix[i] && text[i] != prefix[i])
            return false;
    return true;
}

// Why `entry` is no address, or empty when it is one.
std::string addressProblem(std::string_view entry)
{
    if (entry.size() > kMaxAddressBytes)
        return "longer than " + std::to_string(kMaxAddressBytes) + " bytes";
    std::string problem;
    forEachCharacter(entry, [&](std::string_view, char32_t c, bool wellFormed) {
        if (!problem.empty())
            return;
        if (!wellFormed)
            problem = "not UTF-8 text";
        else if (isControlCharacter(c))
            problem = "holds a control character";
        else if (c == ' ')
            problem = "holds a space";
    });
    if (!problem.empty())
        return problem;
    for (const std::string_view scheme : {"http://", "https://"})
        if (startsWith(entry, scheme))
            return entry.size() > scheme.size() && entry[scheme.size()] != '/' ? ""
                                                                               : "names no host";
    if (startsWith(entry, "file:///"))
        return "";
    return "not an http, https or file address";
}

std::string quoted(std::string_view entry)
{
    const bool cut = entry.size() > kQuotedBytes;
    return printableText(entry.substr(0, kQuotedBytes)) + (cut ? "..." : "");
}

} // namespace

AddressList parseAddressList(std::string_view text)
{
    AddressList list;
    std::unordered_map<std::string_view, std::size_t> lineOf; // each address's first line
    std::size_t line = 0;
    std::size_t position = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view entry = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!entry.empty() && entry.back() == '\r')
            entry.remove_suffix(1);
        entry = trimmed(entry);
        if (entry.empty() || entry.front() == '#')
            continue;
        const std::size_t here = position++;
        std::string problem = addressProblem(entry);
        if (problem.empty()) {
            const auto [first, isNew] = lineOf.emplace(entry, line);
            if (isNew) {
                list.addresses.push_back({here, line, std::string(entry)});
                continue;
            }
            problem = "listed before, on line " + std::to_string(first->second);
        }
        list.problems.push_back({here, line, problem + ": " + quoted(entry)});
    }
    return list;
}

std::string readAddressList(const std::string& path, std::istream& in)
{
    return readInputText(path, in, kMaxAddressListBytes);
}

} // namespace varrow
