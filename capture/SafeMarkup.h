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

// The link that the source page puts in place of a found file name, with where its address and
// its name stand in it; everything else in it is the tag's own.
struct Anchor {
    std::string markup;
    std::size_t addressBegin = 0;
    std::size_t addressEnd = 0;
    std::size_t nameBegin = 0;
    std::size_t nameEnd = 0;
};

// "<a href='ADDRESS'>NAME</a>", with the address made safe for the attribute and the name shown
// as text.
Anchor anchorFor(std::string_view address, std::string_view name);

// The same link for a place inside another link's address: its quotes, and any "'" of the name,
// are written as "&#39;", so that the enclosing address stays one attribute value.
Anchor anchorInAddress(std::string_view address, std::string_view name);

} // namespace varrow
