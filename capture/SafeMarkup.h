#pragma once

#include <string>
#include <string_view>

// How page-supplied text enters the generated pages without ever becoming markup.
namespace varrow
{

// Text shown as text: every "<" becomes "&lt;".
std::string textContent(std::string_view text);

// An address inside a single-quoted attribute value: every "'" becomes "&#39;", and a script
// address becomes "about:blank".
std::string attributeAddress(std::string_view address);

// The link that the source page puts in place of a found file name.
std::string anchorFor(std::string_view address, std::string_view name);

} // namespace varrow
