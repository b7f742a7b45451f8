#include "capture/LinkSubstitution.h"

#include "capture/NameMatcher.h"
#include "capture/SafeMarkup.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

namespace varrow
{

namespace
{

// The current text is a tree of pieces: a piece is a string in which some spans have been cut
// out and replaced by other pieces (the links inserted there). Only the address and the name of a
// piece are searched, so every match lies inside the uncut text of one piece.
class PieceTree
{
public:
    explicit PieceTree(std::string text) : m_root(std::move(text)), m_length(m_root.size())
    {
        m_pieces.push_back({m_root, 0, 0, 0, m_root.size(), false, {}});
    }
    PieceTree(const PieceTree&) = delete; // the root piece views m_root in place
    PieceTree& operator=(const PieceTree&) = delete;

    // Where a piece may be searched, and whether that stands inside an address.
    struct Region {
        std::size_t begin;
        std::string_view text;
        bool inAddress;
    };
    std::array<Region, 2> regions(std::size_t index) const
    {
        const Piece& piece = m_pieces[index];
        return {
            {{piece.addressBegin,
              piece.text.substr(piece.addressBegin, piece.addressEnd - piece.addressBegin), true},
             {piece.nameBegin, piece.text.substr(piece.nameBegin, piece.nameEnd - piece.nameBegin),
              piece.inAddress}}};
    }

    std::size_t length() const { return m_length; }
    void reservePieces(std::size_t count) { m_pieces.reserve(count); }

    // Whether [start, start + length) of `piece` overlaps a span cut out of it before.
    bool overlapsCut(std::size_t piece, std::size_t start, std::size_t length) const
    {
        const auto& cuts = m_pieces[piece].cuts;
        const auto after = cuts.lower_bound(start + length);
        return after != cuts.begin() && std::prev(after)->second.end > start;
    }

    // Replaces [start, start + length) of `piece` by a new piece showing `anchor`, which must
    // outlive the tree, and returns true with the new piece's index in `added`; returns false
    // when the span overlaps one that was cut before.
    bool tryCut(std::size_t piece, std::size_t start, std::size_t length, const Anchor& anchor,
                bool inAddress, std::size_t& added)
    {
        if (overlapsCut(piece, start, length))
            return false;
        auto& cuts = m_pieces[piece].cuts;
        added = m_pieces.size();
        cuts.emplace_hint(cuts.lower_bound(start + length), start, Cut{start + length, added});
        m_pieces.push_back({anchor.markup,
                            anchor.addressBegin,
                            anchor.addressEnd,
                            anchor.nameBegin,
                            anchor.nameEnd,
                            inAddress,
                            {}});
        m_length += anchor.markup.size() - length;
        return true;
    }

    // The whole current text. Links nest as deep as the passes go, so this walks with a stack of
    // its own instead of recursing.
    std::string flatten() const
    {
        struct Frame {
            std::size_t piece;
            Cuts::const_iterator nextCut;
            std::size_t position;
        };
        std::string result;
        result.reserve(m_length);
        std::vector<Frame> stack{{0, m_pieces[0].cuts.begin(), 0}};
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const Piece& piece = m_pieces[frame.piece];
            if (frame.nextCut == piece.cuts.end()) {
                result.append(piece.text.substr(frame.position));
                stack.pop_back();
                continue;
            }
            const auto& [start, cut] = *frame.nextCut;
            result.append(piece.text.substr(frame.position, start - frame.position));
            frame.position = cut.end;
            ++frame.nextCut;
            stack.push_back({cut.piece, m_pieces[cut.piece].cuts.begin(), 0});
        }
        return result;
    }

private:
    struct Cut {
        std::size_t end;
        std::size_t piece;
    };
    // The cuts of one piece, by start.
    using Cuts = std::map<std::size_t, Cut>;
    struct Piece {
        std::string_view text;
        std::size_t addressBegin; // the root piece has no address; its whole text is the name
        std::size_t addressEnd;
        std::size_t nameBegin;
        std::size_t nameEnd;
        bool inAddress; // the piece stands inside another link's address
        Cuts cuts;
    };

    std::string m_root;
    std::size_t m_length; // of the whole current text
    std::vector<Piece> m_pieces;
};

class SequentialSubstitution
{
public:
    SequentialSubstitution(const std::vector<Substitution>& passes, std::size_t maxLength)
        : m_passes(passes), m_maxLength(maxLength),
          m_pending(passes.size()), m_anchorOfPass{std::vector<std::int32_t>(passes.size(), -1),
                                                   std::vector<std::int32_t>(passes.size(), -1)}
    {
        std::unordered_map<std::string_view, std::size_t> indexOfName;
        std::vector<std::string_view> names;
        for (std::size_t pass = 0; pass < passes.size(); ++pass) {
            const std::string_view name = passes[pass].name;
            if (name.empty())
                continue;
            const auto [it, added] = indexOfName.emplace(name, names.size());
            if (added) {
                names.push_back(name);
                m_passesOfName.emplace_back();
            }
            m_passesOfName[it->second].push_back(pass);
        }
        m_matcher.emplace(names);
    }

