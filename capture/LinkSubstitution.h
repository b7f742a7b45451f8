#pragma once

#include "capture/EscapedText.h"
#include "platform/textfile/TextFile.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varrow
{

// One replacement pass: every occurrence of `name` becomes a link to `address`. Both are views of
// strings that outlive the substitution.
struct Substitution {
    std::string_view name;
    std::string_view address;
};

// Applies the passes one after the other. Each pass replaces, left to right and without
// overlapping, every exact occurrence of its name in the current text by its link (anchorFor),
// including occurrences inside the links that earlier passes inserted, but not inside the ones it
// inserts itself; an empty name changes nothing. Inside an inserted link only its address and its
// name are searched, never the characters of the tag itself, and an occurrence in an address, or
// anywhere in a link that stands in an address, gets the link's quoted form (anchorInAddress): so
// however the passes nest, every address stays one attribute value and no page-supplied text gets
// out of it.
//
// As the passes also link names inside the addresses that earlier passes inserted, the text can
// grow geometrically; a pass that would make it longer than `maxLengthFor` gives for the length of
// the text before the passes fails and leaves it as it was, and the later passes still run.
//
// The text is searched once for all names together, and each inserted link once when it is
// inserted, instead of once per pass. The result is kept as the text with its links cut in, so
// that it can be written out without ever being put together in memory; it views the source of
// `text`, which must outlive it, and escapes it again as it is written.
class SubstitutedText
{
public:
    // The longest text for a text of `length` bytes before the passes.
    using LengthBound = std::function<std::size_t(std::size_t length)>;

    SubstitutedText(const EscapedText& text, const std::vector<Substitution>& passes,
                    const LengthBound& maxLengthFor);
    SubstitutedText(SubstitutedText&&) noexcept;
    SubstitutedText& operator=(SubstitutedText&&) noexcept;
    ~SubstitutedText();

    // Hands the whole text to `sink`, piece by piece, in order.
    void forEachPiece(const TextPieceSink& sink) const;

    std::string text() const;

private:
    class Pieces;
    std::unique_ptr<Pieces> m_pieces;
};

std::string SubstituteSequentially(std::string_view text, const std::vector<Substitution>& passes,
                                   std::size_t maxLength);

} // namespace varrow
