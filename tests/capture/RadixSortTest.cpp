#include "capture/RadixSort.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

struct Keyed {
    std::uint64_t key;
    int order; // where it stood before the sort
};

// Keys of one digit and of several, with many equal ones: the result is the stable sort's.
TEST(RadixSort, SortsAsAStableSortDoes)
{
    std::mt19937_64 random(9);
    for (const std::uint64_t largest :
         {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{2047}, std::uint64_t{1} << 22,
          std::uint64_t{1} << 40, ~std::uint64_t{0}}) {
        std::vector<Keyed> items;
        for (int i = 0; i < 5000; ++i)
            items.push_back({largest == 0 ? 0 : random() % largest + (i % 7 == 0 ? 0 : 1), i});
        for (Keyed& item : items)
            item.key = std::min(item.key, largest);
        std::vector<Keyed> expected = items;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const Keyed& a, const Keyed& b) { return a.key < b.key; });

        radixSort(
            items, [](const Keyed& item) { return item.key; }, largest);
        ASSERT_EQ(items.size(), expected.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            ASSERT_EQ(items[i].key, expected[i].key) << "largest key " << largest;
            ASSERT_EQ(items[i].order, expected[i].order) << "largest key " << largest;
        }
    }
}

} // namespace
} // namespace varrow