    std::string run(std::string text)
    {
        if (m_passesOfName.empty())
            return text;
        m_tree.emplace(std::move(text));
        registerMatches(0, 0);
        // Each occurrence in the text is a piece to be, unless a pass fails; only links that
        // later passes find inside links make more.
        std::size_t found = 0;
        for (const std::vector<Occurrence>& pending : m_pending)
            found += pending.size();
        m_tree->reservePieces(1 + found);
        for (std::size_t pass = 0; pass < m_passes.size(); ++pass) {
            const std::vector<Occurrence> occurrences = std::exchange(m_pending[pass], {});
            if (!fits(pass, occurrences))
                continue; // the pass fails and leaves the text as it was
            for (const Occurrence& occurrence : occurrences) {
                std::size_t added = 0;
                if (m_tree->tryCut(occurrence.piece, occurrence.start, m_passes[pass].name.size(),
                                   anchorOf(pass, occurrence.inAddress), occurrence.inAddress,
                                   added))
                    registerMatches(added, pass + 1);
            }
        }
        return m_tree->flatten();
    }

private:
    struct Occurrence {
        std::size_t piece;
        std::size_t start;
        bool inAddress;
    };

    // Whether the text stays within m_maxLength once `pass` has replaced those of its occurrences
    // that it will: one piece's occurrences come from one search per region, so they are together
    // and in order. Most passes fit even if every occurrence were replaced, which needs no look at
    // the cuts.
    bool fits(std::size_t pass, const std::vector<Occurrence>& occurrences)
    {
        const std::size_t nameLength = m_passes[pass].name.size();
        auto growth = [&](const Occurrence& occurrence) {
            return anchorOf(pass, occurrence.inAddress).markup.size() - nameLength;
        };
        std::size_t length = m_tree->length();
        for (const Occurrence& occurrence : occurrences)
            length += growth(occurrence);
        if (length <= m_maxLength)
            return true;
        length = m_tree->length();
        std::optional<std::size_t> piece;
        std::size_t pieceEnd = 0; // of the last occurrence taken in `piece`
        for (const Occurrence& occurrence : occurrences) {
            if (occurrence.piece == piece && occurrence.start < pieceEnd)
                continue;
            if (m_tree->overlapsCut(occurrence.piece, occurrence.start, nameLength))
                continue;
            piece = occurrence.piece;
            pieceEnd = occurrence.start + nameLength;
            length += growth(occurrence);
            if (length > m_maxLength)
                return false;
        }
        return true;
    }

    // Each pass's two forms of its link, built when first needed and never moved, as the pieces
    // that show them keep views of them.
    const Anchor& anchorOf(std::size_t pass, bool inAddress)
    {
        std::int32_t& index = m_anchorOfPass[inAddress ? 1 : 0][pass];
        if (index < 0) {
            const Substitution& substitution = m_passes[pass];
            index = static_cast<std::int32_t>(m_anchors.size());
            m_anchors.push_back(inAddress ? anchorInAddress(substitution.address, substitution.name)
                                          : anchorFor(substitution.address, substitution.name));
        }
        return m_anchors[static_cast<std::size_t>(index)];
    }

    // Notes every occurrence in `piece` for the passes from `firstPass` on that look for it.
    void registerMatches(std::size_t piece, std::size_t firstPass)
    {
        for (const PieceTree::Region& region : m_tree->regions(piece))
            m_matcher->forEachMatch(region.text, [&](std::size_t name, std::size_t start) {
                for (const std::size_t pass : m_passesOfName[name])
                    if (pass >= firstPass)
                        m_pending[pass].push_back({piece, region.begin + start, region.inAddress});
            });
    }

    const std::vector<Substitution>& m_passes;
    const std::size_t m_maxLength;
    std::vector<std::vector<std::size_t>> m_passesOfName;
    std::optional<NameMatcher> m_matcher;
    std::optional<PieceTree> m_tree;
    std::vector<std::vector<Occurrence>> m_pending;
    std::deque<Anchor> m_anchors;                            // a deque keeps each in place
    std::array<std::vector<std::int32_t>, 2> m_anchorOfPass; // plain and quoted, -1: not built
};

} // namespace

std::string SubstituteSequentially(std::string text, const std::vector<Substitution>& passes,
                                   std::size_t maxLength)
{
    return SequentialSubstitution(passes, maxLength).run(std::move(text));
}

} // namespace varrow
