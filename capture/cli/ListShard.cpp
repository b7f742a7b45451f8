#include "capture/cli/ListShard.h"

#include <charconv>

namespace varrow
{

std::optional<ListShard> parseListShard(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    ListShard shard;
    const char* const end = text.data() + text.size();
    const auto [indexEnd, indexError] =
        std::from_chars(text.data(), text.data() + slash, shard.index);
    const auto [countEnd, countError] = std::from_chars(text.data() + slash + 1, end, shard.count);
    if (slash == 0 || indexError != std::errc() || indexEnd != text.data() + slash ||
        slash + 1 == text.size() || countError != std::errc() || countEnd != end ||
        shard.count == 0 || shard.index >= shard.count)
        return std::nullopt;
    return shard;
}

} // namespace varrow
