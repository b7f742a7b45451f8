#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varrow
{

// One replacement pass: every occurrence of `name` becomes `anchor`.
struct Substitution {
    std::string name;
    std::string anchor;
};

// Applies the passes one after the other. Each pass replaces, left to right and without
// overlapping, every exact occurrence of its name in the whole current text, including the
// anchors that earlier passes inserted, but not the anchors it inserts itself; an empty name
// changes nothing.
//
// Anchors must begin with "<" and end with ">". The result equals the sequential passes, but the
// text is searched once for all names together, and each inserted anchor once when it is
// inserted, instead of once per pass. A name that contains "<" may match across the start of an
// inserted anchor; such a pass runs over the whole text.
std::string SubstituteSequentially(std::string text, const std::vector<Substitution>& passes);

} // namespace varrow
