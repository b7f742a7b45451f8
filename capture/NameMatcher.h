#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
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
// times the alphabet. A long text is followed in several stretches at once.
class NameMatcher
{
    // The search follows this many stretches of a long text at once. Each step of the automaton
    // waits for the load of the step before, so one stretch leaves the processor idle most of the
    // time; steps of different stretches do not wait for each other.
    static constexpr std::size_t kStretches = 4;
    // A stretch is at least this long, so that following it from the root, a longest name before
    // its start, costs little.
    static constexpr std::size_t kLeastStretch = std::size_t{2} << 10;

    struct HeldMatch {
        std::size_t name;
        std::size_t start;
    };
    // The occurrences of every stretch but the first, held until those before are reported.
    using HeldMatches = std::array<std::vector<HeldMatch>, kStretches - 1>;

public:
    // The names must be distinct and non-empty; their positions in the vector identify them.
    // `textLength`, how much text is to be searched, lets the table grow with it: a larger table
    // pays for its building and its memory only over a long text.
    explicit NameMatcher(const std::vector<std::string_view>& names, std::size_t textLength = 0);

    // Whether every state got its row of the table (else the deeper ones walk the failure links).
    bool hasFullTable() const { return m_denseStates == m_failure.size(); }

    // Thrown by a search that would hold more occurrences than it was allowed.
    struct TooManyHeld {
    };

    // A search of a text handed over piece by piece, in order, as if it were one string: the
    // occurrences that run across pieces are found too. It holds at most `maxHeld` occurrences of
    // each stretch (see feed) and throws TooManyHeld beyond, as names that occur inside each
    // other can occur far more often than the text is long.
    class Search
    {
    public:
        explicit Search(const NameMatcher& matcher,
                        std::size_t maxHeld = std::numeric_limits<std::size_t>::max())
            : m_matcher(matcher), m_maxHeld(maxHeld)
        {
        }

        // Calls `onMatch(nameIndex, start)` for every occurrence that ends in `piece`, overlapping
        // ones included; `start` counts from the beginning of the first piece. The occurrences of
        // each name come in text order. A long piece is searched in stretches followed at once,
        // whose occurrences come stretch after stretch, so those of different names may not.
        template <typename OnMatch> void feed(std::string_view piece, OnMatch&& onMatch)
        {
            m_place =
                m_matcher.splitsInStretches(piece.size())
                    ? m_matcher.followInStretches(piece, m_fed, m_place, onMatch, m_held, m_maxHeld)
                    : m_matcher.follow(piece, m_fed, m_place, onMatch);
            m_fed += piece.size();
        }

    private:
        const NameMatcher& m_matcher;
        std::size_t m_maxHeld;
        std::uint32_t m_place = 0; // of the state reached, as walkTable keeps it
        std::size_t m_fed = 0;     // the length of the pieces before
        HeldMatches m_held;        // room for the stretches' occurrences, kept between pieces
    };

    // Calls `onMatch(nameIndex, start)` for every occurrence in `text`, as Search::feed does.
    template <typename OnMatch>
    void forEachMatch(std::string_view text, OnMatch&& onMatch,
                      std::size_t maxHeld = std::numeric_limits<std::size_t>::max()) const
    {
        Search(*this, maxHeld).feed(text, onMatch);
    }

private:
    // Whether a text of `length` bytes is searched in stretches.
    bool splitsInStretches(std::size_t length) const
    {
        return length >= kStretches * kLeastStretch && m_longest > 0 &&
               m_longest <= length / kStretches;
    }

