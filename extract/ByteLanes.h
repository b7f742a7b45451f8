#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varrow
{

// Sixteen bytes of text, compared lane by lane: the vector extension of GCC and Clang, which
// becomes the processor's vector instructions where it has them.
using ByteLanes = unsigned char __attribute__((vector_size(16)));

// `byte` in all sixteen lanes.
inline ByteLanes lanesOf(unsigned char byte)
{
    return ByteLanes{} + byte;
}

// The sixteen bytes from `bytes` on.
inline ByteLanes loadLanes(const char* bytes)
{
    ByteLanes lanes;
    std::memcpy(&lanes, bytes, sizeof lanes);
    return lanes;
}

// The lanes of a comparison's result that hold true, one bit each, lane 0 lowest. Each lane of
// the result is all ones or all zeros. With SSE2 one instruction gathers the top bit of each
// lane; elsewhere a multiplication gathers the top bit of each byte of a word into its top byte,
// which holds only on a little-endian machine, where the lanes stand in memory order.
template <typename Result> std::uint32_t trueLanes(const Result& result)
{
    static_assert(sizeof(Result) == sizeof(ByteLanes));
#if defined(__SSE2__)
    __m128i lanes;
    std::memcpy(&lanes, &result, sizeof lanes);
    return static_cast<std::uint32_t>(_mm_movemask_epi8(lanes));
#else
    constexpr std::uint64_t kTopBits = 0x8080808080808080;
    constexpr std::uint64_t kGather = 0x0002040810204081;
    std::uint64_t halves[2];
    std::memcpy(halves, &result, sizeof halves);
    auto bitsOf = [&](std::uint64_t half) {
        return static_cast<std::uint32_t>(((half & kTopBits) * kGather) >> 56);
    };
    return bitsOf(halves[0]) | bitsOf(halves[1]) << 8;
#endif
}

} // namespace varrow
