#include "capture/NameMatcher.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace varrow
{

namespace
{
// The transition table's size, in entries of 4 bytes: up to an eighth of the text's length in
// bytes, within a floor of 16 KiB, which stays in the first-level cache, and a ceiling of 1 MiB,
// which stays in the second-level one. So a small page never builds a table larger than itself,
// and the table is built only as far as the states go, so a page with few names builds a small
// one.
constexpr std::size_t kLeastTableBudget = std::size_t{1} << 12;
constexpr std::size_t kMostTableBudget = std::size_t{1} << 18;
constexpr std::size_t kTextBytesPerEntry = 32;
} // namespace

NameMatcher::NameMatcher(const std::vector<std::string_view>& names, std::size_t textLength)
{
    m_lengths.reserve(names.size());
    for (const std::string_view name : names) {
        m_lengths.push_back(name.size());
        m_longest = std::max(m_longest, name.size());
    }
    buildTrie(names);
    sizeTable(textLength);
    linkStates();
}

void NameMatcher::buildTrie(const std::vector<std::string_view>& names)
{
    // Taken in byte order, each name shares a prefix with the one before, whose states exist, and
    // adds states only below it, each after all the children its parent has so far: so the trie
    // grows without a search, and every state's children stay in byte order.
    std::vector<std::int32_t> sorted(names.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    // The link substitution hands its names over sorted already.
    if (!std::is_sorted(names.begin(), names.end()))
        std::sort(sorted.begin(), sorted.end(),
                  [&](std::int32_t a, std::int32_t b) { return names[a] < names[b]; });
    struct Node {
        std::int32_t firstChild = -1;
        std::int32_t lastChild = -1;
        std::int32_t nextSibling = -1;
        std::int32_t name = -1;
        unsigned char byte = 0;
    };
    std::vector<Node> nodes(1);
    std::vector<std::int32_t> path{0}; // the states of the previous name's prefixes, by length
    std::string_view previous;
    for (const std::int32_t index : sorted) {
        const std::string_view name = names[index];
        const std::size_t shared = static_cast<std::size_t>(
            std::mismatch(name.begin(), name.end(), previous.begin(), previous.end()).first -
            name.begin());
        path.resize(shared + 1);
        for (std::size_t depth = shared; depth < name.size(); ++depth) {
            const auto added = static_cast<std::int32_t>(nodes.size());
            nodes.push_back({});
            nodes.back().byte = static_cast<unsigned char>(name[depth]);
            Node& parent = nodes[path.back()];
            (parent.lastChild < 0 ? parent.firstChild : nodes[parent.lastChild].nextSibling) =
                added;
            parent.lastChild = added;
            path.push_back(added);
        }
        nodes[path.back()].name = index;
        previous = name;
    }

    // Numbered breadth first, the children of each state are consecutive.
    std::vector<std::int32_t> order{0};
    order.reserve(nodes.size());
    m_childBegin.reserve(nodes.size() + 1);
    m_byteInto.reserve(nodes.size());
    m_nameAt.reserve(nodes.size());
    for (std::size_t head = 0; head < order.size(); ++head) {
        const Node& node = nodes[order[head]];
        m_childBegin.push_back(static_cast<std::int32_t>(order.size()));
        m_byteInto.push_back(node.byte);
        m_nameAt.push_back(node.name);
        for (std::int32_t next = node.firstChild; next >= 0; next = nodes[next].nextSibling)
            order.push_back(next);
    }
    m_childBegin.push_back(static_cast<std::int32_t>(order.size()));
}

void NameMatcher::sizeTable(std::size_t textLength)
{
    // Bytes that no name uses all lead back to the root, so they share class 0.
    for (std::size_t state = 1; state < m_byteInto.size(); ++state)
        if (m_classOf[m_byteInto[state]] == 0)
            m_classOf[m_byteInto[state]] = static_cast<std::uint16_t>(m_classCount++);
    const std::size_t budget =
        std::clamp(textLength / kTextBytesPerEntry, kLeastTableBudget, kMostTableBudget);
    m_denseStates = std::min<std::size_t>(m_byteInto.size(), budget / m_classCount);
    m_tableSize = static_cast<std::uint32_t>(m_denseStates) * m_classCount;
    m_table.reset(new std::uint32_t[m_tableSize]);
}

void NameMatcher::linkStates()
{
    const std::size_t count = m_nameAt.size();
    m_failure.assign(count, 0);
    m_dictionary.assign(count, -1);
    // Breadth first: a state's failure target is shallower, so its links and its row are complete
    // by the time the state's are made. The failure target of a state is one step of the
    // automaton from its parent's, which is one load where that has a row.
    for (std::size_t parent = 0; parent < count; ++parent) {
        for (std::int32_t state = m_childBegin[parent]; state < m_childBegin[parent + 1]; ++state) {
            std::int32_t failure = 0;
            if (parent != 0)
                failure = stateAt(entryAfter(placeOf(m_failure[parent]), m_byteInto[state]) >> 1);
            m_failure[state] = failure;
            m_dictionary[state] = m_nameAt[failure] >= 0 ? failure : m_dictionary[failure];
        }
        if (parent < m_denseStates)
            fillRow(parent);
    }
}

void NameMatcher::fillRow(std::size_t state)
{
    std::uint32_t* row = &m_table[state * m_classCount];
    if (state == 0) {
        std::fill(row, row + m_classCount, 0);
    } else {
        const std::uint32_t* inherited = &m_table[placeOf(m_failure[state])];
        std::copy(inherited, inherited + m_classCount, row);
    }
    for (std::int32_t next = m_childBegin[state]; next < m_childBegin[state + 1]; ++next)
        row[m_classOf[m_byteInto[next]]] = entryOf(next);
}

std::uint32_t NameMatcher::placeOf(std::int32_t state) const
{
    const auto index = static_cast<std::size_t>(state);
    return static_cast<std::uint32_t>(index < m_denseStates ? index * m_classCount
                                                            : m_tableSize + index - m_denseStates);
}

std::uint32_t NameMatcher::entryOf(std::int32_t state) const
{
    const bool closerLook =
        firstHit(state) >= 0 || static_cast<std::size_t>(state) >= m_denseStates;
    return placeOf(state) << 1 | (closerLook ? 1u : 0u);
}

std::int32_t NameMatcher::child(std::int32_t state, unsigned char byte) const
{
    const auto begin = m_byteInto.begin() + m_childBegin[state];
    const auto end = m_byteInto.begin() + m_childBegin[state + 1];
    if (end - begin == 1) // as most states deep in file names have
        return *begin == byte ? m_childBegin[state] : -1;
    const auto it = std::lower_bound(begin, end, byte);
    return it != end && *it == byte ? static_cast<std::int32_t>(it - m_byteInto.begin()) : -1;
}

std::size_t NameMatcher::walkTable(std::string_view text, std::size_t from,
                                   std::uint32_t& place) const
{
    // An entry without its flag is its place doubled, which as a byte offset at half the scale of
    // the table's entries is the place itself: so each step is one addition and one load, and
    // the shift is left to the state that ends the walk.
    const auto* const table = reinterpret_cast<const unsigned char*>(m_table.get());
    constexpr std::size_t kHalfEntry = sizeof(std::uint32_t) / 2;
    std::uint32_t entry = place << 1;
    for (std::size_t i = from; i < text.size(); ++i) {
        const std::uint32_t doubledClass = 2u * m_classOf[static_cast<unsigned char>(text[i])];
        std::memcpy(&entry, table + kHalfEntry * (std::size_t{entry} + doubledClass), sizeof entry);
        if (entry & 1) {
            place = entry >> 1;
            return i;
        }
    }
    place = entry >> 1;
    return text.size();
}

std::size_t NameMatcher::walkTableTogether(const std::array<const char*, kStretches>& texts,
                                           std::size_t count, Entries& entries) const
{
    // The steps of one text wait for each other's loads, those of different texts do not: so the
    // texts keep the processor busy together. Each step is walkTable's.
    const auto* const table = reinterpret_cast<const unsigned char*>(m_table.get());
    constexpr std::size_t kHalfEntry = sizeof(std::uint32_t) / 2;
    Entries entry;
    for (std::size_t k = 0; k < kStretches; ++k)
        entry[k] = entries[k] & ~1u;
    std::size_t i = 0;
    while (i < count) {
        std::uint32_t flags = 0;
        for (std::size_t k = 0; k < kStretches; ++k) {
            const std::uint32_t doubledClass =
                2u * m_classOf[static_cast<unsigned char>(texts[k][i])];
            std::memcpy(&entry[k], table + kHalfEntry * (std::size_t{entry[k]} + doubledClass),
                        sizeof(std::uint32_t));
            flags |= entry[k];
        }
        ++i;
        if (flags & 1)
            break;
    }
    entries = entry;
    return i;
}

std::uint32_t NameMatcher::sparseStep(std::int32_t state, unsigned char byte) const
{
    // The failure chain ends at the root, which always has its row.
    for (;;) {
        const std::int32_t found = child(state, byte);
        if (found >= 0)
            return entryOf(found);
        state = m_failure[state];
        if (static_cast<std::size_t>(state) < m_denseStates)
            return m_table[placeOf(state) + m_classOf[byte]];
    }
}

} // namespace varrow
