// Finding the end of a line in a drawing's text, as both readers of lines do it.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Index of the first LF at or after i, or n. Lines are a few bytes long: eight bytes are
// looked at in one step, which costs less than a byte at a time or a library call per line.
inline size_t FindLineFeed(const char* p, size_t i, size_t n) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kLow7 = 0x7F7F7F7F7F7F7F7Full;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t x = w ^ (kOnes * '\n');                   // LF bytes become zero
        const std::uint64_t z = ~(((x & kLow7) + kLow7) | x | kLow7); // 0x80 where x is zero
        if (z) {
            const int nBit = std::endian::native == std::endian::little ? std::countr_zero(z)
                                                                        : std::countl_zero(z);
            return i + static_cast<size_t>(nBit / 8);
        }
    }
    while (i < n && p[i] != '\n')
        ++i;
    return i;
}
