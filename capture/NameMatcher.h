#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace varrow
{

// Finds every occurrence of a fixed set of names in a text in one pass (Aho-Corasick). The
// automaton is a full transition table over the bytes the names use when that fits a memory
// budget, and a trie with failure links otherwise.
class NameMatcher
{
public:
    // The names must be distinct and non-empty; their positions in the vector identify them.
    explicit NameMatcher(const std::vector<std::string_view>& names);

    // Whether the automaton got its full transition table (else it walks the failure links).
    bool hasFullTable() const { return static_cast<bool>(m_table); }

    // Calls `onMatch(nameIndex, start)` for every occurrence, overlapping ones included, in order
    // of their end position.
    template <typename OnMatch> void forEachMatch(std::string_view text, OnMatch&& onMatch) const
    {
        if (!m_table) {
            std::int32_t state = 0;
            for (std::size_t i = 0; i < text.size(); ++i) {
                state = sparseNext(state, static_cast<unsigned char>(text[i]));
                reportHits(state, i + 1, onMatch);
            }
            return;
        }
        // One load per byte: the entry holds the next state's row and whether a name ends there.
        std::uint32_t row = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::uint32_t entry =
                m_table[row + m_classOf[static_cast<unsigned char>(text[i])]];
            row = entry >> 1;
            if (entry & 1)
                reportHits(static_cast<std::int32_t>(row / m_classCount), i + 1, onMatch);
        }
    }

private:
    struct Node {
        std::vector<std::pair<unsigned char, std::int32_t>> children; // sorted by byte
        std::int32_t failure = 0;
        std::int32_t name = -1;       // the name that ends here
        std::int32_t dictionary = -1; // nearest node on the failure chain where a name ends
    };

    // Every name that ends at `state`, whose text ends before `end`.
    template <typename OnMatch>
    void reportHits(std::int32_t state, std::size_t end, OnMatch& onMatch) const
    {
        for (std::int32_t hit = m_firstHit[state]; hit >= 0; hit = m_nodes[hit].dictionary) {
            const std::int32_t name = m_nodes[hit].name;
            onMatch(static_cast<std::size_t>(name), end - m_lengths[name]);
        }
    }

    std::int32_t child(std::int32_t state, unsigned char byte) const;
    std::int32_t sparseNext(std::int32_t state, unsigned char byte) const;
    void buildTable(const std::vector<std::int32_t>& breadthFirstOrder);

    std::vector<Node> m_nodes;
    // Per node: itself when a name ends there, else its dictionary link. Kept apart from the nodes
    // so that the scan of a long text touches only this and the table.
    std::vector<std::int32_t> m_firstHit;
    std::vector<std::size_t> m_lengths;
    std::array<std::uint16_t, 256> m_classOf{};
    std::uint32_t m_classCount = 1;
    // Row by row, one entry per byte class: the next state's row offset, shifted left, and in the
    // low bit whether a name ends at that state. Every row is written before use, so not zeroed.
    std::unique_ptr<std::uint32_t[]> m_table;
};

} // namespace varrow
