#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// One share of an address list, for a job runner that spreads one list over many machines:
// shard K of N takes every entry whose position modulo N is K.
namespace varrow
{

struct ListShard {
    std::size_t index = 0;
    std::size_t count = 1;

    bool takes(std::size_t position) const { return position % count == index; }
};

// The shard of a --shard value "K/N": whole decimal numbers with N from 1 on and K below N;
// nothing for any other text.
std::optional<ListShard> parseListShard(std::string_view text);

} // namespace varrow
