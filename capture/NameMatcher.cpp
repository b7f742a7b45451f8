#include "capture/NameMatcher.h"

#include <algorithm>

namespace varrow
{

namespace
{
// Largest full transition table, in entries (4 bytes each). Its row offsets, shifted left by one,
// must fit an entry.
constexpr std::size_t kTableBudget = std::size_t{24} << 20;
static_assert(kTableBudget << 1 <= UINT32_MAX);
} // namespace

NameMatcher::NameMatcher(const std::vector<std::string_view>& names) : m_nodes(1)
{
    for (std::size_t index = 0; index < names.size(); ++index) {
        std::int32_t state = 0;
        for (const char c : names[index]) {
            const auto byte = static_cast<unsigned char>(c);
            std::int32_t found = child(state, byte);
            if (found < 0) {
                found = static_cast<std::int32_t>(m_nodes.size());
                auto& children = m_nodes[state].children;
                children.insert(std::upper_bound(children.begin(), children.end(),
                                                 std::make_pair(byte, std::int32_t{-1})),
                                {byte, found});
                m_nodes.emplace_back();
            }
            state = found;
        }
        m_nodes[state].name = static_cast<std::int32_t>(index);
        m_lengths.push_back(names[index].size());
    }

    std::vector<std::int32_t> order{0};
    for (std::size_t head = 0; head < order.size(); ++head) {
        const std::int32_t parent = order[head];
        for (const auto& [byte, node] : m_nodes[parent].children) {
            std::int32_t failure = 0;
            if (parent != 0) {
                std::int32_t candidate = m_nodes[parent].failure;
                while (candidate != 0 && child(candidate, byte) < 0)
                    candidate = m_nodes[candidate].failure;
                failure = std::max(child(candidate, byte), std::int32_t{0});
            }
            m_nodes[node].failure = failure;
            m_nodes[node].dictionary =
                m_nodes[failure].name >= 0 ? failure : m_nodes[failure].dictionary;
            order.push_back(node);
        }
    }
    m_firstHit.reserve(m_nodes.size());
    for (std::size_t node = 0; node < m_nodes.size(); ++node)
        m_firstHit.push_back(m_nodes[node].name >= 0 ? static_cast<std::int32_t>(node)
                                                     : m_nodes[node].dictionary);
    buildTable(order);
}

std::int32_t NameMatcher::child(std::int32_t state, unsigned char byte) const
{
    const auto& children = m_nodes[state].children;
    const auto it =
        std::lower_bound(children.begin(), children.end(), std::make_pair(byte, std::int32_t{-1}));
    return it != children.end() && it->first == byte ? it->second : -1;
}

std::int32_t NameMatcher::sparseNext(std::int32_t state, unsigned char byte) const
{
    for (;;) {
        const std::int32_t found = child(state, byte);
        if (found >= 0)
            return found;
        if (state == 0)
            return 0;
        state = m_nodes[state].failure;
    }
}

void NameMatcher::buildTable(const std::vector<std::int32_t>& breadthFirstOrder)
{
    // Bytes that no name uses all lead back to the root, so they share class 0.
    for (const Node& node : m_nodes)
        for (const auto& [byte, target] : node.children)
            if (m_classOf[byte] == 0)
                m_classOf[byte] = static_cast<std::uint16_t>(m_classCount++);
    if (m_nodes.size() * m_classCount > kTableBudget)
        return;
    m_table.reset(new std::uint32_t[m_nodes.size() * m_classCount]);
    // Breadth-first, so the row of a node's failure target is complete before the node's own.
    for (const std::int32_t state : breadthFirstOrder) {
        std::uint32_t* row = &m_table[static_cast<std::size_t>(state) * m_classCount];
        if (state == 0) {
            std::fill(row, row + m_classCount, 0);
        } else {
            const std::uint32_t* inherited =
                &m_table[static_cast<std::size_t>(m_nodes[state].failure) * m_classCount];
            std::copy(inherited, inherited + m_classCount, row);
        }
        for (const auto& [byte, target] : m_nodes[state].children)
            row[m_classOf[byte]] = static_cast<std::uint32_t>(target) * m_classCount << 1 |
                                   (m_firstHit[target] >= 0 ? 1u : 0u);
    }
}

} // namespace varrow