    // Follows `text`, whose first byte stands at `offset` in the whole text, from the state at
    // `place`, reporting every occurrence that ends in it, and returns the place reached.
    template <typename OnMatch>
    std::uint32_t follow(std::string_view text, std::size_t offset, std::uint32_t place,
                         OnMatch& onMatch) const
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (place < m_tableSize) {
                i = walkTable(text, i, place);
                if (i == text.size())
                    break;
            } else {
                // A state without a row: the bytes are walked through the trie until a state
                // with one.
                const std::uint32_t entry =
                    sparseStep(stateAt(place), static_cast<unsigned char>(text[i]));
                place = entry >> 1;
                if (!(entry & 1))
                    continue;
            }
            // The state reached at byte i needs a closer look: a name may end there.
            reportHits(stateAt(place), offset + i + 1, onMatch);
        }
        return place;
    }

    // As follow, in kStretches stretches of `text` at once. The first goes on from `place`; each
    // other starts at the root a longest name before its start, so that the state it reaches there
    // is the one a single search would have, and reports only what ends within it. The
    // occurrences of each stretch are reported after those of the stretches before.
    template <typename OnMatch>
    std::uint32_t followInStretches(std::string_view text, std::size_t offset, std::uint32_t place,
                                    OnMatch& onMatch, HeldMatches& held, std::size_t maxHeld) const
    {
        using Positions = std::array<std::size_t, kStretches>;
        Positions at{};          // the next byte of each stretch
        Positions end{};         // of its bytes to follow
        Positions reportAfter{}; // occurrences that end here or before are another's
        Entries entries{};       // entryOf the state each has reached
        const std::size_t length = text.size() / kStretches;
        for (std::size_t k = 1; k < kStretches; ++k) {
            reportAfter[k] = k * length;
            at[k] = reportAfter[k] - (m_longest - 1);
            end[k - 1] = reportAfter[k];
        }
        end.back() = text.size();
        entries[0] = place << 1;

        // The state that stretch k reached needs a closer look: a name may end there.
        auto lookCloser = [&](std::size_t k) {
            if (at[k] <= reportAfter[k])
                return;
            const std::int32_t state = stateAt(entries[k] >> 1);
            if (k == 0) {
                reportHits(state, offset + at[k], onMatch);
            } else {
                auto hold = [&](std::size_t name, std::size_t start) {
                    if (held[k - 1].size() >= maxHeld)
                        throw TooManyHeld{};
                    held[k - 1].push_back({name, start});
                };
                reportHits(state, offset + at[k], hold);
            }
        };
        // One step of stretch k on its own.
        auto step = [&](std::size_t k) {
            const auto byte = static_cast<unsigned char>(text[at[k]++]);
            entries[k] = entryAfter(entries[k] >> 1, byte);
            if (entries[k] & 1)
                lookCloser(k);
        };
        for (;;) {
            // A stretch in a state without a row steps on its own until it reaches one.
            for (std::size_t k = 0; k < kStretches; ++k)
                while (at[k] < end[k] && entries[k] >> 1 >= m_tableSize)
                    step(k);
            std::size_t together = text.size();
            for (std::size_t k = 0; k < kStretches; ++k)
                together = std::min(together, end[k] - at[k]);
            if (together == 0)
                break;
            std::array<const char*, kStretches> bytes{};
            for (std::size_t k = 0; k < kStretches; ++k)
                bytes[k] = text.data() + at[k];
            const std::size_t steps = walkTableTogether(bytes, together, entries);
            for (std::size_t k = 0; k < kStretches; ++k) {
                at[k] += steps;
                if (entries[k] & 1)
                    lookCloser(k);
            }
        }
        for (std::size_t k = 0; k < kStretches; ++k)
            while (at[k] < end[k])
                step(k);
        for (std::vector<HeldMatch>& matches : held) {
            for (const HeldMatch& match : matches)
                onMatch(match.name, match.start);
            matches.clear();
        }
        return entries.back() >> 1;
    }

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
    // As walkTable, for kStretches texts of `count` bytes each at once, each from the state whose
    // entry is in `entries`: up to the first step after which any of them needs a closer look.
    // Leaves the entries of the states reached in `entries` and returns how many steps each took.
    using Entries = std::array<std::uint32_t, kStretches>;
    std::size_t walkTableTogether(const std::array<const char*, kStretches>& texts,
                                  std::size_t count, Entries& entries) const;
    // The entry for `state`, not in the table, followed by `byte`.
    std::uint32_t sparseStep(std::int32_t state, unsigned char byte) const;
    // The entry for the state at `place` followed by `byte`: from its row, or through the trie.
    std::uint32_t entryAfter(std::uint32_t place, unsigned char byte) const
    {
        return place < m_tableSize ? m_table[place + m_classOf[byte]]
                                   : sparseStep(stateAt(place), byte);
    }
    // The entry for a step into `state`: its place, and whether a name ends there or it has no
    // row.
    std::uint32_t entryOf(std::int32_t state) const;
    std::int32_t child(std::int32_t state, unsigned char byte) const;

    void buildTrie(const std::vector<std::string_view>& names);
    // Sorts the bytes into classes and chooses how many states get a row of the table.
    void sizeTable(std::size_t textLength);
    // Sets every state's failure target and nearest state where a name ends, and fills the rows.
    void linkStates();
    // The row of `state`: its failure target's, with its own children's entries.
    void fillRow(std::size_t state);

    // Per state, in breadth-first order. The children of a state are the states from
    // m_childBegin[state] up to m_childBegin[state + 1], in byte order.
    std::vector<std::int32_t> m_childBegin;
    std::vector<unsigned char> m_byteInto; // the last byte of the state's text
    std::vector<std::int32_t> m_failure;
    std::vector<std::int32_t> m_nameAt;     // the name that ends here, or -1
    std::vector<std::int32_t> m_dictionary; // nearest state on the failure chain where one ends
    std::vector<std::size_t> m_lengths;
    std::size_t m_longest = 0; // of the names
    std::array<std::uint16_t, 256> m_classOf{};
    std::uint32_t m_classCount = 1;
    std::size_t m_denseStates = 0;
    std::uint32_t m_tableSize = 0; // m_denseStates rows of m_classCount entries
    // Row by row, one entry per byte class: entryOf the next state. Every row is written before
    // use, so not zeroed.
    std::unique_ptr<std::uint32_t[]> m_table;
};

} // namespace varrow
