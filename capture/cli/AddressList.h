#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// The list of addresses that varrow-capture --load-list captures: one address a line.
namespace varrow
{

// The most bytes a list may have (64 MiB, far beyond a million addresses), and one line of it.
inline constexpr std::size_t kMaxAddressListBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxAddressBytes = 8192;

// One address of the list, with its place among the list's entries (blank and comment lines not
// counted, bad ones counted) from 0, and its line from 1.
struct ListedAddress {
    std::size_t position = 0;
    std::size_t line = 0;
    std::string address;
};

// A line that holds no address, and why, ready to print (control characters escaped, long text
// cut).
struct AddressListProblem {
    std::size_t position = 0;
    std::size_t line = 0;
    std::string reason;
};

struct AddressList {
    std::vector<ListedAddress> addresses;
    std::vector<AddressListProblem> problems;
};

// Reads the list's text: lines end at LF (a CR before it is dropped); spaces and tabs around an
// address are dropped; blank lines and lines starting with "#" are skipped. An entry counts as an
// address when it is valid UTF-8 of at most kMaxAddressBytes without control characters or
// spaces, and starts with "http://" or "https://" and a host, or with "file:///"; every other
// entry, and an address listed before, is a problem.
AddressList parseAddressList(std::string_view text);

// The text of the list file `path` ("-" is `in`), at most kMaxAddressListBytes; throws FileError
// when it cannot be read or is longer.
std::string readAddressList(const std::string& path, std::istream& in);

} // namespace varrow
