#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace varrow
{

// Finds every occurrence of a fixed set of names in a text in one pass (Aho-Corasick). The states
// are numbered breadth first, so the shallow ones, where a scan spends nearly all its time, come
// first: those get full rows of a transition table over the bytes the names use, up to a small
// memory budget, and the deeper ones are walked through their children and failure links. So the
// automaton of many long names costs memory in proportion to their length, not to their length
// times the alphabet.
class NameMatcher
{
public:
    // The names must be distinct and non-empty; their positions in the vector identify them.
    // `textLength`, how much text is to be searched, lets the table grow with it: a larger table
    // pays for its building and its memory only over a long text.
    explicit NameMatcher(const std::vector<std::string_view>& names, std::size_t textLength = 0);

    // Whether every state got its row of the table (else the deeper ones walk the failure links).
    bool hasFullTable() const { return m_denseStates == m_failure.size(); }

    // A search of a text handed over piece by piece, in order, as if it were one string: the
    // occurrences that run across pieces are found too.
    class Search
    {
    public:
        explicit Search(const NameMatcher& matcher) : m_matcher(matcher) {}

        // Calls `onMatch(nameIndex, start)` for every occurrence that ends in `piece`, overlapping
        // ones included, in order of their end position; `start` counts from the beginning of
        // the first piece.
        template <typename OnMatch> void feed(std::string_view piece, OnMatch&& onMatch)
        {
            const NameMatcher& matcher = m_matcher;
            for (std::size_t i = 0; i < piece.size(); ++i) {
                if (m_place < matcher.m_tableSize) {
                    i = matcher.walkTable(piece, i, m_place);
                    if (i == piece.size())
                        break;
                } else {
                    // A state without a row: the bytes are walked through the trie until a state
                    // with one.
                    const std::uint32_t entry = matcher.sparseStep(
                        matcher.stateAt(m_place), static_cast<unsigned char>(piece[i]));
                    m_place = entry >> 1;
                    if (!(entry & 1))
                        continue;
                }
                // The state reached at byte i needs a closer look: a name may end there.
                matcher.reportHits(matcher.stateAt(m_place), m_fed + i + 1, onMatch);
            }
            m_fed += piece.size();
        }

    private:
        const NameMatcher& m_matcher;
        std::uint32_t m_place = 0; // of the state reached, as walkTable keeps it
        std::size_t m_fed = 0;     // the length of the pieces before
    };

    // Calls `onMatch(nameIndex, start)` for every occurrence in `text`, as Search::feed does.
    template <typename OnMatch> void forEachMatch(std::string_view text, OnMatch&& onMatch) const
    {
        Search(*this).feed(text, onMatch);
    }

private:
    // Every name that ends at `state`, whose text ends before `end`.
    template <typename OnMatch>
    void reportHits(std::int32_t state, std::size_t end, OnMatch& onMatch) const
    {
        for (std::int32_t hit = firstHit(state); hit >= 0; hit = m_dictionary[hit]) {
            const std::int32_t name = m_nameAt[hit];
            onMatch(static_cast<std::size_t>(name), end - m_lengths[name]);
        }
    }

    // The nearest state, itself included, where a name ends on its failure chain, or -1.
    std::int32_t firstHit(std::int32_t state) const
    {
        return m_nameAt[state] >= 0 ? state : m_dictionary[state];
    }

    // A state's place: the offset of its row for a state in the table, else the table's size
    // plus its number among the states beyond the table.
    std::uint32_t placeOf(std::int32_t state) const;
    std::int32_t stateAt(std::uint32_t place) const
    {
        return static_cast<std::int32_t>(place < m_tableSize ? place / m_classCount
                                                             : place - m_tableSize + m_denseStates);
    }
    // Follows the table from the state at `place` through text[from...] up to the first state that
    // needs a closer look, whose place it leaves in `place`, and returns the position of the byte
    // that led there; text.size() when there is none. One load per byte, kept out of line so that
    // the loop has the registers to itself.
    std::size_t walkTable(std::string_view text, std::size_t from, std::uint32_t& place) const;
    // The entry for `state`, not in the table, followed by `byte`.
    std::uint32_t sparseStep(std::int32_t state, unsigned char byte) const;
    // The entry for a step into `state`: its place, and whether a name ends there or it has no
    // row.
    std::uint32_t entryOf(std::int32_t state) const;
    std::int32_t child(std::int32_t state, unsigned char byte) const;

    void buildTrie(const std::vector<std::string_view>& names);
    void linkFailures();
    void buildTable(std::size_t textLength);

    // Per state, in breadth-first order. The children of a state are the states from
    // m_childBegin[state] up to m_childBegin[state + 1], in byte order.
    std::vector<std::int32_t> m_childBegin;
    std::vector<unsigned char> m_byteInto; // the last byte of the state's text
    std::vector<std::int32_t> m_failure;
    std::vector<std::int32_t> m_nameAt;     // the name that ends here, or -1
    std::vector<std::int32_t> m_dictionary; // nearest state on the failure chain where one ends
    std::vector<std::size_t> m_lengths;
    std::array<std::uint16_t, 256> m_classOf{};
    std::uint32_t m_classCount = 1;
    std::size_t m_denseStates = 0;
    std::uint32_t m_tableSize = 0; // m_denseStates rows of m_classCount entries
    // Row by row, one entry per byte class: entryOf the next state. Every row is written before
    // use, so not zeroed.
    std::unique_ptr<std::uint32_t[]> m_table;
};

} // namespace varrow
