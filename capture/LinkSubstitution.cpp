#include "capture/LinkSubstitution.h"

#include "capture/NameMatcher.h"
#include "extract/TextSearch.h"

#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

namespace varrow
{

namespace
{

// The current text is a tree of pieces: a piece is a string in which some spans have been cut
// out and replaced by other pieces (the anchors inserted there). A match of a later pass lies
// inside the uncut text of one piece, since a name without "<" cannot reach into an anchor that
// begins with "<", and no name reaches out of one, as names never contain the ">" that ends it.
class PieceTree
{
public:
    // The anchors that later cuts insert must outlive the tree; the tree keeps only views of them.
    explicit PieceTree(std::string text) : m_root(std::move(text)), m_length(m_root.size())
    {
        m_pieces.push_back({m_root, {}});
    }
    PieceTree(const PieceTree&) = delete; // pieces view m_root in place
    PieceTree& operator=(const PieceTree&) = delete;

    struct Cut {
        std::size_t end;
        std::size_t piece;
    };

    std::string_view text(std::size_t piece) const { return m_pieces[piece].text; }

    // Replaces [start, start + length) of `piece` by a new piece showing `replacement` and returns
    // its index, or returns nothing when the span overlaps one that was cut before.
    bool tryCut(std::size_t piece, std::size_t start, std::size_t length,
                std::string_view replacement, std::size_t& added)
    {
        auto& cuts = m_pieces[piece].cuts;
        auto after = cuts.lower_bound(start + length);
        if (after != cuts.begin() && std::prev(after)->second.end > start)
            return false;
        added = m_pieces.size();
        cuts.emplace_hint(after, start, Cut{start + length, added});
        m_pieces.push_back({replacement, {}});
        m_length += replacement.size() - length;
        return true;
    }

    // The whole current text. Anchors nest as deep as the passes go, so this walks with a stack of
    // its own instead of recursing.
    std::string flatten() const
    {
        struct Frame {
            std::size_t piece;
            std::map<std::size_t, Cut>::const_iterator nextCut;
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
    struct Piece {
        std::string_view text;
        std::map<std::size_t, Cut> cuts;
    };
    std::string m_root;
    std::size_t m_length; // of the whole current text
    std::vector<Piece> m_pieces;
};

class SequentialSubstitution
{
public:
    explicit SequentialSubstitution(const std::vector<Substitution>& passes)
        : m_passes(passes), m_pending(passes.size())
    {
        std::unordered_map<std::string_view, std::size_t> indexOfName;
        std::vector<std::string_view> names;
        for (std::size_t pass = 0; pass < passes.size(); ++pass) {
            const std::string_view name = passes[pass].name;
            if (name.empty() || contains(name, "<"))
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
        restart(std::move(text), 0);
        for (std::size_t pass = 0; pass < m_passes.size(); ++pass) {
            const Substitution& substitution = m_passes[pass];
            if (substitution.name.empty())
                continue;
            if (contains(substitution.name, "<")) {
                restart(replaceAll(m_tree->flatten(), substitution.name, substitution.anchor),
                        pass + 1);
                continue;
            }
            // One piece's occurrences come from one search, so they are in order and together.
            for (const Occurrence& occurrence : std::exchange(m_pending[pass], {})) {
                std::size_t anchor = 0;
                if (m_tree->tryCut(occurrence.piece, occurrence.start, substitution.name.size(),
                                   substitution.anchor, anchor))
                    registerMatches(anchor, pass + 1);
            }
        }
        return m_tree->flatten();
    }

private:
    struct Occurrence {
        std::size_t piece;
        std::size_t start;
    };

    void restart(std::string text, std::size_t firstPass)
    {
        for (std::size_t pass = firstPass; pass < m_pending.size(); ++pass)
            m_pending[pass].clear();
        m_tree.emplace(std::move(text));
        registerMatches(0, firstPass);
    }

    // Notes every occurrence in `piece` for the passes from `firstPass` on that look for it.
    void registerMatches(std::size_t piece, std::size_t firstPass)
    {
        m_matcher->forEachMatch(m_tree->text(piece), [&](std::size_t name, std::size_t start) {
            for (const std::size_t pass : m_passesOfName[name])
                if (pass >= firstPass)
                    m_pending[pass].push_back({piece, start});
        });
    }

    const std::vector<Substitution>& m_passes;
    std::vector<std::vector<std::size_t>> m_passesOfName;
    std::optional<NameMatcher> m_matcher;
    std::optional<PieceTree> m_tree;
    std::vector<std::vector<Occurrence>> m_pending;
};

} // namespace

std::string SubstituteSequentially(std::string text, const std::vector<Substitution>& passes)
{
    return SequentialSubstitution(passes).run(std::move(text));
}

} // namespace varrow
